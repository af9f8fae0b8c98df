#!/usr/bin/env python3
"""Checks that the end-to-end run used every command of the program's menu and toolbar.

    check_coverage.py QUILLON.rc TOOLBAR.cpp DRIVER.log

The commands are read from the sources the program is built from: each MENUITEM of the resource
script, with its place in the menus, and each Button/Check entry of the toolbar's table. The
driver prints "e2e covered menu ID_... at MENU ITEM SUBITEM" (the place its keys went to: the
menu on the bar, the item in it without separators, the item in a submenu or -1) and
"e2e covered toolbar ID_..." for each command it used. A command of the sources without its
line (one added later, say), or a menu item the driver looked for in another place (the menu
reordered), fails the check.
"""
import re
import sys


def menu_places(rc_text):
    """{command: (menu, item, subitem)} of the first MENU of the script."""
    places = {}
    body = re.search(r"^\w+\s+MENU\b(.*)", rc_text, re.MULTILINE | re.DOTALL)
    if body is None:
        return places
    place = []  # the item counters of the open popups, outermost first
    counters = [-1]
    for line in body.group(1).splitlines():
        words = line.split()
        if not words:
            continue
        if words[0] == "BEGIN":
            place.append(counters[-1])
            counters.append(-1)
        elif words[0] == "END":
            counters.pop()
            place.pop()
            if not place:
                break
        elif words[0] == "POPUP":
            counters[-1] += 1
        elif words[0] == "MENUITEM" and words[1] != "SEPARATOR":
            counters[-1] += 1
            command = re.search(r'"\s*,\s*(\w+)', line).group(1)
            where = place[1:] + [counters[-1]]
            places[command] = tuple(where + [-1] * (3 - len(where)))
    return places


def menu_commands(rc_text):
    return list(menu_places(rc_text))


def toolbar_commands(source_text):
    table = re.search(r"kToolbarEntries\[\]\s*=\s*\{(.*?)\};", source_text, re.DOTALL)
    if table is None:
        return []
    return re.findall(r"\b(?:Button|Check)\(\s*\d+\s*,\s*(\w+)", table.group(1))


def main():
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    rc, toolbar, log = (open(path, encoding="utf-8", errors="replace").read() for path in sys.argv[1:])
    places = menu_places(rc)
    wanted = [("menu", c) for c in places] + [("toolbar", c) for c in toolbar_commands(toolbar)]
    if not wanted:
        sys.exit("check_coverage: found no commands in the sources")
    covered = set(re.findall(r"^e2e covered (menu|toolbar) (\w+)", log, re.MULTILINE))
    missing = [f"{kind} {command}" for kind, command in wanted if (kind, command) not in covered]
    for item in missing:
        print(f"check_coverage: never used: {item}")
    misplaced = 0
    for command, *where in re.findall(r"^e2e covered menu (\w+) at (-?\d+) (-?\d+) (-?\d+)", log,
                                      re.MULTILINE):
        if command in places and tuple(int(w) for w in where) != places[command]:
            misplaced += 1
            print(f"check_coverage: menu {command} was looked for at {where}, "
                  f"the menu has it at {list(places[command])}")
    if missing or misplaced:
        return 1
    print(f"check_coverage: all {len(wanted)} menu items and toolbar buttons were used")
    return 0


if __name__ == "__main__":
    sys.exit(main())
