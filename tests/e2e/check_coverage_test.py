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

    def test_every_command_or_failure(self):
        menu = check_coverage.menu_commands(open(RC, encoding="utf-8").read())
        toolbar = check_coverage.toolbar_commands(open(TOOLBAR, encoding="utf-8").read())
        full = [f"e2e covered menu {c}" for c in menu] + [f"e2e covered toolbar {c}" for c in toolbar]
        self.assertEqual(self.run_with_log(full).returncode, 0)
        for left_out in (f"e2e covered menu {menu[-1]}", f"e2e covered toolbar {toolbar[0]}"):
            with self.subTest(left_out):
                result = self.run_with_log([line for line in full if line != left_out])
                self.assertEqual(result.returncode, 1)
                self.assertIn("never used: " + left_out.split(" ", 2)[2], result.stdout)


if __name__ == "__main__":
    unittest.main()
