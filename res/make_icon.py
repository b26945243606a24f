#!/usr/bin/env python3
"""Builds the program's icon file from its text source.

    make_icon.py <icon.txt> <out.ico>

The source names a 16-colour palette ("palette <index> <letter> <rrggbb>") and
then gives each image as "image <w>x<h>" followed by h rows of w letters; "."
is a transparent pixel. Images go into the .ico in the order they are listed,
as 4-bit device-independent bitmaps with a 1-bit transparency mask.
"""
import struct
import sys


def parse(text):
    palette = {}  # letter -> (index, (r, g, b))
    images = []  # (width, height, rows)
    current = None
    for number, line in enumerate(text.splitlines(), 1):
        line = line.rstrip()
        if not line:  # a blank line ends an image
            current = None
            continue
        if line.startswith("#"):
            continue
        words = line.split()
        if words[0] == "palette":
            index, letter, rgb = int(words[1]), words[2], words[3]
            if not 0 <= index < 16 or len(letter) != 1 or letter == "." or len(rgb) != 6:
                sys.exit(f"line {number}: bad palette entry")
            palette[letter] = (index, tuple(int(rgb[i:i + 2], 16) for i in (0, 2, 4)))
        elif words[0] == "image":
            width, height = (int(v) for v in words[1].split("x"))
            current = (width, height, [])
            images.append(current)
        elif current is not None:
            if len(line) != current[0]:
                sys.exit(f"line {number}: row is {len(line)} pixels wide, not {current[0]}")
            unknown = set(line) - set(palette) - {"."}
            if unknown:
                sys.exit(f"line {number}: letters {''.join(sorted(unknown))} not in the palette")
            current[2].append(line)
        else:
            sys.exit(f"line {number}: pixels outside an image")
    for width, height, rows in images:
        if len(rows) != height:
            sys.exit(f"image {width}x{height} has {len(rows)} rows")
    if len({index for index, _ in palette.values()}) != len(palette):
        sys.exit("two palette letters share an index")
    return palette, images


def row_bytes(bits_per_pixel, width):
    return (bits_per_pixel * width + 31) // 32 * 4


def bitmap(palette, width, height, rows):
    """BITMAPINFOHEADER, colour table, XOR (colour) bits, AND (mask) bits."""
    colours = [(0, 0, 0)] * 16
    for index, rgb in palette.values():
        colours[index] = rgb
    xor_bits = bytearray()
    and_bits = bytearray()
    for row in reversed(rows):  # bottom-up
        line = bytearray(row_bytes(4, width))
        mask = bytearray(row_bytes(1, width))
        for x, letter in enumerate(row):
            if letter == ".":
                mask[x // 8] |= 0x80 >> (x % 8)
                continue
            index = palette[letter][0]
            line[x // 2] |= index << 4 if x % 2 == 0 else index
        xor_bits += line
        and_bits += mask
    header = struct.pack("<IiiHHIIiiII", 40, width, height * 2, 1, 4, 0,
                         len(xor_bits) + len(and_bits), 0, 0, 16, 0)
    table = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in colours)
    return header + table + bytes(xor_bits) + bytes(and_bits)


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    with open(sys.argv[1], encoding="ascii") as source:
        palette, images = parse(source.read())
    blobs = [bitmap(palette, w, h, rows) for w, h, rows in images]
    out = struct.pack("<HHH", 0, 1, len(blobs))
    offset = 6 + 16 * len(blobs)
    for (width, height, _), blob in zip(images, blobs):
        out += struct.pack("<BBBBHHII", width % 256, height % 256, 16, 0, 1, 4, len(blob), offset)
        offset += len(blob)
    out += b"".join(blobs)
    with open(sys.argv[2], "wb") as target:
        target.write(out)


if __name__ == "__main__":
    main()
