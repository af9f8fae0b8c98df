#!/usr/bin/env python3
"""Draws Quillon's icon (resources/quillon.ico): a 32x32 and a 16x16 image, 32-bit with an AND
mask. The picture: a sheet of paper with a small pixel figure and a dashed cut rectangle around it,
the program's one idea in a glance. Run it after changing the drawing."""
import struct
import sys

PAPER, EDGE, CUT, SKIN, BODY, DARK = (
    (250, 246, 230), (64, 64, 64), (200, 0, 0), (240, 190, 140), (40, 110, 210), (20, 20, 40))

FIGURE = [  # 8 x 10 pixel figure, '.' transparent
    "..XXXX..",
    ".XSSSSX.",
    ".XSDSDX.",
    ".XSSSSX.",
    "..XXXX..",
    ".BBBBBB.",
    "BBBBBBBB",
    "S.BBBB.S",
    "..B..B..",
    ".XX..XX.",
]
COLOURS = {"X": DARK, "S": SKIN, "D": DARK, "B": BODY}


def draw(size):
    img = [[None] * size for _ in range(size)]
    m = 1 if size == 16 else 2           # margin
    for y in range(m, size - m):          # the sheet
        for x in range(m + (size // 16), size - m - (size // 16)):
            img[y][x] = PAPER
    for y in range(m, size - m):          # its outline
        for x in (m + size // 16, size - m - size // 16 - 1):
            img[y][x] = EDGE
    for x in range(m + size // 16, size - m - size // 16):
        img[m][x] = EDGE
        img[size - m - 1][x] = EDGE
    scale = 1 if size == 16 else 2
    fw, fh = 8 * scale, 10 * scale
    ox, oy = (size - fw) // 2, (size - fh) // 2 + (0 if size == 16 else 1)
    for fy, row in enumerate(FIGURE):
        for fx, c in enumerate(row):
            if c == ".":
                continue
            for dy in range(scale):
                for dx in range(scale):
                    img[oy + fy * scale + dy][ox + fx * scale + dx] = COLOURS[c]
    # dashed cut rectangle one pixel outside the figure
    x1, y1, x2, y2 = ox - 2, oy - 2, ox + fw + 1, oy + fh + 1
    for i, x in enumerate(range(x1, x2 + 1)):
        if i % 3 != 2:
            img[y1][x] = CUT
            img[y2][x] = CUT
    for i, y in enumerate(range(y1, y2 + 1)):
        if i % 3 != 2:
            img[y][x1] = CUT
            img[y][x2] = CUT
    return img


def dib(img):
    size = len(img)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    xor = bytearray()
    for row in reversed(img):
        for px in row:
            if px is None:
                xor += bytes((0, 0, 0, 0))
            else:
                r, g, b = px
                xor += bytes((b, g, r, 255))
    mask_stride = ((size + 31) // 32) * 4
    andmask = bytearray()
    for row in reversed(img):
        bits = bytearray(mask_stride)
        for x, px in enumerate(row):
            if px is None:
                bits[x // 8] |= 0x80 >> (x % 8)
        andmask += bits
    return header + bytes(xor) + bytes(andmask)


def main(path):
    images = [dib(draw(32)), dib(draw(16))]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in zip((32, 16), images):
        out += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    for data in images:
        out += data
    with open(path, "wb") as f:
        f.write(out)


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "resources/quillon.ico")
