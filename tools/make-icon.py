#!/usr/bin/env python3
"""Writes ui/app.ico: the program's icon, 32 x 32 and 16 x 16, 16 colours.
A sheet of pixel cells with a few of them inked, the way a 1-bit glyph
looks on a display grid.
usage: tools/make-icon.py [FILE.ico]   (default ui/app.ico)
"""
import struct, sys

if sys.argv[1:2] in (["-h"], ["--help"]):
    print(__doc__.strip())
    sys.exit(0)

# The 16 colours of the classic VGA palette, as (r, g, b).
PALETTE = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
           (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
           (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]
INK, PAPER, GRID, EDGE = 0, 15, 7, 4

GLYPH = """
........
..####..
.##..##.
.##..##.
.##.###.
.##..##.
..#####.
......#.
""".split()


def image(size):
    cell = size // 8
    pixels = []
    for y in range(size):
        row = []
        for x in range(size):
            gx, gy = x // cell, y // cell
            if x in (0, size - 1) or y in (0, size - 1):
                c = EDGE
            elif GLYPH[gy][gx] == "#":
                c = INK
            elif cell > 2 and (x % cell == 0 or y % cell == 0):
                c = GRID
            else:
                c = PAPER
            row.append(c)
        pixels.append(row)
    return pixels


def dib(pixels):
    size = len(pixels)
    head = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0, 0, 0, 0, 16, 0)
    palette = b"".join(bytes([b, g, r, 0]) for r, g, b in PALETTE)
    xor_stride = (size * 4 + 31) // 32 * 4
    and_stride = (size + 31) // 32 * 4
    xor = b""
    for row in reversed(pixels):
        data = bytes((row[i] << 4) | row[i + 1] for i in range(0, size, 2))
        xor += data.ljust(xor_stride, b"\0")
    mask = b"\0" * (and_stride * size)  # every pixel opaque
    return head + palette + xor + mask


def ico(sizes):
    images = [dib(image(s)) for s in sizes]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for s, data in zip(sizes, images):
        out += struct.pack("<BBBBHHII", s, s, 16, 0, 1, 4, len(data), offset)
        offset += len(data)
    return out + b"".join(images)


with open(sys.argv[1] if len(sys.argv) > 1 else "ui/app.ico", "wb") as f:
    f.write(ico([32, 16]))
