#!/usr/bin/env python3
"""The end-to-end checker must pass a right sprite file and catch a wrong one."""
import os
import struct
import subprocess
import sys
import tempfile
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
CHECKER = os.path.join(HERE, "check_spr.py")

# A 6 x 4 sheet: two figures, "a" at (1, 1) 2 x 2 and "b" at (3, 0) 3 x 3 with a hole.
ROWS = [bytes([0, 0, 0, 7, 7, 7]),
        bytes([0, 5, 6, 7, 0, 7]),
        bytes([0, 6, 5, 7, 7, 7]),
        bytes([0, 0, 0, 0, 0, 0])]
FIGURES = "# name left top width height\na 1 1 2 2 1 plain\nb 3 0 3 3 2 hole\n"


def bmp(rows):
    width, height = len(rows[0]), len(rows)
    stride = (width + 3) & ~3
    pixels = b"".join(rows[y] + bytes(stride - width) for y in reversed(range(height)))
    offset = 14 + 40 + 1024
    return (b"BM" + struct.pack("<IHHI", offset + len(pixels), 0, 0, offset)
            + struct.pack("<IiiHHIIiiII", 40, width, height, 1, 8, 0, len(pixels), 0, 0, 256, 0)
            + bytes(1024) + pixels)


def compress(rows):
    table, body = [], b""
    for row in rows:
        table.append(4 * len(rows) + len(body))
        pairs, column = [], 0
        while column < len(row):
            skip = 0
            while column + skip < len(row) and row[column + skip] == 0:
                skip += 1
            literal = 0
            while column + skip + literal < len(row) and row[column + skip + literal] != 0:
                literal += 1
            pairs.append(bytes([skip, literal]) + row[column + skip:column + skip + literal])
            column += skip + literal
        body += struct.pack("<H", len(pairs)) + b"".join(pairs)
    return struct.pack(f"<{len(rows)}I", *table) + body


def entry(left, top, width, height, compressed=False, boxes=1, relative=(0, 0), centre=None,
          attacks=()):
    rows = [ROWS[top + y][left:left + width] for y in range(height)]
    image = compress(rows) if compressed else b"".join(rows)
    centre = centre or (width // 2, height // 2)
    head = struct.pack("<BBhhhhhhhhhiI", int(compressed), 0, *relative, width, height, *centre,
                       boxes, len(attacks), 0, len(image), 0)
    box = struct.pack("<6h", 0, 0, 0, width - 1, height - 1, 0)
    return (head + box * boxes + b"".join(struct.pack("<6h", 0, *a, 0) for a in attacks)
            + image)


def sprite_file(entries):
    return b"Zarvo sprite\0" + bytes(3) + struct.pack("<hhi", 30, len(entries), 0) + b"".join(entries)


class CheckSprTest(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.TemporaryDirectory()
        self.addCleanup(self.folder.cleanup)
        self.sheet = self.write("sheet.bmp", bmp(ROWS))
        self.figures = self.write("figures.txt", FIGURES.encode())

    def write(self, name, data):
        path = os.path.join(self.folder.name, name)
        with open(path, "wb") as file:
            file.write(data)
        return path

    def check(self, data, *names):
        spr = self.write("out.spr", data)
        return subprocess.run([sys.executable, CHECKER, spr, self.sheet, self.figures, *names],
                              capture_output=True, text=True)

    def test_right_files_pass_raw_and_compressed(self):
        for compressed in (False, True):
            with self.subTest(compressed=compressed):
                data = sprite_file([entry(1, 1, 2, 2, compressed), entry(3, 0, 3, 3, compressed)])
                result = self.check(data, "a", "b")
                self.assertEqual(result.returncode, 0, result.stdout)

    def test_figures_cut_as_one(self):
        """"a+b" is the rectangle around both figures."""
        self.assertEqual(self.check(sprite_file([entry(1, 0, 5, 3)]), "a+b").returncode, 0)
        self.assertEqual(self.check(sprite_file([entry(1, 1, 5, 2)]), "a+b").returncode, 1)

    def test_wrong_files_fail(self):
        good = [entry(1, 1, 2, 2), entry(3, 0, 3, 3)]
        one_pixel_off = bytearray(sprite_file(good))
        one_pixel_off[-1] ^= 1
        cases = {
            "a pixel differs": bytes(one_pixel_off),
            "sprites swapped": sprite_file(good[::-1]),
            "one sprite missing": sprite_file(good[:1]),
            "rectangle one pixel off": sprite_file([entry(1, 1, 2, 2), entry(3, 1, 3, 3)]),
            "no hit box": sprite_file([entry(1, 1, 2, 2, boxes=0), good[1]]),
            "bytes after the end": sprite_file(good) + b"\0",
            "bad signature": b"Zarvo Sprite" + sprite_file(good)[12:],
        }
        for name, data in cases.items():
            with self.subTest(name):
                result = self.check(data, "a", "b")
                self.assertEqual(result.returncode, 1, result.stderr)
                self.assertIn("check_spr: ", result.stdout)

    def test_expectation_file(self):
        """--expect: relative and centre coordinates, boxes and the compression flag as listed."""
        expect = self.write("want.txt", b"b 1 2 -3 1 0 hits= attacks=0,1,2,2\na 0 0 0 1 1 hits=0,0,1,1 attacks=\n")
        good = [entry(3, 0, 3, 3, True, 0, (2, -3), (1, 0), [(0, 1, 2, 2)]), entry(1, 1, 2, 2)]
        cases = {
            "as listed": (good, 0),
            "not compressed": ([entry(3, 0, 3, 3, False, 0, (2, -3), (1, 0), [(0, 1, 2, 2)]), good[1]], 1),
            "relative off": ([entry(3, 0, 3, 3, True, 0, (2, -2), (1, 0), [(0, 1, 2, 2)]), good[1]], 1),
            "centre off": ([entry(3, 0, 3, 3, True, 0, (2, -3), (0, 0), [(0, 1, 2, 2)]), good[1]], 1),
            "attack box off": ([entry(3, 0, 3, 3, True, 0, (2, -3), (1, 0), [(0, 0, 2, 2)]), good[1]], 1),
            "extra hit box": ([entry(3, 0, 3, 3, True, 1, (2, -3), (1, 0), [(0, 1, 2, 2)]), good[1]], 1),
            "order": (good[::-1], 1),
        }
        for name, (entries, code) in cases.items():
            with self.subTest(name):
                result = self.check(sprite_file(entries), "--expect", expect)
                self.assertEqual(result.returncode, code, result.stdout + result.stderr)


if __name__ == "__main__":
    unittest.main()
