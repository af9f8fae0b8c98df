#!/usr/bin/env python3
"""Turns the program's resource art, kept as text in resources/art/, into the .bmp, .cur and .ico
files the resource script names. The build runs it; nothing but python3 is needed.

    make-art.py SOURCE.txt OUTPUT                 the bitmap, cursor or icon SOURCE describes
    make-art.py --preview SOURCE.txt OUT.png [N]  every picture side by side, N times larger (8)

A source is a list of lines; '#' starts a comment line, blank lines end a picture, and words after
a color's values are a note for the reader:

    kind bitmap 4         a 4-bit .bmp: the pictures side by side, in their order
    kind cursor           a 32 x 32 two-color .cur (one picture, with a hot spot)
    kind icon             a 32-bit .ico with a transparency mask (one picture per size)
    size W H              the size of every picture (bitmaps and cursors)
    hotspot X Y           the cursor's hot spot
    color C R G B        character C stands for that color
    color C transparent  (cursors, icons) the screen shows through
    color C inverse      (cursors) the screen's color inverted
    picture [words]       the rows that follow, one character a pixel, top row first
"""
import struct
import sys
import zlib

# The sixteen colors of a 4-bit bitmap, in the usual order of Windows' 16-color palette. The
# toolbar shows light grey (192, 192, 192) as the button face.
VGA16 = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
         (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
         (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]
TRANSPARENT, INVERSE = "transparent", "inverse"


class ArtError(Exception):
    pass


class Art:
    def __init__(self):
        self.kind, self.bits, self.size, self.hotspot = None, None, None, None
        self.colors = {}
        self.pictures = []   # (caption, rows)


def parse(path):
    art = Art()
    picture = None
    with open(path, encoding="utf-8") as f:
        lines = f.read().split("\n")
    for number, line in enumerate(lines, 1):
        where = f"{path}:{number}"
        text = line.rstrip()
        if picture is not None:
            if text and not text.startswith("#"):
                bad = sorted(set(c for c in text if c not in art.colors))
                if bad:
                    raise ArtError(f"{where}: no color for {' '.join(repr(c) for c in bad)}")
                picture[1].append(text)
                continue
            picture = None
        if not text or text.startswith("#"):
            continue
        word, *args = text.split()
        if word == "kind":
            art.kind = args[0]
            if art.kind == "bitmap":
                art.bits = int(args[1]) if len(args) > 1 else 4
                if art.bits != 4:
                    raise ArtError(f"{where}: only 4-bit bitmaps are made")
            elif art.kind not in ("cursor", "icon"):
                raise ArtError(f"{where}: unknown kind {art.kind!r}")
        elif word == "size":
            art.size = (int(args[0]), int(args[1]))
        elif word == "hotspot":
            art.hotspot = (int(args[0]), int(args[1]))
        elif word == "color":
            char = args[0]
            if len(char) != 1 or char == "#":
                raise ArtError(f"{where}: a color is named by one character other than '#'")
            if args[1] in (TRANSPARENT, INVERSE):
                art.colors[char] = args[1]
            else:
                art.colors[char] = tuple(int(v) for v in args[1:4])
        elif word == "picture":
            picture = (" ".join(args), [])
            art.pictures.append(picture)
        else:
            raise ArtError(f"{where}: unknown line {word!r}")
    check(art, path)
    return art


def check(art, path):
    if art.kind is None:
        raise ArtError(f"{path}: no kind")
    if not art.pictures:
        raise ArtError(f"{path}: no picture")
    for caption, rows in art.pictures:
        name = f"{path}: picture {caption!r}"
        width = len(rows[0]) if rows else 0
        if any(len(r) != width for r in rows):
            raise ArtError(f"{name}: rows of different lengths")
        if art.size and (width, len(rows)) != art.size:
            raise ArtError(f"{name}: {width} x {len(rows)}, not {art.size[0]} x {art.size[1]}")
        if art.kind == "icon" and (width != len(rows) or width not in (16, 24, 32, 48)):
            raise ArtError(f"{name}: icons are square, 16, 24, 32 or 48 pixels")
    kinds = set(art.colors.values())
    if art.kind == "bitmap":
        for c, v in art.colors.items():
            if v not in VGA16:
                raise ArtError(f"{path}: color {c!r} {v} is not one of the sixteen")
    elif art.kind == "cursor":
        if len(art.pictures) != 1 or art.size != (32, 32):
            raise ArtError(f"{path}: a cursor is one picture of 32 x 32")
        if kinds - {(0, 0, 0), (255, 255, 255), TRANSPARENT, INVERSE}:
            raise ArtError(f"{path}: cursors are black, white, transparent or inverse")
        if art.hotspot is None or not all(0 <= v < 32 for v in art.hotspot):
            raise ArtError(f"{path}: the hot spot must lie in the cursor")
    elif INVERSE in kinds:
        raise ArtError(f"{path}: only cursors have inverse pixels")


def row_bytes(width, bits):
    return (width * bits + 31) // 32 * 4


def pack_bits(values, bits, width):
    """One row of `bits`-bit values, first pixel in the high bits, padded to 4 bytes."""
    out = bytearray(row_bytes(width, bits))
    per_byte = 8 // bits
    for x, v in enumerate(values):
        shift = 8 - bits * (x % per_byte + 1)
        out[x // per_byte] |= v << shift
    return bytes(out)


def info_header(width, height, bits, colors=0, image=0):
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, image, 0, 0, colors, 0)


def strip(art):
    """The pictures side by side, as rows of characters."""
    height = len(art.pictures[0][1])
    return ["".join(rows[y] for _, rows in art.pictures) for y in range(height)]


def make_bitmap(art):
    rows = strip(art)
    width, height = len(rows[0]), len(rows)
    index = {c: VGA16.index(v) for c, v in art.colors.items()}
    table = b"".join(bytes((b, g, r, 0)) for r, g, b in VGA16)
    pixels = b"".join(pack_bits([index[c] for c in row], 4, width) for row in reversed(rows))
    info = info_header(width, height, 4, 16, len(pixels))
    offset = 14 + len(info) + len(table)
    head = struct.pack("<HIHHI", 0x4D42, offset + len(pixels), 0, 0, offset)
    return head + info + table + pixels


def masks(art, rows, and_of, xor_of):
    """The image rows bottom row first and the AND mask, as a cursor or icon stores them."""
    width = len(rows[0])
    image = b"".join(xor_of(row) for row in reversed(rows))
    mask = b"".join(pack_bits([1 if and_of(art.colors[c]) else 0 for c in row], 1, width)
                    for row in reversed(rows))
    return image, mask


def make_cursor(art):
    rows = art.pictures[0][1]
    size = len(rows)
    # Black: AND 0, XOR 0. White: AND 0, XOR 1. Transparent: AND 1, XOR 0. Inverse: AND 1, XOR 1.
    xor_bit = {c: 1 if v in ((255, 255, 255), INVERSE) else 0 for c, v in art.colors.items()}
    image, mask = masks(art, rows, lambda v: v in (TRANSPARENT, INVERSE),
                        lambda row: pack_bits([xor_bit[c] for c in row], 1, size))
    table = bytes((0, 0, 0, 0, 255, 255, 255, 0))
    data = info_header(size, size * 2, 1) + table + image + mask
    x, y = art.hotspot
    return (struct.pack("<HHH", 0, 2, 1)
            + struct.pack("<BBBBHHII", size, size, 0, 0, x, y, len(data), 6 + 16) + data)


def make_icon(art):
    images = []
    for _, rows in art.pictures:
        size = len(rows)

        def bgra(row):
            out = bytearray()
            for c in row:
                v = art.colors[c]
                out += bytes((0, 0, 0, 0)) if v == TRANSPARENT else bytes((v[2], v[1], v[0], 255))
            return bytes(out)

        image, mask = masks(art, rows, lambda v: v == TRANSPARENT, bgra)
        images.append((size, info_header(size, size * 2, 32) + image + mask))
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in images:
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    return out + b"".join(data for _, data in images)


def preview(art, scale):
    """A PNG of every picture side by side on a checkerboard (transparent) or magenta (inverse)."""
    gap = 1
    height = max(len(rows) for _, rows in art.pictures)
    width = sum(len(rows[0]) + gap for _, rows in art.pictures) - gap
    canvas = [[(90, 90, 90)] * width for _ in range(height)]
    left = 0
    for _, rows in art.pictures:
        for y, row in enumerate(rows):
            for x, c in enumerate(row):
                v = art.colors[c]
                if v == TRANSPARENT:
                    v = (170, 200, 170) if (x + y) % 2 else (150, 180, 150)
                elif v == INVERSE:
                    v = (255, 0, 255)
                canvas[y][left + x] = v
        left += len(rows[0]) + gap
    raw = bytearray()
    for row in canvas:
        line = b"".join(bytes(v) * scale for v in row)
        raw += (b"\0" + line) * scale

    def chunk(tag, data):
        return struct.pack(">I", len(data)) + tag + data + struct.pack(">I", zlib.crc32(tag + data))

    ihdr = struct.pack(">IIBBBBB", width * scale, height * scale, 8, 2, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr)
            + chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))


def main(argv):
    try:
        if len(argv) >= 3 and argv[0] == "--preview":
            data = preview(parse(argv[1]), int(argv[3]) if len(argv) > 3 else 8)
            out = argv[2]
        elif len(argv) == 2:
            art = parse(argv[0])
            data = {"bitmap": make_bitmap, "cursor": make_cursor, "icon": make_icon}[art.kind](art)
            out = argv[1]
        else:
            print(__doc__, file=sys.stderr)
            return 2
    except (ArtError, OSError, ValueError, IndexError) as e:
        print(f"make-art: {e}", file=sys.stderr)
        return 1
    with open(out, "wb") as f:
        f.write(data)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
