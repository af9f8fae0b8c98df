#!/usr/bin/env python3
"""The coverage check reads the real menu and toolbar sources and fails on a command never used."""
import os
import subprocess
import sys
import tempfile
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
CHECKER = os.path.join(HERE, "check_coverage.py")
RC = os.path.join(ROOT, "resources", "quillon.rc")
TOOLBAR = os.path.join(ROOT, "app", "toolbar.cpp")
sys.path.insert(0, HERE)
import check_coverage  # noqa: E402


class CheckCoverageTest(unittest.TestCase):
    def run_with_log(self, lines):
        with tempfile.NamedTemporaryFile("w", suffix=".log", delete=False) as log:
            log.write("".join(line + "\n" for line in lines))
        self.addCleanup(os.remove, log.name)
        return subprocess.run([sys.executable, CHECKER, RC, TOOLBAR, log.name],
                              capture_output=True, text=True)

    def test_sources_give_the_commands(self):
        menu = check_coverage.menu_commands(open(RC, encoding="utf-8").read())
        toolbar = check_coverage.toolbar_commands(open(TOOLBAR, encoding="utf-8").read())
        for command in ("ID_NEW", "ID_EXIT", "ID_SEL_ZOOM_OUT", "ID_ABOUT"):
            self.assertIn(command, menu)
        self.assertIn("ID_BACK", toolbar)
        self.assertNotIn("ID_BACK", menu)
        self.assertNotIn("ID_EXIT", toolbar)

    def test_menu_places(self):
        places = check_coverage.menu_places(open(RC, encoding="utf-8").read())
        self.assertEqual(places["ID_NEW"], (0, 0, -1))
        self.assertEqual(places["ID_SAVE"], (0, 4, -1))  # separators are not counted
        self.assertEqual(places["ID_SAVE_SPRITE"], (0, 5, -1))
        self.assertEqual(places["ID_SEL_ZOOM_OUT"], (3, 5, 1))  # in the second submenu
        self.assertEqual(places["ID_UNDO"], (1, 0, -1))
        self.assertEqual(places["ID_OPTIONS"], (3, 7, -1))

    def test_every_command_in_its_place_or_failure(self):
        places = check_coverage.menu_places(open(RC, encoding="utf-8").read())
        toolbar = check_coverage.toolbar_commands(open(TOOLBAR, encoding="utf-8").read())
        menu = [f"e2e covered menu {c} at {' '.join(map(str, p))}" for c, p in places.items()]
        full = menu + [f"e2e covered toolbar {c}" for c in toolbar]
        self.assertEqual(self.run_with_log(full).returncode, 0)
        for left_out, said in ((menu[-1], "never used: menu ID_ABOUT"),
                               (f"e2e covered toolbar {toolbar[0]}", "never used: toolbar ID_NEW")):
            with self.subTest(left_out):
                result = self.run_with_log([line for line in full if line != left_out])
                self.assertEqual(result.returncode, 1)
                self.assertIn(said, result.stdout)
        moved = [line.replace("ID_EXIT at 0 8 -1", "ID_EXIT at 0 7 -1") for line in full]
        result = self.run_with_log(moved)
        self.assertEqual(result.returncode, 1)
        self.assertIn("menu ID_EXIT was looked for", result.stdout)


if __name__ == "__main__":
    unittest.main()
