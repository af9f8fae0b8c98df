#!/usr/bin/env python3
"""Checks the animated GIF File > Export... wrote against the sheet the sprites were cut from.

    check_gif.py SPRITES.gif SHEET.bmp FIGURES.txt EXPECTED.txt DURATION_MS

The GIF must hold one frame per expected sprite (EXPECTED.txt as check_spr.py reads it), each
shown for DURATION_MS, and its first frame must show the first sprite's figure: the colours of its
pixels other than the transparent index (through the GIF's palette) are the sheet's under the
figure's rectangle (through the sheet's), laid out as on the sheet. Prints what differs and exits 1
on a fault.
"""
import sys

from PIL import Image

import check_spr


def colours(palette, indices):
    """The (r, g, b) of each index, None for index 0, the transparent one."""
    return [None if i == 0 else tuple(palette[3 * i:3 * i + 3]) for i in indices]


def main():
    gif_path, sheet_path, figures_path, expect_path, duration = sys.argv[1:6]
    duration = int(duration)
    sheet = check_spr.read_bmp(sheet_path)
    sheet_palette = Image.open(sheet_path).getpalette()
    figures = check_spr.read_figures(figures_path)
    expected = check_spr.read_expectation(expect_path)
    faults = []
    gif = Image.open(gif_path)
    if gif.format != "GIF" or getattr(gif, "n_frames", 1) != len(expected):
        faults.append(f"{getattr(gif, 'n_frames', 1)} frames, {len(expected)} expected")
    for frame in range(min(getattr(gif, "n_frames", 1), len(expected))):
        gif.seek(frame)
        if gif.info.get("duration") != duration:
            faults.append(f"frame {frame} lasts {gif.info.get('duration')} ms, not {duration}")

    # The first frame, in the GIF's own indices: its figure is where its pixels are.
    gif.seek(0)
    name = expected[0][0]
    left, top, width, height = check_spr.rectangle(figures, name)
    want = [list(row[left:left + width]) for row in sheet[top:top + height]]
    # Both cropped to their pixels other than index 0, so a figure's transparent margin is no matter.
    used = [(x, y) for y, row in enumerate(want) for x, i in enumerate(row) if i != 0]
    if used:
        x0, y0 = min(x for x, _ in used), min(y for _, y in used)
        x1, y1 = max(x for x, _ in used) + 1, max(y for _, y in used) + 1
        want = [row[x0:x1] for row in want[y0:y1]]
    box = gif.getbbox()
    size = (len(want[0]) if want else 0, len(want))
    if gif.mode != "P" or box is None or (box[2] - box[0], box[3] - box[1]) != size:
        faults.append(f"frame 0 ({name}): {gif.mode}, its pixels span {box}, the figure's {size}")
    else:
        pixels = list(gif.crop(box).getdata())
        rows = [pixels[y * size[0]:(y + 1) * size[0]] for y in range(size[1])]
        if [colours(gif.getpalette(), r) for r in rows] != [colours(sheet_palette, r) for r in want]:
            faults.append(f"frame 0 ({name}): not the sheet's pixels")
    for fault in faults:
        print(f"check_gif: {gif_path}: {fault}")
    if faults:
        return 1
    print(f"check_gif: {gif_path}: {len(expected)} frames of {duration} ms; the first is the sheet's {name}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
