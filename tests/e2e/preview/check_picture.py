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
import re
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "../../resources"))
sys.path.insert(0, os.path.join(HERE, "../../../res"))
from check_frame import fail, report  # noqa: E402
from make_icon import parse  # noqa: E402  (the icon source's own reader)

BLACK = (0, 0, 0)
LIGHT_GREY = (0xC0, 0xC0, 0xC0)


# ImageMagick writes the header as "P6 <width> <height> 255" with single
# whitespace between, and no comments.
def read_ppm(path):
    with open(path, "rb") as f:
        data = f.read()
    header = re.match(rb"P6\s(\d+)\s(\d+)\s255\s", data)
    if not header:
        sys.exit(f"{path}: not an 8-bit binary PPM")
    width, height = int(header[1]), int(header[2])
    pixels = data[header.end():]
    rows = [[tuple(pixels[(y * width + x) * 3:(y * width + x) * 3 + 3]) for x in range(width)]
            for y in range(height)]
    return width, height, rows


# The image of this size, a colour a pixel (None: transparent).
def read_icon(path, size=32):
    with open(path, encoding="ascii") as f:
        palette, images = parse(f.read())
    rows = next((rows for w, h, rows in images if (w, h) == (size, size)), None)
    if rows is None:
        sys.exit(f"{path}: no {size}x{size} image")
    return [[palette[c][1] if c != "." else None for c in row] for row in rows]


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
        xs, ys = [x for x, _, _ in text], [y for _, y, _ in text]
        left, top, right, bottom = min(xs), min(ys), max(xs), max(ys)
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
