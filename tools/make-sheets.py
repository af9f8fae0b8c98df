#!/usr/bin/env python3
"""Draws the sample sheet under samples/sheets: a 320 x 240 palette picture with about twenty
figures on a background of index 0, written as

    sheet.bmp           8 bits, 256-color table, bottom row first
    sheet.pcx           8 bits, run-length rows, 256-color palette at the end
    sheet.pal           the same 256 colors as a palette file (blue, green, red, 0 each)
    sheet-figures.txt   every figure's rectangle, for tests that cut them

The output is the same on every run (nothing random).

    make-sheets.py [FOLDER]           write the files (default samples/sheets)
    make-sheets.py --check [FOLDER]   exit 1 when the files there differ from what it would write
"""
import math
import os
import struct
import sys

WIDTH, HEIGHT = 320, 240

# The first colors are the figures'; the rest of the table is filled with colors all different
# from each other and from these, so a shifted or truncated table shows.
NAMED = [
    (40, 48, 64),      # 0 background
    (16, 16, 16),      # 1 outline
    (248, 248, 248),   # 2 white
    (150, 20, 30),     # 3 dark red
    (220, 40, 50),     # 4 red
    (255, 140, 140),   # 5 light red
    (200, 150, 0),     # 6 dark yellow
    (255, 220, 40),    # 7 yellow
    (20, 100, 40),     # 8 dark green
    (60, 170, 70),     # 9 green
    (150, 230, 120),   # 10 light green
    (120, 70, 30),     # 11 brown
    (170, 110, 60),    # 12 light brown
    (30, 50, 150),     # 13 dark blue
    (60, 110, 230),    # 14 blue
    (100, 220, 240),   # 15 cyan
    (240, 190, 140),   # 16 skin
    (140, 60, 170),    # 17 purple
    (250, 120, 200),   # 18 pink
    (250, 140, 30),    # 19 orange
    (128, 128, 128),   # 20 grey
    (200, 200, 200),   # 21 light grey
]
(BACK, LINE, WHITE, DRED, RED, LRED, DYEL, YEL, DGRN, GRN, LGRN, BROWN, LBROWN, DBLUE, BLUE, CYAN,
 SKIN, PURPLE, PINK, ORANGE, GREY, LGREY) = range(len(NAMED))


def palette():
    colors = list(NAMED)
    i = 0
    while len(colors) < 256:
        c = ((i * 67 + 13) % 256, (i * 139 + 50) % 256, (i * 29 + 100) % 256)
        if c not in colors:
            colors.append(c)
        i += 1
    return colors


class Figure:
    def __init__(self, name, kind):
        self.name, self.kind, self.pixels = name, kind, {}

    def put(self, x, y, c):
        self.pixels[(x, y)] = c

    def rect(self, x0, y0, w, h, c):
        for y in range(y0, y0 + h):
            for x in range(x0, x0 + w):
                self.put(x, y, c)

    def disc(self, cx, cy, r, c, hole=0.0):
        for y in range(int(cy - r) - 1, int(cy + r) + 2):
            for x in range(int(cx - r) - 1, int(cx + r) + 2):
                d = (x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2
                if hole * hole <= d <= r * r:
                    self.put(x, y, c)

    def polygon(self, points, c):
        """Fills the pixels whose centres lie inside the polygon (even-odd rule)."""
        ys = [p[1] for p in points]
        xs = [p[0] for p in points]
        for y in range(int(min(ys)), int(max(ys)) + 1):
            for x in range(int(min(xs)), int(max(xs)) + 1):
                px, py, inside = x + 0.5, y + 0.5, False
                for (x1, y1), (x2, y2) in zip(points, points[1:] + points[:1]):
                    if (y1 > py) != (y2 > py) and px < x1 + (py - y1) * (x2 - x1) / (y2 - y1):
                        inside = not inside
                if inside:
                    self.put(x, y, c)

    def outline(self, c=LINE):
        """Rings the figure with a one-pixel line (which also joins pixels that touch only at
        their corners)."""
        ring = {}
        for (x, y) in self.pixels:
            for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1), (1, 1), (1, -1), (-1, 1), (-1, -1)):
                if (x + dx, y + dy) not in self.pixels:
                    ring[(x + dx, y + dy)] = c
        self.pixels.update(ring)

    def box(self):
        xs = [p[0] for p in self.pixels]
        ys = [p[1] for p in self.pixels]
        return min(xs), min(ys), max(xs) - min(xs) + 1, max(ys) - min(ys) + 1


def figures():
    out = []

    def new(name, kind="plain"):
        f = Figure(name, kind)
        out.append(f)
        return f

    f = new("ball")                                   # a shaded ball
    f.disc(28, 28, 12, RED)
    f.disc(25, 25, 7, LRED)
    f.disc(23, 23, 2.5, WHITE)
    f.outline()

    f = new("star")
    points = []
    for i in range(10):
        r = 14 if i % 2 == 0 else 6
        a = math.pi * (-0.5 + i / 5)
        points.append((68 + r * math.cos(a), 30 + r * math.sin(a)))
    f.polygon(points, YEL)
    f.outline(DYEL)

    f = new("heart")
    f.disc(104, 24, 6, PINK)
    f.disc(116, 24, 6, PINK)
    f.polygon([(98.5, 26), (121.5, 26), (110, 40)], PINK)
    f.put(104, 22, WHITE)
    f.outline(DRED)

    f = new("gem")
    f.polygon([(146, 14), (158, 14), (164, 22), (152, 42), (140, 22)], CYAN)
    f.polygon([(146, 14), (152, 14), (149, 22), (143, 22)], WHITE)
    f.polygon([(140, 22), (164, 22), (152, 42)], BLUE)
    f.outline(DBLUE)

    f = new("tree")
    f.rect(184, 34, 6, 12, BROWN)
    f.rect(185, 34, 2, 12, LBROWN)
    f.disc(187, 24, 11, GRN)
    f.disc(184, 21, 5, LGRN)
    f.outline(DGRN)

    f = new("house")
    f.rect(214, 26, 28, 20, LGREY)
    f.polygon([(210, 27), (228, 10), (246, 27)], DRED)
    f.rect(224, 34, 7, 12, BROWN)
    f.rect(216, 30, 5, 5, CYAN)
    f.rect(234, 30, 5, 5, CYAN)
    f.outline()

    f = new("ring", "hole")                           # the background shows through its middle
    f.disc(34, 94, 14, ORANGE, hole=6)
    f.outline(BROWN)

    f = new("pair-left", "touching")                  # two figures side by side, no gap
    f.rect(68, 82, 16, 22, BLUE)
    f.rect(71, 85, 10, 6, CYAN)
    f = new("pair-right", "touching")
    f.rect(84, 82, 16, 22, PURPLE)
    f.rect(87, 95, 10, 6, PINK)

    f = new("walker")                                 # a small person, two pixels a dot
    figure = ["..XXXX..", ".XSSSSX.", ".XSDSDX.", ".XSSSSX.", "..XXXX..",
              ".BBBBBB.", "BBBBBBBB", "S.BBBB.S", "..B..B..", ".XX..XX."]
    colors = {"X": LINE, "S": SKIN, "D": LINE, "B": BLUE}
    for y, row in enumerate(figure):
        for x, ch in enumerate(row):
            if ch != ".":
                f.rect(120 + 2 * x, 80 + 2 * y, 2, 2, colors[ch])

    f = new("pole", "thin")                           # one pixel wide
    for y in range(80, 104):
        f.put(150, y, GREY if y % 4 else WHITE)

    for name, x, y, c in (("dot-1", 166, 84, WHITE), ("dot-2", 174, 96, YEL), ("dot-3", 184, 88, RED)):
        new(name, "pixel").put(x, y, c)

    f = new("fish")
    f.disc(224, 94, 12, BLUE)
    f.polygon([(234, 94), (248, 84), (248, 104)], BLUE)
    f.disc(218, 91, 2, WHITE)
    f.put(218, 91, LINE)
    f.outline(DBLUE)

    f = new("mushroom")
    f.disc(282, 92, 13, RED)
    for y in range(92, 106):
        for x in range(268, 297):
            f.pixels.pop((x, y), None)
    f.disc(276, 86, 2.5, WHITE)
    f.disc(288, 84, 2.5, WHITE)
    f.rect(277, 92, 10, 10, SKIN)
    f.outline()

    f = new("bar-long")                               # a wide flat figure
    f.rect(60, 150, 120, 6, GRN)
    for x in range(60, 180, 8):
        f.rect(x, 150, 4, 6, LGRN)
    f.outline(DGRN)

    f = new("tower")                                  # a tall narrow figure
    f.rect(214, 130, 12, 60, LGREY)
    for y in range(134, 186, 10):
        f.rect(218, y, 4, 5, DBLUE)
    f.outline(GREY)

    # A figure on each edge of the sheet, and one in a corner.
    f = new("edge-left", "edge-left")
    f.polygon([(0, 190), (14, 200), (0, 210)], GRN)
    f.rect(0, 196, 3, 9, DGRN)
    f = new("edge-top", "edge-top")
    f.rect(150, 0, 20, 6, PURPLE)
    f.rect(154, 6, 12, 3, PINK)
    f = new("edge-right", "edge-right")
    f.polygon([(WIDTH, 40), (304, 52), (WIDTH, 64)], ORANGE)
    f = new("edge-bottom", "edge-bottom")
    f.rect(100, HEIGHT - 10, 24, 10, BROWN)
    f.rect(104, HEIGHT - 7, 16, 7, LBROWN)
    f = new("corner", "corner")
    f.rect(WIDTH - 12, HEIGHT - 12, 12, 12, CYAN)
    f.rect(WIDTH - 8, HEIGHT - 8, 8, 8, BLUE)
    return out


def draw():
    sheet = [[BACK] * WIDTH for _ in range(HEIGHT)]
    listed = []
    blob = 0
    for f in figures():
        x0, y0, w, h = f.box()
        if x0 < 0 or y0 < 0 or x0 + w > WIDTH or y0 + h > HEIGHT:
            raise SystemExit(f"make-sheets: {f.name} leaves the sheet")
        for (x, y), c in f.pixels.items():
            if sheet[y][x] != BACK:
                raise SystemExit(f"make-sheets: {f.name} overlaps another figure")
            sheet[y][x] = c
        if f.name != "pair-right":
            blob += 1
        listed.append((f.name, x0, y0, w, h, blob, f.kind))
    check_regions(sheet, listed)
    return sheet, listed


def regions(sheet, eight):
    """Bounding boxes of the connected regions of non-background pixels."""
    seen = [[False] * WIDTH for _ in range(HEIGHT)]
    steps = [(1, 0), (-1, 0), (0, 1), (0, -1)]
    if eight:
        steps += [(1, 1), (1, -1), (-1, 1), (-1, -1)]
    boxes = []
    for sy in range(HEIGHT):
        for sx in range(WIDTH):
            if sheet[sy][sx] == BACK or seen[sy][sx]:
                continue
            seen[sy][sx] = True
            stack, box = [(sx, sy)], [sx, sy, sx, sy]
            while stack:
                x, y = stack.pop()
                box = [min(box[0], x), min(box[1], y), max(box[2], x), max(box[3], y)]
                for dx, dy in steps:
                    nx, ny = x + dx, y + dy
                    if 0 <= nx < WIDTH and 0 <= ny < HEIGHT and not seen[ny][nx] and sheet[ny][nx] != BACK:
                        seen[ny][nx] = True
                        stack.append((nx, ny))
            boxes.append((box[0], box[1], box[2] - box[0] + 1, box[3] - box[1] + 1))
    return sorted(boxes)


def check_regions(sheet, listed):
    """The figures are apart (by either kind of neighbourhood) except the touching pair."""
    by_blob = {}
    for name, x, y, w, h, blob, kind in listed:
        b = by_blob.get(blob)
        by_blob[blob] = (x, y, x + w, y + h) if b is None else (
            min(b[0], x), min(b[1], y), max(b[2], x + w), max(b[3], y + h))
    expected = sorted((x0, y0, x1 - x0, y1 - y0) for x0, y0, x1, y1 in by_blob.values())
    for eight in (False, True):
        if regions(sheet, eight) != expected:
            raise SystemExit("make-sheets: figures touch or fall apart")


def bmp(sheet, colors):
    table = b"".join(bytes((b, g, r, 0)) for r, g, b in colors)
    pixels = b"".join(bytes(row) for row in reversed(sheet))   # 320 is a multiple of 4
    info = struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT, 1, 8, 0, len(pixels), 2835, 2835, 256, 0)
    offset = 14 + len(info) + len(table)
    return struct.pack("<HIHHI", 0x4D42, offset + len(pixels), 0, 0, offset) + info + table + pixels


def pcx(sheet, colors):
    head = bytearray(128)
    head[0:4] = bytes((10, 5, 1, 8))                               # PCX, version 5, run-length, 8 bits
    struct.pack_into("<HHHHHH", head, 4, 0, 0, WIDTH - 1, HEIGHT - 1, 72, 72)
    head[65] = 1                                                   # one plane
    struct.pack_into("<HH", head, 66, WIDTH, 1)                    # bytes per line, color palette
    data = bytearray()
    for row in sheet:
        x = 0
        while x < WIDTH:
            run = 1
            while x + run < WIDTH and run < 63 and row[x + run] == row[x]:
                run += 1
            if run > 1 or row[x] >= 0xC0:
                data.append(0xC0 | run)
            data.append(row[x])
            x += run
    return bytes(head) + bytes(data) + b"\x0c" + b"".join(bytes(c) for c in colors)


def outputs():
    sheet, listed = draw()
    colors = palette()
    lines = [
        f"# The figures of sheet.bmp and sheet.pcx ({WIDTH} x {HEIGHT}, 8 bits, background index 0),",
        "# made by tools/make-sheets.py. One figure a line: name, left, top, width, height (pixels,",
        "# top row 0), region, kind. Figures of the same region touch, so a cutter that looks only",
        "# for index 0 finds them as one. Kinds: plain, hole (the background shows inside), touching,",
        "# thin (one pixel wide), pixel (a single pixel), edge-left, edge-top, edge-right,",
        "# edge-bottom (on that edge of the sheet), corner (on the bottom and right edges).",
    ]
    lines += [" ".join(str(v) for v in entry) for entry in listed]
    return {
        "sheet.bmp": bmp(sheet, colors),
        "sheet.pcx": pcx(sheet, colors),
        "sheet.pal": b"".join(bytes((b, g, r, 0)) for r, g, b in colors),
        "sheet-figures.txt": ("\n".join(lines) + "\n").encode(),
    }


def main(argv):
    check = argv[:1] == ["--check"]
    folder = (argv[1:] if check else argv)[:1] or ["samples/sheets"]
    folder = folder[0]
    stale = []
    for name, data in outputs().items():
        path = os.path.join(folder, name)
        if check:
            try:
                with open(path, "rb") as f:
                    if f.read() != data:
                        stale.append(name)
            except OSError:
                stale.append(name)
        else:
            os.makedirs(folder, exist_ok=True)
            with open(path, "wb") as f:
                f.write(data)
    if stale:
        print(f"make-sheets: {', '.join(stale)} in {folder} differ from what tools/make-sheets.py "
              "draws; run it again", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
