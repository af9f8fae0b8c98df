#!/usr/bin/python3
"""quillon-cli end to end: every subcommand run as a user runs it, its files read back with Pillow.

Run by CTest with QUILLON_CLI (the program) and QUILLON_ROOT (the source tree) set; one test class
per argument, e.g. `cli_test.py ExportTest`.
"""
import json
import os
import shutil
import subprocess
import sys
import tempfile
import unittest

from PIL import Image

CLI = os.environ.get("QUILLON_CLI", "quillon-cli")
ROOT = os.environ.get("QUILLON_ROOT", os.path.join(os.path.dirname(__file__), "..", ".."))
DATA = os.path.join(ROOT, "tests", "cli", "data")
CORPUS = os.path.join(ROOT, "fuzz", "corpus")
REGIONS_BMP = os.path.join(DATA, "regions.bmp")
REGIONS_PCX = os.path.join(DATA, "regions.pcx")
GRID_BMP = os.path.join(DATA, "grid.bmp")
TEST_PAL = os.path.join(DATA, "test.pal")
SAMPLES = os.path.join(ROOT, "samples", "pictures")

# The rectangles (x, y, w, h) an --auto cut finds on regions.bmp, in reading order: corners and
# edges, figures touching at a corner only (one region), a ring with a dot in its hole and a U with
# a dot inside its outline (each one sprite), single pixels, figures one blank column apart.
REGIONS_AUTO = [
    (0, 0, 1, 1), (5, 0, 1, 2), (37, 0, 3, 3),
    (2, 3, 3, 3), (6, 3, 2, 3), (13, 3, 5, 5), (27, 4, 1, 1),
    (1, 9, 4, 2),
    (0, 11, 1, 1),
    (13, 12, 2, 2), (16, 12, 2, 2), (39, 13, 1, 1),
    (6, 15, 5, 4), (20, 16, 1, 1),
    (0, 21, 1, 1), (19, 21, 1, 1), (39, 21, 1, 1),
]
# The 10 x 12 cells of grid.bmp from (2, 1), without the empty seventh cell.
GRID_CELLS = [(2 + 10 * (c % 4), 1 + 12 * (c // 4), 10, 12) for c in range(8)]


def run(*args, cwd=None):
    done = subprocess.run([CLI, *args], capture_output=True, cwd=cwd)
    return done.returncode, done.stdout.decode("utf-8"), done.stderr.decode("utf-8")


def listed_rects(stdout):
    """The rectangles of `build --list`: "sprite N: W x H at (X, Y)"."""
    rects = []
    for line in stdout.splitlines():
        if line.startswith("sprite "):
            size, place = line.split(": ", 1)[1].split(" at ")
            w, h = (int(v) for v in size.split(" x "))
            x, y = (int(v) for v in place.strip("()").split(", "))
            rects.append((x, y, w, h))
    return rects


def crop(sheet, rect):
    x, y, w, h = rect
    return list(sheet.crop((x, y, x + w, y + h)).getdata())


def too_many_colors(path):
    return f"{path}: the sheet has 300 colors; sprites take at most 256: reduce it to 256 colors in a paint program " \
           "and try again"


def many_colors(path):
    """A true-color sheet of 300 colors, one a pixel."""
    sheet = Image.new("RGB", (20, 15))
    sheet.putdata([(i % 256, i // 256, 7) for i in range(300)])
    sheet.save(path)
    return path


def colors_of(image):
    """Every pixel's color, top row first: (r, g, b), or None for a transparent one."""
    rgba = image.convert("RGBA")
    return [None if a == 0 else (r, g, b) for r, g, b, a in rgba.getdata()]


def palette_of(image):
    colors = image.getpalette()
    return [tuple(colors[3 * i:3 * i + 3]) for i in range(len(colors) // 3)]


def pal_file_colors(path):
    data = open(path, "rb").read()
    return [(data[4 * i + 2], data[4 * i + 1], data[4 * i]) for i in range(256)]


class CliCase(unittest.TestCase):
    def setUp(self):
        self._tmp = tempfile.TemporaryDirectory(prefix="quillon-cli-test-")
        self.tmp = self._tmp.name

    def tearDown(self):
        self._tmp.cleanup()

    def path(self, name):
        return os.path.join(self.tmp, name)

    def ok(self, *args, cwd=None):
        code, out, err = run(*args, cwd=cwd)
        self.assertEqual(code, 0, f"{args}: {err}")
        return out, err

    def refused(self, *args):
        code, out, err = run(*args)
        self.assertEqual(code, 1, f"{args}: {out} {err}")
        return err.strip()

    def build(self, sheet, *options, name="set.spr"):
        out, _ = self.ok("build", sheet, self.path(name), *options, "--list")
        return self.path(name), listed_rects(out)

    def info(self, spr):
        out, _ = self.ok("info", "--json", spr)
        return json.loads(out)


class InfoTest(CliCase):
    def test_text_lists_every_sprite_and_box(self):
        spr, rects = self.build(REGIONS_BMP, "--auto", "--boxes", "--compress")
        out, _ = self.ok("info", spr)
        self.assertIn(f"{len(rects)} sprites, version 30, 0 actions", out)
        self.assertIn("sprite 5: 5 x 5, relative (0, 0), center (2, 2), compressed", out)
        self.assertIn("    hit box 0: (0, 0) - (4, 4)", out)
        self.assertIn("    attack box 0: (0, 0) - (4, 4)", out)

    def test_refusals_carry_the_core_text(self):
        missing = self.path("missing.spr")
        self.assertEqual(self.refused("info", missing), f"파일이 없습니다({missing})")
        self.assertEqual(self.refused("info", REGIONS_BMP), f"스프라이트 파일이 아닙니다({REGIONS_BMP})")


class BuildTest(CliCase):
    def test_auto_finds_the_regions_of_bmp_and_pcx_alike(self):
        for sheet in (REGIONS_BMP, REGIONS_PCX):
            _, rects = self.build(sheet, "--auto")
            self.assertEqual(rects, REGIONS_AUTO, sheet)

    def test_grid_takes_whole_cells_and_skips_empty_ones(self):
        _, rects = self.build(GRID_BMP, "--grid", "10x12+2+1")
        self.assertEqual(rects, [c for i, c in enumerate(GRID_CELLS) if i != 6])
        _, rects = self.build(GRID_BMP, "--grid", "10x12+2+1", "--keep-empty")
        self.assertEqual(rects, GRID_CELLS)

    def test_sprites_get_the_fields_of_the_windows_cut(self):
        sheet = Image.open(REGIONS_BMP)
        cases = [
            ([], False, False, False),
            (["--compress"], True, False, False),
            (["--hit-box"], False, True, False),
            (["--attack-box", "--compress"], True, False, True),
            (["--boxes"], False, True, True),
        ]
        for options, compressed, hit, attack in cases:
            spr, rects = self.build(REGIONS_BMP, "--auto", *options)
            doc = self.info(spr)
            self.assertEqual((doc["count"], doc["fileVersion"], doc["actionCount"]), (len(rects), 30, 0))
            for sprite, rect in zip(doc["sprites"], rects):
                w, h = rect[2], rect[3]
                where = f"{options} {rect}"
                self.assertEqual((sprite["width"], sprite["height"]), (w, h), where)
                self.assertEqual((sprite["rx"], sprite["ry"], sprite["mx"], sprite["my"]), (0, 0, w // 2, h // 2), where)
                self.assertEqual(sprite["compressed"], compressed, where)
                if not compressed:
                    self.assertEqual(sprite["imageSize"], w * h, where)
                whole = {"x1": 0, "y1": 0, "x2": w - 1, "y2": h - 1}
                self.assertEqual(sprite["hitBoxes"], [whole] if hit else [], where)
                self.assertEqual(sprite["attackBoxes"], [whole] if attack else [], where)
            # The cut pixels are the sheet's, byte for byte, whatever the storage.
            out = self.path("png")
            self.ok("export", spr, out, "--sheet", REGIONS_BMP)
            for i, rect in enumerate(rects):
                self.assertEqual(list(Image.open(os.path.join(out, f"sprite_{i:05d}.png")).getdata()),
                                 crop(sheet, rect), where)

    def test_true_color_and_png_sheets_cut_as_their_indexed_original(self):
        # The indexed PNG of a sheet gives the very sprite file of its BMP.
        spr_bmp, rects = self.build(REGIONS_BMP, "--auto", "--compress", name="bmp.spr")
        indexed = self.path("regions.png")
        Image.open(REGIONS_BMP).save(indexed)
        spr_png, png_rects = self.build(indexed, "--auto", "--compress", name="png.spr")
        self.assertEqual(png_rects, rects)
        with open(spr_png, "rb") as png, open(spr_bmp, "rb") as bmp:
            self.assertEqual(png.read(), bmp.read())

        # True colour: regions with index 0 made transparent (its red, green and blue varied), and the
        # grid sheet in RGB, whose top-left pixel is its background. Cut and exported with the sheet's
        # colors, every pixel shows the original's color, and index 0 stays transparent.
        regions = Image.open(REGIONS_BMP)
        rgba = regions.convert("RGBA")
        rgba.putdata([(i % 7, 3, 5, 0) if v == 0 else p
                      for i, (v, p) in enumerate(zip(regions.getdata(), rgba.getdata()))])
        grid = Image.open(GRID_BMP)
        sheets = []
        for name, image in (("regions-rgba.png", rgba), ("regions-rgba.bmp", rgba)):
            image.save(self.path(name))
            sheets.append((self.path(name), REGIONS_BMP, ["--auto"], REGIONS_AUTO))
        for name in ("grid-rgb.png", "grid-24.bmp", "grid-24.pcx"):
            grid.convert("RGB").save(self.path(name))
            sheets.append((self.path(name), GRID_BMP, ["--grid", "10x12+2+1"],
                           [c for i, c in enumerate(GRID_CELLS) if i != 6]))
        for sheet, original, method, expected in sheets:
            spr, got = self.build(sheet, *method, name=os.path.basename(sheet) + ".spr")
            self.assertEqual(got, expected, sheet)
            out = self.path(os.path.basename(sheet) + "-out")
            self.ok("export", spr, out, "--sheet", sheet)
            source = Image.open(original)
            background = source.getpixel((0, 0)) if original == GRID_BMP else 0
            for i, rect in enumerate(got):
                png = Image.open(os.path.join(out, f"sprite_{i:05d}.png"))
                want = [None if v == background else c
                        for v, c in zip(crop(source, rect), colors_of(source.crop((rect[0], rect[1], rect[0] + rect[2],
                                                                                   rect[1] + rect[3]))))]
                self.assertEqual(colors_of(png), want, (sheet, i))

    def test_refusals(self):
        out = self.path("x.spr")
        for many in (many_colors(self.path("many.png")), many_colors(self.path("many.bmp"))):
            self.assertEqual(self.refused("build", many, out, "--auto"), too_many_colors(many))
        self.assertFalse(os.path.exists(out))
        # No cell fits: the set is empty and the core will not save it; no file is left.
        self.assertEqual(self.refused("build", REGIONS_BMP, out, "--grid", "41x1"), "저장할 스프라이트가 없습니다.")
        self.assertFalse(os.path.exists(out))
        hostile = os.path.join(CORPUS, "bmp", "hostile-width-zero.bmp")
        # The picture's message holds 80 bytes: a long path cuts the text short, never garbles it.
        full = f"{hostile} BMP헤더가 잘못되었습니다."
        got = self.refused("build", hostile, out, "--auto")
        self.assertTrue(full.startswith(got), got)
        self.assertGreaterEqual(len(got.encode("cp949")), min(len(full.encode("cp949")), 78), got)


class ExportTest(CliCase):
    def test_pngs_and_json_hold_every_pixel_color_and_field(self):
        spr, rects = self.build(REGIONS_BMP, "--auto", "--compress", "--boxes")
        out = self.path("out")
        self.ok("export", spr, out, "--sheet", REGIONS_BMP)
        sheet = Image.open(REGIONS_BMP)
        colors = palette_of(sheet)
        for i, rect in enumerate(rects):
            png = Image.open(os.path.join(out, f"sprite_{i:05d}.png"))
            self.assertEqual((png.format, png.mode, png.size), ("PNG", "P", rect[2:]))
            self.assertEqual(list(png.getdata()), crop(sheet, rect), i)
            self.assertEqual(palette_of(png), colors, i)
            self.assertEqual(png.info.get("transparency"), 0, i)  # index 0 alone is transparent
        doc = json.load(open(os.path.join(out, "sprites.json"), encoding="utf-8"))
        info = self.info(spr)
        self.assertEqual((doc["format"], doc["version"], doc["palette"]), ("quillon-sprites", 1, REGIONS_BMP))
        for sprite, expected, i in zip(doc["sprites"], info["sprites"], range(len(rects))):
            self.assertEqual(sprite.pop("image"), f"sprite_{i:05d}.png")
            self.assertEqual(sprite, expected)

    def test_palette_file_or_grey_ramp(self):
        spr, _ = self.build(REGIONS_BMP, "--auto")
        out = self.path("pal")
        _, err = self.ok("export", spr, out, "--palette", TEST_PAL)
        self.assertEqual(err, "")
        self.assertEqual(palette_of(Image.open(os.path.join(out, "sprite_00003.png"))), pal_file_colors(TEST_PAL))
        out = self.path("grey")
        _, err = self.ok("export", spr, out)
        self.assertIn("warning: no palette given", err)
        self.assertEqual(palette_of(Image.open(os.path.join(out, "sprite_00003.png"))), [(i, i, i) for i in range(256)])
        self.assertEqual(json.load(open(os.path.join(out, "sprites.json")))["palette"], "grey ramp")

    def test_refusals(self):
        spr, _ = self.build(REGIONS_BMP, "--auto")
        missing = self.path("none.pal")
        self.assertEqual(self.refused("export", spr, self.path("o"), "--palette", missing), f"{missing}: 파일이 없습니다.")
        many = many_colors(self.path("many.pcx"))
        self.assertEqual(self.refused("export", spr, self.path("o"), "--sheet", many), too_many_colors(many))
        blocker = self.path("file")
        open(blocker, "w").close()
        self.assertIn(blocker, self.refused("export", spr, blocker))


class AtlasTest(CliCase):
    def test_atlas_json_frames_match_the_sprites(self):
        spr, rects = self.build(REGIONS_PCX, "--auto", "--boxes")
        out = self.path("atlas")
        self.ok("export", spr, out, "--atlas", "--palette", TEST_PAL)
        self.assertEqual(sorted(os.listdir(out)), ["atlas.json", "atlas.png"])
        doc = json.load(open(os.path.join(out, "atlas.json"), encoding="utf-8"))
        atlas = Image.open(os.path.join(out, doc["meta"]["image"]))
        self.assertEqual((atlas.mode, atlas.info.get("transparency")), ("P", 0))
        self.assertEqual(palette_of(atlas), pal_file_colors(TEST_PAL))
        self.assertEqual(atlas.size, (doc["meta"]["size"]["w"], doc["meta"]["size"]["h"]))
        sheet = Image.open(REGIONS_BMP)
        info = self.info(spr)
        self.assertEqual(len(doc["frames"]), len(rects))
        placed = []
        for i, (frame, rect, sprite) in enumerate(zip(doc["frames"], rects, info["sprites"])):
            self.assertEqual(frame["filename"], f"sprite_{i:05d}")
            f = frame["frame"]
            self.assertEqual((f["w"], f["h"]), rect[2:])
            self.assertEqual(frame["sourceSize"], {"w": rect[2], "h": rect[3]})
            self.assertEqual(frame["spriteSourceSize"], {"x": 0, "y": 0, "w": rect[2], "h": rect[3]})
            self.assertFalse(frame["rotated"] or frame["trimmed"])
            self.assertAlmostEqual(frame["pivot"]["x"], sprite["mx"] / rect[2])
            self.assertAlmostEqual(frame["pivot"]["y"], sprite["my"] / rect[3])
            self.assertEqual(crop(atlas, (f["x"], f["y"], f["w"], f["h"])), crop(sheet, rect), i)
            for other in placed:
                self.assertTrue(f["x"] >= other["x"] + other["w"] or other["x"] >= f["x"] + f["w"] or
                                f["y"] >= other["y"] + other["h"] or other["y"] >= f["y"] + f["h"], i)
            placed.append(f)
        meta = doc["meta"]["quillon"]
        self.assertEqual((meta["format"], meta["version"], meta["source"]), ("quillon-atlas", 1, spr))
        for entry, sprite in zip(meta["sprites"], info["sprites"]):
            self.assertEqual(entry.pop("filename"), f"sprite_{sprite['index']:05d}")
            self.assertEqual(entry, sprite)
        # Outside the frames the atlas is transparent.
        total = sum(f["w"] * f["h"] for f in placed)
        opaque = sum(1 for p in atlas.getdata() if p != 0)
        self.assertLessEqual(opaque, total)
        self.assertEqual(opaque, sum(1 for p in sheet.getdata() if p != 0))


class DumpTest(CliCase):
    def test_mirrored_zoomed_sprite_with_boxes(self):
        spr, rects = self.build(REGIONS_BMP, "--auto", "--hit-box", "--compress")
        sheet = Image.open(REGIONS_BMP)
        ring = rects.index((13, 3, 5, 5))  # the ring with a dot in its hole
        x, y, w, h = rects[ring]
        for flip, mirror in (("h", Image.Transpose.FLIP_LEFT_RIGHT), ("v", Image.Transpose.FLIP_TOP_BOTTOM)):
            out = self.path(f"dump-{flip}.png")
            self.ok("dump", spr, str(ring), out, "--flip", flip, "--zoom", "3", "--sheet", REGIONS_BMP)
            png = Image.open(out)
            self.assertEqual((png.mode, png.size, png.info.get("transparency")), ("P", (3 * w, 3 * h), 0))
            self.assertEqual(palette_of(png), palette_of(sheet))
            expected = sheet.crop((x, y, x + w, y + h)).transpose(mirror).resize((3 * w, 3 * h), Image.Resampling.NEAREST)
            self.assertEqual(list(png.getdata()), list(expected.getdata()), flip)
        # With --boxes the whole-sprite hit box outlines the sprite in color 5; inside, the sprite.
        out = self.path("boxes.png")
        _, err = self.ok("dump", spr, str(ring), out, "--boxes")
        self.assertIn("grey ramp", err)
        png = Image.open(out)
        inner = sheet.crop((x + 1, y + 1, x + w - 1, y + h - 1))
        for py in range(h):
            for px in range(w):
                edge = px in (0, w - 1) or py in (0, h - 1)
                want = 5 if edge else inner.getpixel((px - 1, py - 1))
                self.assertEqual(png.getpixel((px, py)), want, (px, py))

    def test_refusals(self):
        spr, rects = self.build(REGIONS_BMP, "--auto")
        text = self.refused("dump", spr, str(len(rects)), self.path("x.png"))
        self.assertEqual(text, f"{spr}: there is no sprite {len(rects)}; the file holds {len(rects)}")


# The core's refusal texts, as a terminal shows them; %s is the path given.
CORE_TEXTS = {
    "bmp": ["%s 파일이 없습니다.", "%s BMP헤더를 읽을수 없읍니다.", "%s BMP파일이 아닙니다.", "%s 메모리가 부족합니다.",
            "%s 파일을 읽을수 없습니다.", "%s BMP헤더가 잘못되었습니다.", "%s 지원하지 않는 BMP형식입니다.",
            "%s 팔레트 메모리가 부족합니다."],
    "pcx": ["파일이 존재하지 않습니다.(%s)", "%s는 PCX파일이 아닙니다.", "PCX파일이 8비트 혹은 24비트 컬러가 아닙니다",
            "메모리가 부족합니다", "%s PCX파일의 그림 크기가 잘못되었습니다.",
            "%s PCX파일의 한 줄 바이트 수가 잘못되었습니다.", "%s 파일을 읽을수 없습니다."],
    "png": ["%s 파일이 없습니다.", "%s PNG파일이 아닙니다.", "%s PNG파일을 읽을수 없습니다.", "%s 메모리가 부족합니다.",
            "%s PNG를 읽을 코덱을 쓸수 없습니다.",
            "the sheet has 300 colors; sprites take at most 256: reduce it to 256 colors in a paint program and try again"],
    "spr": ["파일이 없습니다(%s)", "스프라이트 파일이 아닙니다(%s)", "스프라이트 파일이 손상되었습니다(%s)",
            "메모리 할당 실패(헤더)", "메모리 할당 실패(이미지)"],
}
# A picture's message holds 79 bytes of code page 949; a longer text is cut.
PICTURE_MESSAGE_BYTES = 79


class CheckTest(CliCase):
    def check_folder(self, folder, kind):
        """Checks every file of a corpus folder in one run; returns {name: line}."""
        where = os.path.join(CORPUS, folder)
        names = sorted(os.listdir(where))
        code, out, err = run("check", "--as", kind, *names, cwd=where)
        self.assertIn(code, (0, 1), err)  # never a crash
        lines = {}
        for stream, good in ((out, True), (err, False)):
            for line in stream.splitlines():
                name, text = line.split(": ", 1)
                self.assertNotIn(name, lines)
                lines[name] = (good, text)
        self.assertEqual(sorted(lines), names)
        self.assertEqual(code, 0 if all(good for good, _ in lines.values()) else 1)
        for name, (good, text) in lines.items():
            if good:
                self.assertTrue(text.startswith("OK, "), (name, text))
                continue
            known = [t.replace("%s", name) for t in CORE_TEXTS[kind]]
            cut = len(text.encode("cp949")) >= PICTURE_MESSAGE_BYTES - 1 and kind != "spr"
            self.assertTrue(text in known or (cut and any(k.startswith(text) for k in known)), (name, text))
        return {name: text for name, (good, text) in lines.items()}

    def test_every_corpus_file_is_answered_with_the_core_text(self):
        results = {}
        for folder, kind in (("bmp", "bmp"), ("pcx", "pcx"), ("png", "png"), ("sprite_file", "spr"),
                             ("sprite_draw", "spr")):
            results[folder] = self.check_folder(folder, kind)
        for folder in results:
            for name, text in results[folder].items():
                if name.startswith(("seed-", "good-")) and "4plane" not in name:
                    self.assertTrue(text.startswith("OK"), (folder, name, text))
                if name.startswith("bad-"):
                    self.assertFalse(text.startswith("OK"), (folder, name, text))
        expected = {
            ("bmp", "hostile-bits-per-pixel-7.bmp"): "hostile-bits-per-pixel-7.bmp BMP헤더가 잘못되었습니다.",
            ("bmp", "hostile-bitfields-32.bmp"): "hostile-bitfields-32.bmp 파일을 읽을수 없습니다.",  # no masks
            ("bmp", "seed-pil-w7-24.bmp"): "OK, BMP 7 x 5, true color, 16 colors (indexed to 8 bits)",
            ("png", "seed-pil-w7-rgba.png"): "OK, PNG 7 x 5, true color, 15 colors (indexed to 8 bits)",
            ("png", "seed-pil-w33.png"): "OK, PNG 33 x 9, 8 bits per pixel",
            ("png", "hostile-width-past-the-cap.png"): "hostile-width-past-the-cap.png 메모리가 부족합니다.",
            ("png", "hostile-bad-checksum.png"): "hostile-bad-checksum.png PNG파일을 읽을수 없습니다.",
            ("png", "hostile-300-colors.png"): too_many_colors("hostile-300-colors.png").split(": ", 1)[1],
            ("bmp", "hostile-size-overflow.bmp"): "hostile-size-overflow.bmp 메모리가 부족합니다.",
            ("bmp", "hostile-ends-in-pixels.bmp"): "hostile-ends-in-pixels.bmp 파일을 읽을수 없습니다.",
            ("pcx", "hostile-planes-4.pcx"): "PCX파일이 8비트 혹은 24비트 컬러가 아닙니다",
            ("pcx", "hostile-xmax-below-xmin.pcx"): "hostile-xmax-below-xmin.pcx PCX파일의 그림 크기가 잘못되었습니다.",
            ("sprite_file", "bad-signature.spr"): "스프라이트 파일이 아닙니다(bad-signature.spr)",
            ("sprite_file", "bad-truncated.spr"): "스프라이트 파일이 손상되었습니다(bad-truncated.spr)",
            ("sprite_file", "bad-negative-count.spr"): "메모리 할당 실패(헤더)",
            ("sprite_file", "good-mixed.spr"): "OK, sprite file, 2 sprites",
        }
        for (folder, name), text in expected.items():
            self.assertEqual(results[folder][name], text)

    def test_kind_by_extension_then_by_content(self):
        plain = self.path("no-extension")
        with open(plain, "wb") as f:
            f.write(open(os.path.join(CORPUS, "sprite_file", "good-random-1.spr"), "rb").read())
        other = self.path("notes.txt")
        open(other, "w").write("hello")
        code, out, err = run("check", REGIONS_PCX, GRID_BMP, plain, other, self.path("gone.gif"))
        self.assertEqual(code, 1)
        self.assertIn(f"{REGIONS_PCX}: OK, PCX 40 x 22, 8 bits per pixel", out)
        self.assertIn(f"{GRID_BMP}: OK, BMP 45 x 30, 8 bits per pixel", out)
        self.assertIn(f"{plain}: OK, sprite file, 4 sprites", out)
        self.assertIn(f"{other}: not a sprite file, BMP, PCX or PNG", err)
        png = self.path("sheet")
        shutil.copy(os.path.join(SAMPLES, "pil-w7-rgb.png"), png)
        self.assertEqual(self.ok("check", png)[0], f"{png}: OK, PNG 7 x 5, true color, 16 colors (indexed to 8 bits)\n")
        many = many_colors(self.path("many.png"))
        self.assertEqual(self.refused("check", "--as", "png", many), too_many_colors(many))
        self.assertIn("gone.gif: no such file", err)
        # Named by the user, a sheet read as a sprite file is refused with the sprite file's text.
        self.assertEqual(self.refused("check", "--as", "spr", GRID_BMP),
                         f"{GRID_BMP}: 스프라이트 파일이 아닙니다({GRID_BMP})")


class UsageTest(CliCase):
    def test_usage_errors_answer_2(self):
        spr = self.path("s.spr")
        cases = [
            [], ["frobnicate"], ["info"], ["info", spr, "extra"], ["info", spr, "--color"],
            ["check"], ["check", "--as", "gif", spr],
            ["export", spr], ["export", spr, "o", "--palette", TEST_PAL, "--sheet", REGIONS_BMP],
            ["build", REGIONS_BMP, spr], ["build", REGIONS_BMP, spr, "--grid", "2x2", "--auto"],
            ["build", REGIONS_BMP, spr, "--grid", "2x"], ["build", REGIONS_BMP, spr, "--grid", "0x2"],
            ["build", REGIONS_BMP, spr, "--grid", "2x2", "--gap", "3"], ["build", REGIONS_BMP, spr, "--auto", "--gap", "-1"],
            ["dump", spr, "-1", "o.png"], ["dump", spr, "x", "o.png"], ["dump", spr, "0", "o.png", "--zoom", "0"],
            ["dump", spr, "0", "o.png", "--flip", "x"], ["dump", spr, "0"],
        ]
        for args in cases:
            code, out, err = run(*args)
            self.assertEqual(code, 2, f"{args}: {out} {err}")
            self.assertNotEqual(err, "", args)
        self.assertFalse(os.path.exists(spr))

    def test_help_on_each_command(self):
        for command in ([], ["info"], ["check"], ["export"], ["build"], ["dump"]):
            out, _ = self.ok(*command, "--help")
            self.assertIn("Usage", out, command)


if __name__ == "__main__":
    unittest.main(argv=[sys.argv[0], *sys.argv[1:]], verbosity=1)
