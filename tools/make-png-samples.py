#!/usr/bin/python3
"""Writes the PNG samples under samples/pictures with Pillow, and the seeds of the png fuzz corpus.

The sources are the two pictures of make-samples.sh (w7: 7 x 5, 16 colors; w33: 33 x 9, 200 colors),
drawn again here from the same rules and checked against their committed .idx dumps. The files are
committed, so the tests need neither Pillow nor this script; run it again only to change them:

    tools/make-png-samples.py

  pil-w7.png, pil-w33.png   indexed (4 and 8 bits), the source's indices and palette
  pil-w7-2bit.png           indexed, 4 colors, index (x + 2y) % 4 of the first 4 palette colors
  pil-w7-rgb.png            RGB, and pil-w33-rgb.png
  pil-w7-rgba.png           RGBA: alpha 0 where the source index is 0 or 5 (their red, green and
                            blue scrambled, so no two transparent pixels share them), 128 where
                            it is 7, 255 elsewhere
  pil-w7-rgb-trns.png       RGB with the color of source index 3 transparent (a tRNS chunk)
  pil-w7-grey.png           8-bit grey of w7; pil-w7-grey16.png the same levels in 16 bits
                            (level * 257); pil-w7-la.png grey with the alpha of pil-w7-rgba.png
  pil-1bit.png              1-bit grey, 9 x 3, white where x + y is odd
  pil-300-rgb.png           RGB, 20 x 15, every pixel a color of its own: more than a sheet may have
  hand-rgb16.png            RGB and RGBA of 16 bits a channel (no tool here writes them; made from
  hand-rgba16.png           their chunks): the 3 x 2 pixels of SIXTEEN_BIT, each level v as v * 257
"""
import os
import struct
import sys
import zlib

from PIL import Image

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
OUT = os.path.join(ROOT, "samples", "pictures")
CORPUS = os.path.join(ROOT, "fuzz", "corpus", "png")


def palette(n):
    p = []
    for i in range(n):
        p += [(i * 37 + 11) % 256, (i * 91 + 5) % 256, (i * 53 + 200) % 256]
    return p


def source(w, h, n, index):
    im = Image.new("P", (w, h))
    im.putpalette(palette(n))
    im.putdata([index(x, y) for y in range(h) for x in range(w)])
    return im


def alpha_of(index):
    return 0 if index in (0, 5) else 128 if index == 7 else 255


def chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))


def png(width, height, bits=8, color=2, body=None, extra=b""):
    """A PNG made by hand for the hostile seeds: a right IHDR and checksums, whatever the rest says."""
    ihdr = struct.pack(">IIBBBBB", width, height, bits, color, 0, 0, 0)
    idat = chunk(b"IDAT", zlib.compress(body if body is not None else b"\0" * 4))
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr) + extra + idat + chunk(b"IEND", b"")


# The pixels of the 16-bit samples: red, green, blue, alpha, top row first.
SIXTEEN_BIT = [(255, 0, 0, 255), (0, 128, 7, 0), (1, 2, 3, 128),
               (200, 200, 200, 255), (0, 0, 0, 255), (9, 99, 199, 1)]


def main():
    os.makedirs(OUT, exist_ok=True)
    os.makedirs(CORPUS, exist_ok=True)
    w7 = source(7, 5, 16, lambda x, y: (x * 3 + y) % 16)
    w33 = source(33, 9, 200, lambda x, y: (x + y * 33) % 200)
    for name, im in (("w7", w7), ("w33", w33)):
        with open(os.path.join(OUT, name + ".idx"), "rb") as f:
            if f.read() != im.tobytes():
                sys.exit(f"make-png-samples: {name} differs from samples/pictures/{name}.idx")
        im.save(os.path.join(OUT, f"pil-{name}.png"))
        im.convert("RGB").save(os.path.join(OUT, f"pil-{name}-rgb.png"))

    two = source(7, 5, 4, lambda x, y: (x + 2 * y) % 4)
    two.save(os.path.join(OUT, "pil-w7-2bit.png"), bits=2)

    indices = list(w7.getdata())
    rgb = list(w7.convert("RGB").getdata())
    rgba = Image.new("RGBA", w7.size)
    rgba.putdata([(r, g, b, alpha_of(i)) if alpha_of(i) else ((r * 7 + k) % 256, (g + 3 * k) % 256, k * 11 % 256, 0)
                  for k, ((r, g, b), i) in enumerate(zip(rgb, indices))])
    rgba.save(os.path.join(OUT, "pil-w7-rgba.png"))
    rgb_im = w7.convert("RGB")
    rgb_im.save(os.path.join(OUT, "pil-w7-rgb-trns.png"), transparency=tuple(palette(16)[9:12]))

    grey = w7.convert("L")
    grey.save(os.path.join(OUT, "pil-w7-grey.png"))
    grey16 = Image.new("I;16", w7.size)
    grey16.putdata([v * 257 for v in grey.getdata()])
    grey16.save(os.path.join(OUT, "pil-w7-grey16.png"))
    la = Image.merge("LA", (grey, rgba.getchannel("A")))
    la.save(os.path.join(OUT, "pil-w7-la.png"))
    mono = Image.new("1", (9, 3))
    mono.putdata([255 * ((x + y) % 2) for y in range(3) for x in range(9)])
    mono.save(os.path.join(OUT, "pil-1bit.png"))

    many = Image.new("RGB", (20, 15))
    many.putdata([(i % 256, i // 256, 7) for i in range(300)])
    many.save(os.path.join(OUT, "pil-300-rgb.png"))

    for name, alpha in (("hand-rgb16.png", False), ("hand-rgba16.png", True)):
        rows = b""
        for y in range(2):
            rows += b"\0"
            for r, g, b, a in SIXTEEN_BIT[3 * y:3 * y + 3]:
                rows += struct.pack(">HHHH" if alpha else ">HHH", *[v * 257 for v in (r, g, b, a)][:4 if alpha else 3])
        with open(os.path.join(OUT, name), "wb") as f:
            f.write(png(3, 2, 16, 6 if alpha else 2, rows))

    for name in sorted(os.listdir(OUT)):
        if name.endswith(".png"):
            with open(os.path.join(OUT, name), "rb") as f:
                data = f.read()
            seed = "hostile-300-colors.png" if name == "pil-300-rgb.png" else "seed-" + name
            with open(os.path.join(CORPUS, seed), "wb") as f:
                f.write(data)

    # One hostile seed for each way a PNG may lie; checksums right, so the codec looks further.
    plte = chunk(b"PLTE", bytes(range(12)))
    hostile = {
        "width-past-the-cap": png(32769, 1, 8, 2, b"\0" * (1 + 3 * 32769)),  # whole: only its size is wrong
        "huge-square": png(0x7FFFFFFF, 0x7FFFFFFF),
        "area-past-the-cap": png(32768, 32768, 8, 6),
        "zero-width": png(0, 4),
        "indexed-without-palette": png(4, 1, 8, 3, b"\0\1\2\3\0"),
        "index-past-the-palette": png(4, 1, 8, 3, b"\0\0\1\2\xff", plte),
        "rows-cut-short": png(4, 4, 8, 2, b"\0" * 13),
        "bits-3": png(4, 1, 3, 0),
        "signature-only": b"\x89PNG\r\n\x1a\n",
        "bad-checksum": png(2, 2)[:29] + b"\0\0\0\0" + png(2, 2)[33:],
        "cut-in-idat": png(2, 2, 8, 2, b"\0" * 14)[:50],
    }
    for name, data in hostile.items():
        with open(os.path.join(CORPUS, f"hostile-{name}.png"), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
