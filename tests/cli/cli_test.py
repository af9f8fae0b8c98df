#!/usr/bin/python3
"""quillon-cli end to end: every subcommand run as a user runs it, its files read back with Pillow.

Run by CTest with QUILLON_CLI (the program) and QUILLON_ROOT (the source tree) set; one test class
per argument, e.g. `cli_test.py ExportTest`.
"""
import json
import os
import resource
import shutil
import signal
import stat
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

    def test_refusals_are_english_sentences(self):
        missing = self.path("missing.spr")
        self.assertEqual(self.refused("info", missing), f"{missing}: no such file")
        self.assertEqual(self.refused("info", REGIONS_BMP),
                         f'{REGIONS_BMP}: not a sprite file (it does not begin with "Zarvo sprite")')


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
        self.assertEqual(self.refused("build", REGIONS_BMP, out, "--grid", "41x1"), f"{out}: there are no sprites to save")
        self.assertFalse(os.path.exists(out))
        hostile = os.path.join(CORPUS, "bmp", "hostile-width-zero.bmp")
        self.assertEqual(self.refused("build", hostile, out, "--auto"),
                         f"{hostile}: the BMP header is invalid (its width, height or bits per pixel)")


    def test_a_full_set_is_cut_and_one_more_refused_before_the_work(self):
        # Single pixels two apart: 256 x 128 of them is one past the limit; without the last
        # one the set is exactly full.
        sheet = Image.new("P", (512, 256), 0)
        sheet.putpalette([v for i in range(256) for v in (i, i, i)])
        for y in range(0, 256, 2):
            for x in range(0, 512, 2):
                sheet.putpixel((x, y), 1 + (x + y) % 200)
        over = self.path("over.bmp")
        sheet.save(over)
        out = self.path("dots.spr")
        self.assertEqual(self.refused("build", over, out, "--auto"),
                         f"{over}: 32768 sprites found; a sprite file holds at most 32,767")
        self.assertFalse(os.path.exists(out))
        sheet.putpixel((510, 254), 0)
        full = self.path("full.bmp")
        sheet.save(full)
        self.ok("build", full, out, "--auto", "--compress")
        doc = self.info(out)
        self.assertEqual(doc["count"], 32767)
        self.assertEqual(doc["sprites"][-1]["width"], 1)


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
        self.assertEqual(self.refused("export", spr, self.path("o"), "--palette", missing), f"{missing}: no such file")
        many = many_colors(self.path("many.pcx"))
        self.assertEqual(self.refused("export", spr, self.path("o"), "--sheet", many), too_many_colors(many))
        blocker = self.path("file")
        open(blocker, "w").close()
        self.assertIn(blocker, self.refused("export", spr, blocker))


def load_json(path):
    with open(path, encoding="utf-8") as f:
        return json.load(f)


def frames_by_name(doc):
    """The frames of either layout as {name: frame}, in the document's order."""
    if isinstance(doc["frames"], list):
        return {frame.pop("filename"): frame for frame in doc["frames"]}
    return dict(doc["frames"])


class AtlasCase(CliCase):
    def moved_set(self):
        """A set cut from regions.pcx whose sprites have relative coordinates as an animation
        gives them: drawn left of and above the anchor, or right of and below it."""
        spr, rects = self.build(REGIONS_PCX, "--auto", "--boxes")
        moved = self.path("moved.spr")
        with open(spr, "rb") as f:
            data = bytearray(f.read())
        offset, coords = 24, {}
        for i, rect in enumerate(rects):
            rx, ry = (-(rect[2] // 2) - i, -rect[3]) if i % 2 == 0 else (3, i)
            data[offset + 2:offset + 6] = rx.to_bytes(2, "little", signed=True) + ry.to_bytes(2, "little", signed=True)
            coords[i] = (rx, ry)
            hits, attacks = (int.from_bytes(data[offset + k:offset + k + 2], "little") for k in (14, 16))
            offset += 28 + 12 * (hits + attacks) + rect[2] * rect[3]
        with open(moved, "wb") as f:
            f.write(data)
        return moved, rects, coords

    def atlas(self, spr, *options, folder="atlas"):
        out = self.path(folder)
        self.ok("export", spr, out, "--atlas", "--palette", TEST_PAL, *options)
        return out


class AtlasTest(AtlasCase):
    def test_frames_hold_the_sprites_pixels_names_and_anchor(self):
        moved, rects, coords = self.moved_set()
        sheet = Image.open(REGIONS_BMP)
        info = self.info(moved)
        for layout in ("hash", "array"):
            out = self.atlas(moved, "--format", layout, folder=layout)
            self.assertEqual(sorted(os.listdir(out)), ["atlas.json", "atlas.png"])
            doc = load_json(os.path.join(out, "atlas.json"))
            self.assertIsInstance(doc["frames"], list if layout == "array" else dict)
            atlas = Image.open(os.path.join(out, doc["meta"]["image"]))
            self.assertEqual((atlas.mode, atlas.info.get("transparency")), ("P", 0))
            self.assertEqual(palette_of(atlas), pal_file_colors(TEST_PAL))
            self.assertEqual(atlas.size, (doc["meta"]["size"]["w"], doc["meta"]["size"]["h"]))
            frames = frames_by_name(doc)
            self.assertEqual(list(frames), [f"moved_{i:05d}" for i in range(len(rects))])
            self.assertEqual(doc["animations"], {"moved": list(frames)})
            placed = []
            for i, (frame, rect, sprite) in enumerate(zip(frames.values(), rects, info["sprites"])):
                f = frame["frame"]
                w, h = rect[2:]
                self.assertEqual((f["w"], f["h"]), (w, h))
                self.assertEqual(frame["sourceSize"], {"w": w, "h": h})
                self.assertEqual(frame["spriteSourceSize"], {"x": 0, "y": 0, "w": w, "h": h})
                self.assertFalse(frame["rotated"] or frame["trimmed"])
                rx, ry = coords[i]
                self.assertEqual(frame["anchor"], {"x": -rx / w, "y": -ry / h}, i)
                self.assertEqual(frame["pivot"], frame["anchor"])
                self.assertEqual(frame["center"], {"x": sprite["mx"], "y": sprite["my"]})
                self.assertEqual((frame["hitBoxes"], frame["attackBoxes"]), (sprite["hitBoxes"], sprite["attackBoxes"]))
                self.assertNotIn("duration", frame)
                self.assertEqual(crop(atlas, (f["x"], f["y"], w, h)), crop(sheet, rect), i)
                for other in placed:
                    self.assertTrue(f["x"] > other["x"] + other["w"] or other["x"] > f["x"] + f["w"] or
                                    f["y"] > other["y"] + other["h"] or other["y"] > f["y"] + f["h"], i)
                placed.append(f)
            meta = doc["meta"]["quillon"]
            self.assertEqual((meta["format"], meta["version"], meta["pages"]), ("quillon-atlas", 2, 1))
            (entry,) = meta["inputs"]
            self.assertEqual((entry["source"], entry["name"]), (moved, "moved"))
            for got, sprite in zip(entry["sprites"], info["sprites"]):
                self.assertEqual((got.pop("filename"), got.pop("page")), (f"moved_{sprite['index']:05d}", 0))
                self.assertEqual(got, sprite)
            # Outside the frames the atlas is transparent.
            self.assertEqual(sum(1 for p in atlas.getdata() if p != 0), sum(1 for p in sheet.getdata() if p != 0))

    def test_trim_padding_extrude_and_durations(self):
        # Grid cells hold figures with blank margins: trimming cuts them off.
        spr, rects = self.build(GRID_BMP, "--grid", "10x12+2+1")
        sheet = Image.open(GRID_BMP)
        out = self.atlas(spr, "--trim", "--padding", "3", "--extrude", "2", "--fps", "12", "--name", "walk-%d")
        doc = load_json(os.path.join(out, "atlas.json"))
        atlas = Image.open(os.path.join(out, "atlas.png"))
        frames = frames_by_name(doc)
        self.assertEqual(list(frames), [f"walk-{i}" for i in range(len(rects))])
        footprints = []
        for frame, rect in zip(frames.values(), rects):
            cell = sheet.crop((rect[0], rect[1], rect[0] + rect[2], rect[1] + rect[3]))
            box = cell.point(lambda v: 255 if v else 0).getbbox()
            src, f = frame["spriteSourceSize"], frame["frame"]
            self.assertEqual((src["x"], src["y"], src["x"] + src["w"], src["y"] + src["h"]), box)
            self.assertEqual((f["w"], f["h"]), (src["w"], src["h"]))
            self.assertEqual(frame["sourceSize"], {"w": 10, "h": 12})
            self.assertEqual(frame["trimmed"], (src["w"], src["h"]) != (10, 12))
            self.assertEqual(frame["duration"], 83)
            self.assertEqual(crop(atlas, (f["x"], f["y"], f["w"], f["h"])), list(cell.crop(box).getdata()))
            # Two rings of edge pixels around the frame repeat its border.
            for d in (1, 2):
                self.assertEqual(atlas.getpixel((f["x"] - d, f["y"])), atlas.getpixel((f["x"], f["y"])))
                self.assertEqual(atlas.getpixel((f["x"] + f["w"] - 1 + d, f["y"] + f["h"] - 1)),
                                 atlas.getpixel((f["x"] + f["w"] - 1, f["y"] + f["h"] - 1)))
                self.assertEqual(atlas.getpixel((f["x"] - d, f["y"] - d)), atlas.getpixel((f["x"], f["y"])))
            footprints.append((f["x"] - 2, f["y"] - 2, f["x"] + f["w"] + 1, f["y"] + f["h"] + 1))
        for i, a in enumerate(footprints):
            for b in footprints[:i]:  # three blank pixels between extruded frames
                self.assertTrue(a[0] > b[2] + 3 or b[0] > a[2] + 3 or a[1] > b[3] + 3 or b[1] > a[3] + 3, (a, b))

    def test_pages_of_a_maximum_size_and_powers_of_two(self):
        spr, rects = self.build(REGIONS_BMP, "--auto")
        out = self.atlas(spr, "--max-size", "12", "--pot", "--padding", "0")
        pages = sorted(n for n in os.listdir(out))
        count = len(pages) // 2
        self.assertGreater(count, 1)
        self.assertEqual(pages, sorted([f"atlas-{k}.json" for k in range(count)] + [f"atlas-{k}.png" for k in range(count)]))
        seen = {}
        for k in range(count):
            doc = load_json(os.path.join(out, f"atlas-{k}.json"))
            size = (doc["meta"]["size"]["w"], doc["meta"]["size"]["h"])
            self.assertEqual(Image.open(os.path.join(out, doc["meta"]["image"])).size, size)
            self.assertEqual(doc["meta"]["image"], f"atlas-{k}.png")
            for side in size:
                self.assertIn(side, (1, 2, 4, 8))
            self.assertEqual(sorted(doc["meta"]["related_multi_packs"]),
                             [f"atlas-{j}.json" for j in range(count) if j != k])
            self.assertEqual(doc["meta"]["quillon"]["page"], k)
            for name, frame in frames_by_name(doc).items():
                seen[name] = k
                self.assertLessEqual(frame["frame"]["x"] + frame["frame"]["w"], size[0])
            self.assertEqual(doc["animations"]["set"], [n for n in seen if seen[n] == k])
        self.assertEqual(sorted(seen), [f"set_{i:05d}" for i in range(len(rects))])
        # A sprite larger than a page is refused by name, and nothing is written.
        text = self.refused("export", spr, self.path("small"), "--atlas", "--max-size", "2", "--palette", TEST_PAL)
        self.assertEqual(text, "set_00002 is 3 x 3 pixels; it does not fit on a page of at most 2 x 2")
        self.assertFalse(os.path.exists(self.path("small")))

    def test_several_files_one_atlas_chosen_names_and_standard_output(self):
        walk, walk_rects = self.build(REGIONS_BMP, "--auto", name="walk.spr")
        idle, idle_rects = self.build(GRID_BMP, "--grid", "10x12+2+1", name="idle.spr")
        out = self.path("both")
        code, stdout, err = run("export", walk, idle, out, "--atlas", "--out-json", "-", "--out-png", "hero.png",
                                "--format", "array")
        self.assertEqual(code, 0, err)
        self.assertEqual(os.listdir(out), ["hero.png"])
        doc = json.loads(stdout)
        names = [frame["filename"] for frame in doc["frames"]]
        self.assertEqual(names, [f"walk_{i:05d}" for i in range(len(walk_rects))] +
                         [f"idle_{i:05d}" for i in range(len(idle_rects))])
        self.assertEqual(list(doc["animations"]), ["walk", "idle"])
        self.assertEqual(doc["meta"]["image"], "hero.png")
        self.assertEqual([i["source"] for i in doc["meta"]["quillon"]["inputs"]], [walk, idle])
        # The same name twice, a pattern that cannot tell the files apart, several files without --atlas.
        other = os.path.join(self.path("x"), "walk.spr")
        os.mkdir(self.path("x"))
        shutil.copy(walk, other)
        self.assertIn('are both named "walk"', self.refused("export", walk, other, out, "--atlas"))
        for args in (["--atlas", "--name", "f%d"], []):
            code, _, err = run("export", walk, idle, out, *args)
            self.assertEqual(code, 2, (args, err))
        # A sprite file on standard input, named "stdin".
        with open(walk, "rb") as f:
            done = subprocess.run([CLI, "export", "-", self.path("piped"), "--atlas"], stdin=f, capture_output=True)
        self.assertEqual(done.returncode, 0, done.stderr)
        self.assertEqual(list(load_json(os.path.join(self.path("piped"), "atlas.json"))["animations"]), ["stdin"])


ENGINES = os.path.join(ROOT, "tests", "cli", "engines")


class EngineTest(AtlasCase):
    """atlas.json read by the engines' own parsers (Phaser 3, PixiJS 8 and 7) under node."""

    def load(self, engine, atlas_json):
        node = shutil.which("node")
        self.assertIsNotNone(node, "node is missing: run tools/install-deps.sh")
        self.assertTrue(os.path.isdir(os.path.join(ENGINES, "node_modules")),
                        "the engines are missing: run tools/install-deps.sh")
        done = subprocess.run([node, os.path.join(ENGINES, "load_atlas.mjs"), engine, atlas_json],
                              capture_output=True, timeout=120)
        self.assertEqual(done.returncode, 0, done.stderr.decode())
        return json.loads(done.stdout)

    def test_engines_read_every_frame_as_written(self):
        moved, rects, coords = self.moved_set()
        info = self.info(moved)
        names = [f"moved_{i:05d}" for i in range(len(rects))]
        # PixiJS reads the hash layout only; Phaser both.
        for layout, engines in (("hash", ("phaser", "pixi8", "pixi7")), ("array", ("phaser",))):
            out = self.atlas(moved, "--format", layout, "--trim", "--fps", "8", "--extrude", "1", folder=layout)
            path = os.path.join(out, "atlas.json")
            written = frames_by_name(load_json(path))
            for engine in engines:
                with self.subTest(layout=layout, engine=engine):
                    got = self.load(engine, path)
                    self.assertEqual(list(got["frames"]), names)
                    for i, name in enumerate(names):
                        frame, sprite, (rx, ry) = written[name], info["sprites"][i], coords[i]
                        g = got["frames"][name]
                        f, src = frame["frame"], frame["spriteSourceSize"]
                        self.assertEqual((g["x"], g["y"], g["w"], g["h"]), (f["x"], f["y"], f["w"], f["h"]), name)
                        self.assertEqual((g["sourceW"], g["sourceH"]), (sprite["width"], sprite["height"]), name)
                        self.assertEqual((g["trimX"], g["trimY"]), (src["x"], src["y"]), name)
                        # The anchor is the point the program draws the sprite at.
                        self.assertAlmostEqual(g["anchorX"], -rx / sprite["width"], msg=name)
                        self.assertAlmostEqual(g["anchorY"], -ry / sprite["height"], msg=name)
                        if engine == "phaser":
                            self.assertEqual(g["duration"], 125, name)
                    if engine != "phaser":
                        self.assertEqual(got["animations"], {"moved": names})


class GifTest(AtlasCase):
    def gif_colors(self, gif, frame):
        """Frame `frame` of the GIF as a viewer shows it: (r, g, b) a pixel, None where transparent."""
        gif.seek(frame)
        return colors_of(gif)

    def test_one_frame_a_sprite_on_one_canvas_from_the_anchor(self):
        moved, rects, coords = self.moved_set()
        sheet = Image.open(REGIONS_BMP)
        colors = pal_file_colors(TEST_PAL)
        for flip in ("", "h"):
            out = self.path(f"walk{flip}.gif")
            self.ok("export", moved, "--gif", out, "--fps", "12", "--palette", TEST_PAL, *(["--flip", flip] if flip else []))
            # Mirrored left to right, a sprite at rx lies at -rx - w.
            xs = {i: (-coords[i][0] - rects[i][2] if flip else coords[i][0]) for i in coords}
            left = min(xs.values())
            top = min(y for _, y in coords.values())
            width = max(xs[i] + rects[i][2] for i in coords) - left
            height = max(coords[i][1] + rects[i][3] for i in coords) - top
            gif = Image.open(out)
            self.assertEqual((gif.format, gif.size, gif.n_frames), ("GIF", (width, height), len(rects)))
            self.assertEqual(gif.info.get("loop"), 0)
            for frame in range(gif.n_frames):
                gif.seek(frame)
                self.assertEqual(gif.info["duration"], 80, frame)  # 100 / 12 = 8 hundredths
            for i in (0, 5, len(rects) - 1):
                expected = [None] * (width * height)
                x0, y0 = xs[i] - left, coords[i][1] - top
                cells = crop(sheet, rects[i])
                w = rects[i][2]
                for k, index in enumerate(cells):
                    c = w - 1 - k % w if flip else k % w
                    if index != 0:
                        expected[(y0 + k // w) * width + x0 + c] = colors[index]
                self.assertEqual(self.gif_colors(gif, i), expected, (flip, i))

    def test_frame_rates_standard_output_and_refusals(self):
        spr, rects = self.build(REGIONS_BMP, "--auto")
        code = subprocess.run([CLI, "export", spr, "--gif", "-", "--fps", "70"], capture_output=True)
        self.assertEqual(code.returncode, 0, code.stderr)
        gif = self.path("piped.gif")
        with open(gif, "wb") as f:
            f.write(code.stdout)
        gif = Image.open(gif)
        self.assertEqual(gif.n_frames, len(rects))
        self.assertEqual(gif.info["duration"], 20)  # 100 / 70 rounds to 1, and viewers take 2 at least
        out = self.path("default.gif")
        self.ok("export", spr, "--gif", out)
        self.assertEqual(Image.open(out).info["duration"], 100)  # 10 frames a second
        folder = self.path("folder")
        os.mkdir(folder)
        self.assertIn(folder, self.refused("export", spr, "--gif", folder))
        empty = self.path("empty.spr")
        with open(empty, "wb") as f:
            f.write(open(spr, "rb").read()[:16] + bytes([30, 0, 0, 0, 0, 0, 0, 0]))
        self.assertEqual(self.refused("export", empty, "--gif", out, "--palette", TEST_PAL),
                         f"{empty}: the set holds no sprites")


def snapshot(folder):
    """Every entry of a folder: its kind and, for a regular file, its bytes."""
    entries = {}
    for name in sorted(os.listdir(folder)):
        path = os.path.join(folder, name)
        mode = os.lstat(path).st_mode
        if stat.S_ISREG(mode):
            with open(path, "rb") as f:
                entries[name] = f.read()
        else:
            entries[name] = (stat.S_IFMT(mode), os.readlink(path) if stat.S_ISLNK(mode) else None)
    return entries


def full_disk():
    """In the child: files cannot grow past 200 bytes (writes past it fail with EFBIG), as on a full disk."""
    signal.signal(signal.SIGXFSZ, signal.SIG_IGN)
    resource.setrlimit(resource.RLIMIT_FSIZE, (200, 200))


class FailureTest(CliCase):
    def test_each_failure_exits_1_with_one_line_and_keeps_the_earlier_export(self):
        spr, _ = self.build(REGIONS_BMP, "--auto", "--compress")
        short_pal = self.path("short.pal")
        with open(short_pal, "wb") as f:
            f.write(b"\x01\x02\x03\x04\x05")
        elsewhere = self.path("elsewhere.json")

        def fifo(path):
            os.mkfifo(path)

        def symlink(path):
            with open(elsewhere, "w") as f:
                f.write("not ours")
            os.symlink(elsewhere, path)

        def device(path):
            os.mknod(path, 0o600 | stat.S_IFCHR, os.makedev(1, 3))  # the null device's numbers

        # (what, the export's extra arguments, how to spoil the folder first, a start-up hook, the reason)
        cases = [
            ("full disk", [], None, full_disk, "File too large"),
            ("FIFO", [], fifo, None, "a FIFO; only a regular file is replaced"),
            ("symbolic link", [], symlink, None, "a symbolic link; only a regular file is replaced"),
            ("device", [], device, None, "a device; only a regular file is replaced"),
            ("short palette", ["--palette", short_pal], None, None,
             "a palette file holds 1,024 bytes (256 colors of 4 bytes); this one has 5"),
        ]
        for what, extra, spoil, hook, reason in cases:
            for mode in ([], ["--atlas"]):
                with self.subTest(what=what, mode=mode):
                    out = self.path(f"out-{what}-{len(mode)}")
                    self.ok("export", spr, out, "--palette", TEST_PAL, *mode)
                    json_name = "atlas.json" if mode else "sprites.json"
                    if spoil:
                        os.remove(os.path.join(out, json_name))
                        try:
                            spoil(os.path.join(out, json_name))
                        except PermissionError:
                            self.skipTest(f"{what}: not allowed here")
                    before = snapshot(out)
                    args = ["export", spr, out, *mode]
                    if "--palette" not in extra:
                        args += ["--palette", TEST_PAL]
                    done = subprocess.run([CLI, *args, *extra], capture_output=True, preexec_fn=hook)
                    err = done.stderr.decode()
                    self.assertEqual(done.returncode, 1, err)
                    self.assertEqual(len(err.splitlines()), 1, err)
                    self.assertIn(reason, err)
                    self.assertEqual(snapshot(out), before)
                    if spoil is symlink:
                        with open(elsewhere) as f:
                            self.assertEqual(f.read(), "not ours")

    def test_single_files_and_standard_output(self):
        spr, _ = self.build(REGIONS_BMP, "--auto")
        # Standard output on a full disk.
        for args in (["info", "--json", spr], ["dump", spr, "0", "-", "--palette", TEST_PAL], ["build", REGIONS_BMP, "-", "--auto"]):
            with open("/dev/full", "wb") as full:
                done = subprocess.run([CLI, *args], stdout=full, stderr=subprocess.PIPE)
            err = done.stderr.decode()
            self.assertEqual(done.returncode, 1, (args, err))
            self.assertEqual(err.strip().splitlines(), ["standard output: No space left on device"], args)
        # A FIFO, a folder or a symbolic link where one file goes is refused and left alone.
        fifo = self.path("pipe.png")
        os.mkfifo(fifo)
        self.assertEqual(self.refused("dump", spr, "0", fifo, "--palette", TEST_PAL),
                         f"{fifo}: a FIFO; only a regular file is replaced")
        link = self.path("link.spr")
        os.symlink(spr, link)
        self.assertEqual(self.refused("build", REGIONS_BMP, link, "--auto"),
                         f"{link}: a symbolic link; only a regular file is replaced")
        self.assertTrue(os.path.islink(link))
        self.assertEqual(self.refused("build", REGIONS_BMP, self.tmp, "--auto"),
                         f"{self.tmp}: a folder; only a regular file is replaced")
        # What goes to standard output is the file itself.
        code, _, err = run("build", REGIONS_BMP, self.path("direct.spr"), "--auto")
        done = subprocess.run([CLI, "build", REGIONS_BMP, "-", "--auto"], capture_output=True)
        with open(self.path("direct.spr"), "rb") as f:
            self.assertEqual(done.stdout, f.read())
        done = subprocess.run([CLI, "info", "-", "--json"], input=done.stdout, capture_output=True)
        self.assertEqual(json.loads(done.stdout)["count"], len(REGIONS_AUTO))

    def test_a_new_folder_appears_whole_and_stale_files_go(self):
        spr, rects = self.build(REGIONS_BMP, "--auto")
        out = self.path("deep/new/out")
        code, _, err = run("export", spr, out, "--palette", self.path("missing.pal"))
        self.assertEqual(code, 1, err)
        self.assertFalse(os.path.exists(out))
        self.ok("export", spr, out, "--palette", TEST_PAL)
        self.assertEqual(len(os.listdir(out)), len(rects) + 1)
        with open(os.path.join(out, "notes.txt"), "w") as f:
            f.write("mine")
        fewer, fewer_rects = self.build(GRID_BMP, "--grid", "10x12+2+1", name="fewer.spr")
        self.ok("export", fewer, out, "--palette", TEST_PAL)
        self.assertEqual(sorted(os.listdir(out)),
                         sorted(["notes.txt", "sprites.json"] + [f"sprite_{i:05d}.png" for i in range(len(fewer_rects))]))
        # An atlas of several pages, then of one: the old pages go.
        self.ok("export", spr, out, "--atlas", "--max-size", "12", "--palette", TEST_PAL)
        self.assertIn("atlas-1.png", os.listdir(out))
        self.ok("export", spr, out, "--atlas", "--palette", TEST_PAL)
        self.assertEqual(sorted(n for n in os.listdir(out) if n.startswith("atlas")), ["atlas.json", "atlas.png"])
        self.assertIn("notes.txt", os.listdir(out))


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


# The sentences of the core's refusals that a corpus file can meet, by the kind it is read as.
FILE_TEXTS = ["cannot be opened", "out of memory",
              "the file ends before the data its header announces (cut short, or a read error)"]
REFUSAL_TEXTS = {
    "bmp": FILE_TEXTS + ['not a BMP file (it does not begin with "BM")',
                         "the BMP header is invalid (its width, height or bits per pixel)",
                         "a kind of BMP that is not read (an OS/2 header, bit fields, or a JPEG or PNG inside)",
                         "the picture's size is out of range (at most 32,768 pixels a side and 256 MiB of pixels)"],
    "pcx": FILE_TEXTS + ["not a PCX file (no PCX version 5 header)",
                         "a kind of PCX that is not read (only 8 bits in one plane, or 24 bits in three)",
                         "the PCX header gives the picture a size below one pixel",
                         "the PCX header gives fewer bytes a line than the picture is wide",
                         "the picture's size is out of range (at most 32,768 pixels a side and 256 MiB of pixels)"],
    "png": FILE_TEXTS + ["not a PNG file (no PNG signature)", "the PNG file is damaged or cut short",
                         "no PNG decoder can be had on this system",
                         "the sheet has 300 colors; sprites take at most 256: reduce it to 256 colors in a paint program "
                         "and try again"],
    "spr": FILE_TEXTS + ['not a sprite file (it does not begin with "Zarvo sprite")',
                         "the sprite file is damaged: a count, size or image in it does not add up",
                         "the sprite file is damaged: its header gives a negative sprite count"],
}


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
            self.assertIn(text, REFUSAL_TEXTS[kind], name)
        return {name: text for name, (good, text) in lines.items()}

    def test_every_corpus_file_is_answered_with_an_english_sentence(self):
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
            ("bmp", "hostile-bits-per-pixel-7.bmp"): "the BMP header is invalid (its width, height or bits per pixel)",
            ("bmp", "hostile-bitfields-32.bmp"):  # no masks
                "the file ends before the data its header announces (cut short, or a read error)",
            ("bmp", "seed-pil-w7-24.bmp"): "OK, BMP 7 x 5, true color, 16 colors (indexed to 8 bits)",
            ("png", "seed-pil-w7-rgba.png"): "OK, PNG 7 x 5, true color, 15 colors (indexed to 8 bits)",
            ("png", "seed-pil-w33.png"): "OK, PNG 33 x 9, 8 bits per pixel",
            ("png", "hostile-width-past-the-cap.png"): "out of memory",
            ("png", "hostile-bad-checksum.png"): "the PNG file is damaged or cut short",
            ("png", "hostile-300-colors.png"): too_many_colors("hostile-300-colors.png").split(": ", 1)[1],
            ("bmp", "hostile-size-overflow.bmp"):
                "the picture's size is out of range (at most 32,768 pixels a side and 256 MiB of pixels)",
            ("bmp", "hostile-ends-in-pixels.bmp"):
                "the file ends before the data its header announces (cut short, or a read error)",
            ("pcx", "hostile-planes-4.pcx"):
                "a kind of PCX that is not read (only 8 bits in one plane, or 24 bits in three)",
            ("pcx", "hostile-xmax-below-xmin.pcx"): "the PCX header gives the picture a size below one pixel",
            ("sprite_file", "bad-signature.spr"): 'not a sprite file (it does not begin with "Zarvo sprite")',
            ("sprite_file", "bad-truncated.spr"): "the sprite file is damaged: a count, size or image in it does not add up",
            ("sprite_file", "bad-negative-count.spr"): "the sprite file is damaged: its header gives a negative sprite count",
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
        # Named by the user, a sheet read as a sprite file is refused as a sprite file.
        self.assertEqual(self.refused("check", "--as", "spr", GRID_BMP),
                         f'{GRID_BMP}: not a sprite file (it does not begin with "Zarvo sprite")')


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
            ["export", spr, "o", "--fps", "12"], ["export", spr, "o", "--name", "a/%d"], ["export", spr, "o", "--name", "%x"],
            ["export", spr, "o", "--atlas", "--format", "xml"], ["export", spr, "o", "--out-json", "../up.json"],
            ["export", "-", "-", "o", "--atlas"], ["build", REGIONS_BMP, "-", "--auto", "--list"],
            ["export", spr, "o", "--gif", "a.gif"], ["export", spr, "--gif", "a.gif", "--atlas"],
            ["export", spr, "--gif", "a.gif", "--flip", "x"], ["export", spr, "o", "--flip", "h"],
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
