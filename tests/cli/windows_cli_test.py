#!/usr/bin/python3
"""quillon-cli.exe, the Windows console build, run under Wine as a pipeline would run it.

Run by CTest in the windows build with QUILLON_CLI_EXE (the program), QUILLON_ROOT (the source
tree) and QUILLON_NATIVE_CLI (the Linux build's program, when it was built: the two must write the
same sprite files and the same pixels). Every run goes through tools/wine-run; the files are named
relative to a scratch folder, which Wine sees as the program's current folder on drive Z.
"""
import json
import os
import shutil
import subprocess
import sys
import tempfile
import unittest

from PIL import Image

EXE = os.environ.get("QUILLON_CLI_EXE", "quillon-cli.exe")
ROOT = os.environ.get("QUILLON_ROOT", os.path.join(os.path.dirname(__file__), "..", ".."))
NATIVE = os.environ.get("QUILLON_NATIVE_CLI", "")
WINE_RUN = os.path.join(ROOT, "tools", "wine-run")
DATA = os.path.join(ROOT, "tests", "cli", "data")
SHEETS = os.path.join(ROOT, "samples", "sheets")

# The rectangles (x, y, w, h) an --auto cut finds on regions.bmp, in reading order (as the Linux
# build's end-to-end test has them).
REGIONS_AUTO = [
    (0, 0, 1, 1), (5, 0, 1, 2), (37, 0, 3, 3),
    (2, 3, 3, 3), (6, 3, 2, 3), (13, 3, 5, 5), (27, 4, 1, 1),
    (1, 9, 4, 2),
    (0, 11, 1, 1),
    (13, 12, 2, 2), (16, 12, 2, 2), (39, 13, 1, 1),
    (6, 15, 5, 4), (20, 16, 1, 1),
    (0, 21, 1, 1), (19, 21, 1, 1), (39, 21, 1, 1),
]
# Names in three scripts: they reach the program as UTF-16 and must open and print as given.
UNICODE_SHEET = "φύλλο-도형.bmp"
UNICODE_SPR = "έξοδος-결과.spr"


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


def crop_rgb(sheet, rect):
    x, y, w, h = rect
    return list(sheet.convert("RGB").crop((x, y, x + w, y + h)).getdata())


class WindowsCliTest(unittest.TestCase):
    def setUp(self):
        self.dir = tempfile.mkdtemp(prefix="quillon-cli-exe-")
        self.addCleanup(shutil.rmtree, self.dir, True)
        shutil.copy(os.path.join(DATA, "regions.bmp"), os.path.join(self.dir, "regions.bmp"))

    def path(self, name):
        return os.path.join(self.dir, name)

    def run_exe(self, *args):
        done = subprocess.run([WINE_RUN, EXE, *args], capture_output=True, cwd=self.dir, timeout=120)
        return done.returncode, done.stdout, done.stderr.decode("utf-8")

    def ok(self, *args):
        code, out, err = self.run_exe(*args)
        self.assertEqual(code, 0, f"{args}: {err}")
        return out.decode("utf-8")

    def refused(self, *args):
        code, out, err = self.run_exe(*args)
        self.assertEqual(code, 1, f"{args}: exit {code}, {err}")
        lines = err.splitlines()
        self.assertEqual(len(lines), 1, f"{args}: {err!r}")
        return lines[0]

    def test_a_sheet_goes_through_build_check_info_and_export(self):
        # Each sheet kind the program reads, the PNGs through the Windows Imaging Component: an
        # indexed PNG keeps the BMP's indices and gives the same sprite file; an RGBA one is indexed
        # on loading and cuts the same rectangles.
        regions = Image.open(self.path("regions.bmp"))
        regions.save(self.path("regions.png"))
        rgba = regions.convert("RGBA")
        rgba.putdata([(9, 9, 9, 0) if v == 0 else p for v, p in zip(regions.getdata(), rgba.getdata())])
        rgba.save(self.path("regions-rgba.png"))
        shutil.copy(self.path("regions.bmp"), self.path(UNICODE_SHEET))
        built = {}
        for sheet, spr in (("regions.bmp", "bmp.spr"), ("regions.png", "png.spr"),
                           ("regions-rgba.png", "rgba.spr"), (UNICODE_SHEET, UNICODE_SPR)):
            listed = self.ok("build", sheet, spr, "--auto", "--compress", "--hit-box", "--list")
            self.assertEqual(listed_rects(listed), REGIONS_AUTO, sheet)
            with open(self.path(spr), "rb") as f:
                built[sheet] = f.read()
            self.assertEqual(self.ok("check", spr), f"{spr}: OK, sprite file, {len(REGIONS_AUTO)} sprites\n")
        self.assertEqual(built["regions.png"], built["regions.bmp"])
        self.assertEqual(built[UNICODE_SHEET], built["regions.bmp"])
        # Nothing but the sprite file is left beside it (no temporary file).
        self.assertEqual(sorted(n for n in os.listdir(self.dir) if ".spr" in n),
                         sorted(["bmp.spr", "png.spr", "rgba.spr", UNICODE_SPR]))

        doc = json.loads(self.ok("info", "bmp.spr", "--json"))
        self.assertEqual(doc["count"], len(REGIONS_AUTO))
        self.assertEqual([(s["width"], s["height"]) for s in doc["sprites"]], [r[2:] for r in REGIONS_AUTO])
        self.assertTrue(all(s["compressed"] and len(s["hitBoxes"]) == 1 for s in doc["sprites"]))

        # Standard output carries the files' bytes as they are: no line end is rewritten (sprites
        # 10 pixels wide put bytes 10 into the sprite file; a PNG's signature holds two).
        self.ok("build", "regions.bmp", "grid10.spr", "--grid", "10x11")
        with open(self.path("grid10.spr"), "rb") as f:
            grid10 = f.read()
        self.assertIn(b"\n", grid10)
        code, out, err = self.run_exe("build", "regions.bmp", "-", "--grid", "10x11")
        self.assertEqual((code, err, out), (0, "", grid10))
        code, out, err = self.run_exe("dump", "bmp.spr", "5", "-", "--sheet", "regions.bmp")
        self.assertEqual((code, err), (0, ""))
        with open(self.path("dumped.png"), "wb") as f:
            f.write(out)
        self.assertEqual(list(Image.open(self.path("dumped.png")).convert("RGB").getdata()),
                         crop_rgb(regions, REGIONS_AUTO[5]))

        # Export: each PNG, written by the Windows Imaging Component, read back by Pillow, shows the
        # sheet's own colours.
        self.ok("export", "bmp.spr", "out", "--sheet", "regions.bmp")
        for i, rect in enumerate(REGIONS_AUTO):
            png = Image.open(self.path(f"out/sprite_{i:05d}.png"))
            self.assertEqual(png.size, rect[2:])
            self.assertEqual(list(png.convert("RGB").getdata()), crop_rgb(regions, rect), i)
        with open(self.path("out/sprites.json"), encoding="utf-8") as f:
            self.assertEqual(len(json.load(f)["sprites"]), len(REGIONS_AUTO))

        # The animated GIF, giflib's as in the Linux build: a frame a sprite, each for 1/20 s.
        self.ok("export", "bmp.spr", "--gif", "anim.gif", "--sheet", "regions.bmp", "--fps", "20")
        with Image.open(self.path("anim.gif")) as gif:
            self.assertEqual(gif.n_frames, len(REGIONS_AUTO))
            gif.seek(len(REGIONS_AUTO) - 1)
            self.assertEqual(gif.info.get("duration"), 50)

        # A second export of fewer sprites into the same folder replaces the files and removes the
        # PNGs the first one left.
        self.ok("build", "regions.bmp", "grid.spr", "--grid", "40x11")
        self.ok("export", "grid.spr", "out", "--sheet", "regions.bmp")
        self.assertEqual(sorted(os.listdir(self.path("out"))),
                         ["sprite_00000.png", "sprite_00001.png", "sprites.json"])
        self.assertEqual(list(Image.open(self.path("out/sprite_00001.png")).convert("RGB").getdata()),
                         crop_rgb(regions, (0, 11, 40, 11)))

    def test_refusals_are_one_english_line_with_exit_1(self):
        os.mkdir(self.path("folder"))
        with open(self.path("short.pal"), "wb") as f:
            f.write(b"\0" * 5)
        self.ok("build", "regions.bmp", "a.spr", "--auto")
        cases = [
            (("check", "missing.spr"), "missing.spr: no such file"),
            (("build", "regions.bmp", "folder", "--auto"), "folder: a folder; only a regular file is replaced"),
            (("build", "regions.bmp", "NUL", "--auto"), "NUL: a device; only a regular file is replaced"),
            (("export", "a.spr", "out", "--palette", "short.pal"),
             "short.pal: a palette file holds 1,024 bytes (256 colors of 4 bytes); this one has 5"),
            (("info", "regions.bmp"), 'regions.bmp: not a sprite file (it does not begin with "Zarvo sprite")'),
        ]
        for args, line in cases:
            self.assertEqual(self.refused(*args), line, args)
        self.assertFalse(os.path.exists(self.path("out")))
        code, _, err = self.run_exe("build", "regions.bmp", "b.spr")
        self.assertEqual(code, 2, err)

    @unittest.skipUnless(NATIVE and os.access(NATIVE, os.X_OK), "the Linux build's quillon-cli is not built")
    def test_the_windows_and_linux_builds_write_the_same_sprites(self):
        # The sample sheet, as BMP, PCX and a PNG of it: the same sprite files from both builds,
        # and exports whose pixels agree (the PNG encoders differ, so the bytes may).
        sheet = Image.open(os.path.join(SHEETS, "sheet.bmp"))
        for build in ("windows", "linux"):
            os.mkdir(self.path(build))
            shutil.copy(os.path.join(SHEETS, "sheet.bmp"), self.path(build))
            shutil.copy(os.path.join(SHEETS, "sheet.pcx"), self.path(build))
            sheet.save(self.path(build + "/sheet.png"))
        outputs = {}
        for build in ("windows", "linux"):
            for name in ("sheet.bmp", "sheet.pcx", "sheet.png"):
                spr = name.replace(".", "-") + ".spr"
                self.ok_in(build, "build", name, spr, "--auto", "--gap", "2", "--boxes", "--compress")
                with open(self.path(f"{build}/{spr}"), "rb") as f:
                    outputs[build, name] = f.read()
            self.ok_in(build, "export", "sheet-bmp.spr", "out", "--sheet", "sheet.bmp")
            self.ok_in(build, "export", "sheet-bmp.spr", "--gif", "sheet.gif", "--sheet", "sheet.bmp", "--flip", "h")
        for name in ("sheet.bmp", "sheet.pcx", "sheet.png"):
            self.assertEqual(outputs["windows", name], outputs["linux", name], name)
        names = sorted(os.listdir(self.path("linux/out")))
        self.assertEqual(sorted(os.listdir(self.path("windows/out"))), names)
        self.assertGreater(len(names), 10)
        for name in names:
            if name.endswith(".png"):
                w, n = (Image.open(self.path(f"{build}/out/{name}")) for build in ("windows", "linux"))
                self.assertEqual((w.size, list(w.convert("RGBA").getdata())),
                                 (n.size, list(n.convert("RGBA").getdata())), name)
        with open(self.path("windows/out/sprites.json")) as w, open(self.path("linux/out/sprites.json")) as n:
            self.assertEqual(json.load(w), json.load(n))
        # Both builds encode with the same giflib: the same GIF, byte for byte.
        with open(self.path("windows/sheet.gif"), "rb") as w, open(self.path("linux/sheet.gif"), "rb") as n:
            self.assertEqual(w.read(), n.read())

    def ok_in(self, build, *args):
        """Runs one build's program in the folder of that name."""
        program = [WINE_RUN, EXE] if build == "windows" else [NATIVE]
        done = subprocess.run(program + list(args), capture_output=True, cwd=self.path(build), timeout=120)
        self.assertEqual(done.returncode, 0, f"{build} {args}: {done.stderr.decode('utf-8', 'replace')}")

if __name__ == "__main__":
    unittest.main()
