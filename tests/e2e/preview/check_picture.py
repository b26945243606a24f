#!/usr/bin/env python3
"""Checks a screenshot of the preview picture: the program's 32x32 icon drawn
pixel for pixel at one place, the name in light grey starting at another,
and black everywhere else.

    check_picture.py <screenshot.ppm> <icon.txt> <icon x> <icon y> <text x> <text y>

The screenshot is a binary PPM (P6) of exactly the screen the window covers;
icon.txt is the icon's source, whose 32x32 image is the one drawn. The name
may be drawn with grey anti-aliasing: its pixels must be neutral greys no
brighter than 0xC0C0C0, with some at exactly 0xC0C0C0.
"""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "../../resources"))
from check_frame import fail, report  # noqa: E402

BLACK = (0, 0, 0)
LIGHT_GREY = (0xC0, 0xC0, 0xC0)


def read_ppm(path):
    with open(path, "rb") as f:
        data = f.read()
    fields, at = [], 0
    while len(fields) < 4:  # magic, width, height, maximum
        while data[at:at + 1].isspace():
            at += 1
        if data[at:at + 1] == b"#":
            at = data.index(b"\n", at)
            continue
        end = at
        while not data[end:end + 1].isspace():
            end += 1
        fields.append(data[at:end])
        at = end
    if fields[0] != b"P6" or fields[3] != b"255":
        sys.exit(f"{path}: not an 8-bit binary PPM")
    width, height = int(fields[1]), int(fields[2])
    pixels = data[at + 1:]
    rows = [[tuple(pixels[(y * width + x) * 3:(y * width + x) * 3 + 3]) for x in range(width)]
            for y in range(height)]
    return width, height, rows


def read_icon(path, size=32):
    palette, rows, inside = {}, [], False
    with open(path, encoding="ascii") as f:
        for line in f:
            line = line.rstrip()
            words = line.split()
            if words[:1] == ["palette"]:
                rgb = words[3]
                palette[words[2]] = tuple(int(rgb[i:i + 2], 16) for i in (0, 2, 4))
            elif words[:1] == ["image"]:
                inside = words[1] == f"{size}x{size}"
            elif inside and line and not line.startswith("#"):
                rows.append([palette.get(c) for c in line])  # None: transparent
            elif inside and not line:
                inside = False
    if len(rows) != size:
        sys.exit(f"{path}: no {size}x{size} image")
    return rows


def main():
    if len(sys.argv) != 7:
        sys.exit(__doc__)
    width, height, shot = read_ppm(sys.argv[1])
    icon = read_icon(sys.argv[2])
    ix, iy, tx, ty = (int(v) for v in sys.argv[3:])

    wrong = [(x, y) for y in range(32) for x in range(32)
             if 0 <= ix + x < width and 0 <= iy + y < height
             and shot[iy + y][ix + x] != (icon[y][x] or BLACK)]
    if wrong:
        fail(f"{len(wrong)} of the icon's pixels differ at ({ix},{iy}), first at offset {wrong[0]}")

    text = [(x, y, shot[y][x]) for y in range(height) for x in range(width)
            if not (ix <= x < ix + 32 and iy <= y < iy + 32) and shot[y][x] != BLACK]
    odd = [(x, y, c) for x, y, c in text if not (c[0] == c[1] == c[2] and c[0] <= 0xC0)]
    if odd:
        fail(f"{len(odd)} pixels outside the icon are neither black nor grey text, first {odd[0]}")
    if sum(1 for _, _, c in text if c == LIGHT_GREY) < 20:
        fail("fewer than 20 pixels of the name are light grey (0xC0C0C0)")
    if text:
        left = min(x for x, _, _ in text)
        top = min(y for _, y, _ in text)
        right = max(x for x, _, _ in text)
        bottom = max(y for _, y, _ in text)
        print(f"name drawn in ({left},{top})-({right},{bottom})")
        # The text cell starts at (tx, ty); the ink starts a little inside it.
        if not (tx <= left <= tx + 3 and ty <= top <= ty + 6):
            fail(f"the name starts at ({left},{top}), not just inside ({tx},{ty})")
        if right - left < 40 or bottom - top < 6:
            fail(f"the name's ink is only {right - left + 1}x{bottom - top + 1} pixels")
    else:
        fail("no text drawn")
    return report(f"{width}x{height} picture")


if __name__ == "__main__":
    sys.exit(main())
