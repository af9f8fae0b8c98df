#!/bin/sh
# Regenerates the picture samples under samples/pictures with today's tools (Pillow, ImageMagick,
# netpbm), and the valid seeds of the bmp and pcx fuzz corpora from them. The generated files
# are committed, so the tests need none of these tools.
#
#   tools/install-deps.sh samples && tools/make-samples.sh
#
# Two source pictures, each saved with its expected pixels:
#   w7   7 x 5, 16 colors       w7.ppm  (RGB, top row first)  w7.idx  (palette indices)
#   w33  33 x 9, 200 colors     w33.ppm                       w33.idx
# Files written by Pillow keep the source's palette order, so their indices equal the .idx
# dump; ImageMagick and netpbm build palettes of their own, so only the colors (.ppm) are
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
    im.save(f'{out}/pil-{name}.bmp')          # 8 bits, short color table (16 or 200 entries)
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

# netpbm: color table of 2^bits entries with a color count of 0, 4 bits, 24 bits.
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

# One hostile seed for each way a file may lie, and palette files of every length class.
mkdir -p fuzz/corpus/palette
$PY - <<'PYEOF'
import struct

def bmp(width=4, height=4, bits=8, info_size=40, compression=0, used=0, table=None,
        pixels=b'\1' * 16, offset=None, size=None, info_field=None):
    if table is None:
        table = bytes(4 * (1 << bits)) if bits <= 8 else b''
    info = struct.pack('<IiiHHIIiiII', info_field if info_field is not None else info_size,
                       width, height, 1, bits, compression, len(pixels), 0, 0, used, 0)
    info = info.ljust(info_size, b'\0')[:max(info_size, 0)] if info_size >= 40 else info[:info_size]
    head = 14 + len(info) + len(table)
    off = head if offset is None else offset
    body = info + table + bytes(max(0, off - head)) + pixels
    total = 14 + len(body)
    return struct.pack('<HIHHI', 0x4D42, total if size is None else size, 0, 0, off) + body

valid = bmp(pixels=bytes(range(16)))
hostile_bmp = {
    'size-overflow': bmp(width=0x7FFFFFFF, height=0x7FFFFFFF, bits=24),
    'cap-16384-square-tiny-file': bmp(width=16384, height=16384),
    'width-negative': bmp(width=-4),
    'width-zero': bmp(width=0),
    'height-zero': bmp(height=0),
    'height-min-int': bmp(height=-0x80000000),
    'header-size-39': bmp(info_field=39),
    'header-size-huge': bmp(info_field=0xFFFFFFFF),
    'header-larger-than-file': bmp(info_field=2000),
    'color-count-past-data': bmp(used=200, table=bytes(40), pixels=b''),
    'pixel-offset-past-data': bmp(offset=100000),
    'rows-do-not-fit': bmp(height=40),
    'ends-in-header': valid[:30],
    'ends-in-palette': struct.pack('<HIHHI', 0x4D42, 0, 0, 0, 0) + valid[14:600],
    'ends-in-pixels': struct.pack('<HIHHI', 0x4D42, 0, 0, 0, 0) + valid[14:-3],
    'size-field-below-14': bmp(size=3),
    'size-field-past-file': bmp(size=99999),
    'rle8-run-overruns-line': bmp(compression=1, pixels=bytes([255, 7, 255, 8, 0, 0, 0, 1])),
    'rle8-delta-past-picture': bmp(compression=1, pixels=bytes([0, 2, 255, 255, 3, 9, 0, 1])),
    'rle8-literal-past-end': bmp(compression=1, pixels=bytes([0, 200, 1, 2, 3])),
    'rle8-no-end-mark': bmp(compression=1, pixels=bytes([4, 1, 0, 0, 4, 2])),
    'rle4-odd-runs': bmp(bits=4, compression=2, pixels=bytes([255, 0x12, 0, 0, 0, 5, 0xAB, 0xCD, 0xE0, 0, 0, 1])),
    'rle8-top-down': bmp(height=-4, compression=1, pixels=bytes([4, 1, 0, 1])),
    'bitfields-32': bmp(bits=32, compression=3, pixels=bytes(64)),
    'os2-core-header': struct.pack('<HIHHI', 0x4D42, 40, 0, 0, 26) + struct.pack('<IHHHH', 12, 2, 2, 1, 8) + bytes(14),
    'bits-per-pixel-7': bmp(bits=7, table=b''),
    'rle8-past-the-cap': bmp(width=16384, height=16385, compression=1, pixels=bytes([0, 1])),
}
for name, data in hostile_bmp.items():
    open(f'fuzz/corpus/bmp/hostile-{name}.bmp', 'wb').write(data)

def pcx(xmin=0, ymin=0, xmax=3, ymax=3, planes=1, bits=8, bpl=None, data=None, palette=True,
        manufacturer=10, version=5):
    h = bytearray(128)
    h[0], h[1], h[2], h[3] = manufacturer, version, 1, bits
    struct.pack_into('<hhhh', h, 4, xmin, ymin, xmax, ymax)
    h[65] = planes
    struct.pack_into('<H', h, 66, (xmax - xmin + 1) & 0xFFFF if bpl is None else bpl)
    if data is None:
        data = bytes([0xC0 | 16, 5])
    tail = (b'\x0c' + bytes(range(256)) * 3) if palette else b''
    return bytes(h) + data + tail

valid_pcx = pcx()
hostile_pcx = {
    'xmax-below-xmin': pcx(xmin=5, xmax=4),
    'width-65536': pcx(xmin=-32768, xmax=32767, bpl=65535),
    'cap-32768-square': pcx(xmin=-16384, xmax=16383, ymin=-16384, ymax=16383, bpl=32768),
    'tiny-file-big-picture': pcx(xmax=32767, ymax=4095, bpl=32768),
    'bytes-per-line-zero': pcx(bpl=0),
    'bytes-per-line-below-width': pcx(bpl=3),
    'bytes-per-line-65535': pcx(xmax=0, ymax=1, bpl=65535, data=bytes([0xFF, 1]) * 4000),
    'planes-4': pcx(planes=4, bits=1),
    'bits-1': pcx(bits=1),
    'ends-in-header': valid_pcx[:100],
    'ends-in-pixels': valid_pcx[:129],
    'ends-before-palette': pcx(palette=False),
    'ends-in-palette': valid_pcx[:-5],
    'run-past-picture': pcx(data=bytes([0xFF, 9, 0xFF, 8])),
    'run-code-at-end': pcx(data=bytes([1] * 15 + [0xC5]), palette=False),
    '24bit-short': pcx(planes=3, data=bytes([0xC0 | 40, 3]), palette=False),
}
for name, data in hostile_pcx.items():
    open(f'fuzz/corpus/pcx/hostile-{name}.pcx', 'wb').write(data)

for size in (0, 1, 1023, 1024, 2000):
    open(f'fuzz/corpus/palette/seed-{size}.pal', 'wb').write(bytes((i * 13 + i // 256) & 255 for i in range(size)))
PYEOF
