#!/usr/bin/env python3
"""Writes samples/logo.bmp, the sample bitmap: a 128 x 64 1-bit, bottom-up
BMP (the size of a common OLED panel) with the lettering below drawn at
twice its size over an ordered-dither gradient ('#' dark)."""
import struct, sys

ART = """
................................................................
..######...##...##..######..##......##.......#####...######.....
.##....##..##...##....##....##......##......##...##..##...##....
.##....##..##...##....##....##......##......##.......##...##....
.##....##..##...##....##....##......##......##..###..######.....
.##..#.##..##...##....##....##......##......##...##..##..##.....
.##...###..##...##....##....##......##......##...##..##...##....
..#######...#####...######..#######.#######..#####...##....##...
........#.......................................................
................................................................
.########.########.########.########.########.########.########.
.#......#.#......#.#......#.#......#.#......#.#......#.#......#.
.#.####.#.#.####.#.#.####.#.#.####.#.#.####.#.#.####.#.#.####.#.
.#......#.#......#.#......#.#......#.#......#.#......#.#......#.
.########.########.########.########.########.########.########.
................................................................
""".split()

def bmp(rows):
    w, h = len(rows[0]), len(rows)
    stride = (w + 31) // 32 * 4
    data = b""
    for row in reversed(rows):
        bits = "".join("0" if c == "#" else "1" for c in row).ljust(stride * 8, "0")
        data += int(bits, 2).to_bytes(stride, "big")
    palette = bytes([0, 0, 0, 0, 255, 255, 255, 0])
    off = 14 + 40 + 8
    head = struct.pack("<2sIHHI", b"BM", off + len(data), 0, 0, off)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 1, 0, len(data), 2835, 2835, 2, 0)
    return head + info + palette + data

def canvas():
    w, h = 128, 64
    bayer = [[0, 8, 2, 10], [12, 4, 14, 6], [3, 11, 1, 9], [15, 7, 13, 5]]
    rows = []
    for y in range(h):
        row = []
        for x in range(w):
            if 4 <= y < 36:  # the lettering, doubled
                dark = ART[(y - 4) // 2][x // 2] == "#"
            elif 40 <= y < 60 and 4 <= x < 124:  # a left-to-right gradient
                dark = bayer[y % 4][x % 4] < (x - 4) * 17 // 120
            else:
                dark = y in (0, 63) or x in (0, 127)
            row.append("#" if dark else ".")
        rows.append("".join(row))
    return rows

with open(sys.argv[1] if len(sys.argv) > 1 else "samples/logo.bmp", "wb") as f:
    f.write(bmp(canvas()))
