#!/usr/bin/python3
"""Writes the small sheets the command-line tests cut sprites from (tests/cli/data/).

Run it again only to change them; the files are committed. Each sheet is drawn below as text:
'.' is palette index 0 (transparent), every other character a color of its own.
"""
import os
import sys

from PIL import Image

HERE = os.path.dirname(os.path.abspath(__file__))
DATA = os.path.join(HERE, "data")

# Regions: figures at every edge and corner, figures touching only at a corner, a ring with a
# separate dot in its hole, a U with a separate dot inside its outline, single pixels, and two
# pairs of figures one blank column apart.
REGIONS = """
A....B...............................CCC
.....B................................CC
......................................CC
..DD..EE.....FFFFF......................
..DD..EE.....F...F.........G............
..DDD.EE.....F.H.F......................
.............F...F......................
.............FFFFF......................
........................................
.II.....................................
...II...................................
J.......................................
.............KK.LL......................
.............KK.LL.....................M
........................................
......NNNNN.............................
......N...N.........P...................
......N...N.............................
......N.Q.N.............................
........................................
........................................
R..................S...................T
"""

# A grid of 10 x 12 cells whose first cell starts at (2, 1): four columns, two rows, the third
# cell of the second row empty, figures filling their cells to the edges, and a strip of partial
# cells on the right and at the bottom that a grid cut leaves out.
def grid_sheet():
    width, height = 45, 30
    rows = [["."] * width for _ in range(height)]
    marks = "abcdefgh"
    for cell in range(8):
        if cell == 6:
            continue
        cx, cy = 2 + (cell % 4) * 10, 1 + (cell // 4) * 12
        for y in range(12):
            for x in range(10):
                # a frame around the cell and a diagonal inside, so every cell differs
                if x in (0, 9) or y in (0, 11) or x == (y + cell) % 10:
                    rows[cy + y][cx + x] = marks[cell]
    for y in range(height):          # the partial cells: pixels a grid cut must not pick up
        rows[y][44] = "z"
    for x in range(width):
        rows[29][x] = "z"
    return "\n".join("".join(r) for r in rows)


def color_index(ch):
    if ch == ".":
        return 0
    # spread the figures over the palette, high indices included
    return (ord(ch) * 37) % 255 + 1


def palette():
    colors = []
    for i in range(256):
        colors += [(i * 7) % 256, (i * 13 + 5) % 256, (255 - i * 3) % 256]
    return colors


def picture(art):
    lines = [l for l in art.strip("\n").split("\n")]
    width = len(lines[0])
    assert all(len(l) == width for l in lines), "ragged art"
    image = Image.new("P", (width, len(lines)))
    image.putpalette(palette())
    image.putdata([color_index(c) for l in lines for c in l])
    return image


def main():
    os.makedirs(DATA, exist_ok=True)
    regions = picture(REGIONS)
    regions.save(os.path.join(DATA, "regions.bmp"))
    regions.save(os.path.join(DATA, "regions.pcx"))
    picture(grid_sheet()).save(os.path.join(DATA, "grid.bmp"))
    # The same colors as a palette file: blue, green, red, reserved for each index.
    colors = palette()
    with open(os.path.join(DATA, "test.pal"), "wb") as f:
        for i in range(256):
            r, g, b = colors[3 * i: 3 * i + 3]
            f.write(bytes([b, g, r, 0]))
    return 0


if __name__ == "__main__":
    sys.exit(main())
