#!/usr/bin/env python3
"""Checks what File > Export... wrote against the sheet the sprites were cut from.

    check_export.py SPRITES.json SHEET.bmp FIGURES.txt EXPECTED.txt

SPRITES.json must list the expected sprites in order (EXPECTED.txt as check_spr.py reads it), and
each sprite's PNG beside it must be an indexed picture of the sprite's size whose indices are the
sheet's under the figure's rectangle. Prints what differs and exits 1 on a fault.
"""
import json
import os
import sys

from PIL import Image

import check_spr


def main():
    json_path, sheet_path, figures_path, expect_path = sys.argv[1:5]
    document = json.load(open(json_path, encoding="utf-8"))
    sheet = check_spr.read_bmp(sheet_path)
    figures = check_spr.read_figures(figures_path)
    expected = check_spr.read_expectation(expect_path)
    faults = []
    if document.get("count") != len(expected) or len(document.get("sprites", [])) != len(expected):
        faults.append(f"{document.get('count')} sprites exported, {len(expected)} expected")
    for entry, (name, _) in zip(document.get("sprites", []), expected):
        left, top, width, height = check_spr.rectangle(figures, name)
        png = os.path.join(os.path.dirname(json_path), entry.get("image") or "")
        if (entry.get("width"), entry.get("height")) != (width, height) or not os.path.isfile(png):
            faults.append(f"sprite {entry.get('index')} ({name}): {entry.get('width')} x {entry.get('height')}, "
                          f"{entry.get('image')}; expected {width} x {height} and its picture")
            continue
        picture = Image.open(png)
        want = b"".join(row[left:left + width] for row in sheet[top:top + height])
        if picture.mode != "P" or picture.size != (width, height) or bytes(picture.getdata()) != want:
            faults.append(f"{entry['image']} ({name}): {picture.mode} {picture.size}, not the sheet's indices")
    for fault in faults:
        print(f"check_export: {json_path}: {fault}")
    if faults:
        return 1
    print(f"check_export: {json_path}: {len(expected)} PNGs match the sheet's indices")
    return 0


if __name__ == "__main__":
    sys.exit(main())
