#!/usr/bin/env python3
"""Checks that the end-to-end run used every command of the program's menu and toolbar.

    check_coverage.py QUILLON.rc TOOLBAR.cpp DRIVER.log

The commands are read from the sources the program is built from: each MENUITEM of the resource
script and each Button/Check entry of the toolbar's table. The driver prints
"e2e covered menu ID_..." and "e2e covered toolbar ID_..." for each command it used; a command of
the sources without its line (one added later, say) fails the check.
"""
import re
import sys


def menu_commands(rc_text):
    return re.findall(r'^\s*MENUITEM\s+"[^"]*"\s*,\s*(\w+)', rc_text, re.MULTILINE)


def toolbar_commands(source_text):
    table = re.search(r"kToolbarEntries\[\]\s*=\s*\{(.*?)\};", source_text, re.DOTALL)
    if table is None:
        return []
    return re.findall(r"\b(?:Button|Check)\(\s*\d+\s*,\s*(\w+)", table.group(1))


def main():
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    rc, toolbar, log = (open(path, encoding="utf-8", errors="replace").read() for path in sys.argv[1:])
    wanted = [("menu", c) for c in menu_commands(rc)] + [("toolbar", c) for c in toolbar_commands(toolbar)]
    if not wanted:
        sys.exit("check_coverage: found no commands in the sources")
    covered = set(re.findall(r"^e2e covered (menu|toolbar) (\w+)", log, re.MULTILINE))
    missing = [f"{kind} {command}" for kind, command in wanted if (kind, command) not in covered]
    for item in missing:
        print(f"check_coverage: never used: {item}")
    if missing:
        return 1
    print(f"check_coverage: all {len(wanted)} menu items and toolbar buttons were used")
    return 0


if __name__ == "__main__":
    sys.exit(main())
