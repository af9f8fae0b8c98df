#!/usr/bin/env python3
"""Checks a sprite file written by Quillon byte by byte against the sheet it was cut from.

    check_spr.py OUT.spr SHEET.bmp FIGURES.txt NAME... [--hit-boxes N] [--attack-boxes N]
    check_spr.py OUT.spr SHEET.bmp FIGURES.txt --expect EXPECTED.txt

Every sprite must be the named figure's rectangle of the sheet, in order (a name such as
"pair-left+pair-right" stands for the rectangle around those figures, cut as one sprite): its size, relative
coordinate (0, 0), centre (width / 2, height / 2), N whole-sprite hit and attack boxes, and its
pixels (raw, or the run-length form) equal to the sheet's palette indices. With --expect the
sprites and everything but their pixels come from a file, one sprite a line:

    NAME COMPRESSED RX RY MX MY hits=X1,Y1,X2,Y2;... attacks=X1,Y1,X2,Y2;...

and the compression flag must be the one given. Prints what differs and exits 1 on a fault.
"""
import argparse
import struct
import sys


def read_bmp(path):
    data = open(path, "rb").read()
    if data[:2] != b"BM":
        sys.exit(f"{path}: not a BMP file")
    offset, = struct.unpack_from("<I", data, 10)
    width, height, _, bits, compression = struct.unpack_from("<iiHHI", data, 18)
    if bits != 8 or compression != 0:
        sys.exit(f"{path}: not an uncompressed 8-bit BMP")
    stride = (width + 3) & ~3
    rows = []
    for y in range(abs(height)):
        source = abs(height) - 1 - y if height > 0 else y
        start = offset + source * stride
        rows.append(data[start:start + width])
    return rows


def read_figures(path):
    figures = {}
    for line in open(path):
        fields = line.split()
        if fields and not line.startswith("#"):
            figures[fields[0]] = tuple(int(v) for v in fields[1:5])
    return figures


def rectangle(figures, name):
    """(left, top, width, height) of a figure, or of the rectangle around figures joined by '+'."""
    parts = [figures[part] for part in name.split("+")]
    left = min(p[0] for p in parts)
    top = min(p[1] for p in parts)
    right = max(p[0] + p[2] for p in parts)
    bottom = max(p[1] + p[3] for p in parts)
    return left, top, right - left, bottom - top


def read_expectation(path):
    """The expected sprites: (name, fields) with fields compressed, relative, centre, boxes."""
    sprites = []
    for line in open(path):
        fields = line.split()
        if not fields:
            continue
        boxes = {}
        for field in fields[6:]:
            kind, _, values = field.partition("=")
            boxes[kind] = [tuple(int(v) for v in box.split(",")) for box in values.split(";") if box]
        sprites.append((fields[0], {
            "compressed": int(fields[1]),
            "relative": (int(fields[2]), int(fields[3])),
            "centre": (int(fields[4]), int(fields[5])),
            "hit": boxes.get("hits", []),
            "attack": boxes.get("attacks", []),
        }))
    return sprites


def decompress(data, width, height):
    """The run-length form: a table of row offsets, then per row a pair count and
    (skip, literal count, literals...) pairs."""
    rows = []
    for r in range(height):
        at, = struct.unpack_from("<I", data, 4 * r)
        pairs, = struct.unpack_from("<H", data, at)
        at += 2
        row = bytearray(width)
        column = 0
        for _ in range(pairs):
            skip, count = data[at], data[at + 1]
            at += 2
            column += skip
            row[column:column + count] = data[at:at + count]
            column += count
            at += count
        if column != width:
            raise ValueError(f"row {r} covers {column} pixels, not {width}")
        rows.append(bytes(row))
    return rows


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("spr")
    parser.add_argument("sheet")
    parser.add_argument("figures")
    parser.add_argument("names", nargs="*")
    parser.add_argument("--hit-boxes", type=int, default=1)
    parser.add_argument("--attack-boxes", type=int, default=0)
    parser.add_argument("--expect")
    args = parser.parse_args()
    figures = read_figures(args.figures)
    if args.expect:
        expected = read_expectation(args.expect)
    else:
        expected = []
        for name in args.names:
            width, height = rectangle(figures, name)[2:4]
            whole = (0, 0, width - 1, height - 1)
            expected.append((name, {"compressed": None, "relative": (0, 0),
                                    "centre": (width // 2, height // 2),
                                    "hit": [whole] * args.hit_boxes,
                                    "attack": [whole] * args.attack_boxes}))
    if not expected:
        parser.error("no sprites to expect: give NAMEs or --expect")

    sheet = read_bmp(args.sheet)
    data = open(args.spr, "rb").read()
    faults = []

    def expect(what, got, want):
        if got != want:
            faults.append(f"{what}: {got!r}, expected {want!r}")

    if len(data) < 24:
        sys.exit(f"{args.spr}: {len(data)} bytes, shorter than the header")
    expect("signature", data[:13], b"Zarvo sprite\0")
    expect("reserved header bytes", data[13:16], b"\0\0\0")
    version, count, actions = struct.unpack_from("<hhi", data, 16)
    expect("version", version, 30)
    expect("sprite count", count, len(expected))
    expect("action count", actions, 0)
    at = 24
    for index, (name, want_fields) in enumerate(expected[:max(count, 0)]):
        left, top, width, height = rectangle(figures, name)
        where = f"sprite {index} ({name})"
        if at + 28 > len(data):
            faults.append(f"{where}: the file ends inside its entry")
            break
        compressed, _, rx, ry, w, h, mx, my, hits, attacks, _, size, _ = struct.unpack_from(
            "<BBhhhhhhhhhiI", data, at)
        at += 28
        expect(f"{where} size", (w, h), (width, height))
        if want_fields["compressed"] is not None:
            expect(f"{where} compressed flag", compressed, want_fields["compressed"])
        expect(f"{where} relative coordinate", (rx, ry), want_fields["relative"])
        expect(f"{where} centre", (mx, my), want_fields["centre"])
        expect(f"{where} hit boxes", hits, len(want_fields["hit"]))
        expect(f"{where} attack boxes", attacks, len(want_fields["attack"]))
        for kind, boxes in (("hit", hits), ("attack", attacks)):
            for b in range(max(boxes, 0)):
                box = struct.unpack_from("<6h", data, at)
                at += 12
                if b < len(want_fields[kind]):
                    expect(f"{where} {kind} box {b}", box[1:5], want_fields[kind][b])
        image = data[at:at + size]
        at += size
        if len(image) != size:
            faults.append(f"{where}: the file ends inside its image")
            break
        want = [sheet[top + y][left:left + width] for y in range(height)]
        if compressed == 0:
            expect(f"{where} raw image size", size, width * height)
            got = [image[y * width:(y + 1) * width] for y in range(height)]
        elif compressed == 1:
            try:
                got = decompress(image, width, height)
            except (ValueError, struct.error, IndexError) as error:
                faults.append(f"{where}: bad compressed image: {error}")
                continue
        else:
            faults.append(f"{where}: compressed flag {compressed}")
            continue
        for y in range(height):
            if got[y] != want[y]:
                x = next((i for i in range(width) if i >= len(got[y]) or got[y][i] != want[y][i]), 0)
                faults.append(f"{where}: row {y} differs from the sheet first at column {x}")
                break
    if not faults:
        expect("bytes after the last sprite", len(data) - at, 0)
    for fault in faults:
        print(f"check_spr: {fault}")
    if faults:
        return 1
    print(f"check_spr: {args.spr}: {count} sprites match the sheet byte by byte")
    return 0


if __name__ == "__main__":
    sys.exit(main())
