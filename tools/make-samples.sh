#!/bin/sh
# Regenerates the picture samples under samples/pictures with today's tools (Pillow, ImageMagick,
# netpbm), and the valid seeds of the bmp and pcx fuzz corpora from them. The generated files
# are committed, so the tests need none of these tools.
#
#   tools/install-deps.sh samples && tools/make-samples.sh
#
# Two source pictures, each saved with its expected pixels:
#   w7   7 x 5, 16 colours       w7.ppm  (RGB, top row first)  w7.idx  (palette indices)
#   w33  33 x 9, 200 colours     w33.ppm                       w33.idx
# Files written by Pillow keep the source's palette order, so their indices equal the .idx
# dump; ImageMagick and netpbm build palettes of their own, so only the colours (.ppm) are
# expected of them.
set -eu
cd "$(dirname "$0")/.."
out=samples/pictures
mkdir -p "$out"
PY=/usr/bin/python3
IM=/usr/bin/convert   # /usr/local/bin/convert may be a wrapper

$PY - "$out" <<'PYEOF'
import struct, sys
from PIL import Image

out = sys.argv[1]

def palette(n):
    p = []
    for i in range(n):
        p += [(i * 37 + 11) % 256, (i * 91 + 5) % 256, (i * 53 + 200) % 256]
    return p

def source(w, h, n, index):
    im = Image.new('P', (w, h))
    im.putpalette(palette(n))
    im.putdata([index(x, y) for y in range(h) for x in range(w)])
    return im

def top_down(src, dst):
    """Rewrites an uncompressed bottom-up BMP with rows top row first and a negative height."""
    d = bytearray(open(src, 'rb').read())
    off = struct.unpack_from('<I', d, 10)[0]
    w, h = struct.unpack_from('<ii', d, 18)
    bits = struct.unpack_from('<H', d, 28)[0]
    row = (w * bits + 31) // 32 * 4
    rows = [d[off + i * row: off + (i + 1) * row] for i in range(h)]
    d[off: off + row * h] = b''.join(reversed(rows))
    struct.pack_into('<i', d, 22, -h)
    open(dst, 'wb').write(d)

w7 = source(7, 5, 16, lambda x, y: (x * 3 + y) % 16)
w33 = source(33, 9, 200, lambda x, y: (x + y * 33) % 200)
for name, im in (('w7', w7), ('w33', w33)):
    im.convert('RGB').save(f'{out}/{name}.ppm')
    open(f'{out}/{name}.idx', 'wb').write(im.tobytes())
    im.save(f'{out}/pil-{name}.bmp')          # 8 bits, short colour table (16 or 200 entries)
    im.save(f'{out}/pil-{name}.pcx')          # bytes per line padded to even
    im.convert('RGB').save(f'{out}/pil-{name}-24.bmp')
    im.convert('RGB').save(f'{out}/pil-{name}-24.pcx')
top_down(f'{out}/pil-w33.bmp', f'{out}/pil-w33-topdown.bmp')
top_down(f'{out}/pil-w7-24.bmp', f'{out}/pil-w7-24-topdown.bmp')
mono = Image.new('1', (9, 3))
mono.putdata([255 * ((x + y) % 2) for y in range(3) for x in range(9)])
mono.save(f'{out}/pil-1bit.bmp')
PYEOF

# ImageMagick: 124-byte headers, run-length encoded rows, 4 bits, bit fields.
$IM "$out/w33.ppm" -type palette -compress none "$out/im-w33-v5.bmp"
$IM "$out/w33.ppm" -type palette -compress RLE "$out/im-w33-v5-rle8.bmp"
$IM "$out/w7.ppm" -type palette -compress RLE BMP3:"$out/im-w7-rle8.bmp"
$IM "$out/w7.ppm" -type palette "$out/im-w7-4bit.bmp"
$IM "$out/w7.ppm" -type truecolor "$out/im-w7-24-v5.bmp"
$IM "$out/w7.ppm" -alpha on -type truecoloralpha "$out/im-w7-32-bitfields.bmp"
$IM "$out/w7.ppm" -type palette "$out/im-w7.pcx"
$IM "$out/w33.ppm" -type truecolor "$out/im-w33-24.pcx"

# netpbm: colour table of 2^bits entries with a colour count of 0, 4 bits, 24 bits.
ppmtobmp "$out/w33.ppm" > "$out/nb-w33.bmp" 2>/dev/null
ppmtobmp "$out/w7.ppm" > "$out/nb-w7-4bit.bmp" 2>/dev/null
ppmtobmp -bpp=24 "$out/w7.ppm" > "$out/nb-w7-24.bmp" 2>/dev/null
ppmtopcx -8bit "$out/w33.ppm" > "$out/nb-w33.pcx" 2>/dev/null
ppmtopcx -24bit "$out/w7.ppm" > "$out/nb-w7-24.pcx" 2>/dev/null
ppmtopcx "$out/w7.ppm" > "$out/nb-w7-4plane.pcx" 2>/dev/null   # 4 planes of 1 bit: refused

# Valid seeds for the fuzzers.
mkdir -p fuzz/corpus/bmp fuzz/corpus/pcx
for f in "$out"/*.bmp; do cp "$f" fuzz/corpus/bmp/seed-"${f##*/}"; done
for f in "$out"/*.pcx; do cp "$f" fuzz/corpus/pcx/seed-"${f##*/}"; done
ls -l "$out"
