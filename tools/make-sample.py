#!/usr/bin/env python3
"""Writes the samples into FOLDER (default samples/):
- logo.bmp: a 128 x 64 1-bit, bottom-up BMP (the size of a common OLED
  panel) with the lettering below drawn at twice its size over an
  ordered-dither gradient ('#' dark);
- badge.bmp: the same at 296 x 128 (a common e-paper panel), lettering
  at four times its size, for a screenshot large enough to read;
- gradient.png: 64 x 32 RGBA for the converter's threshold and dither: a
  black disc whose edge fades out through alpha over a transparent
  background, above a grey ramp from black to white.
usage: tools/make-sample.py [FOLDER]   (default samples)
"""
import math, os, struct, sys, zlib

if sys.argv[1:2] in (["-h"], ["--help"]):
    print(__doc__.strip())
    sys.exit(0)

GLYPHS = {  # 5 x 7
    "Q": [".###.", "#...#", "#...#", "#...#", "#.#.#", "#..#.", ".##.#"],
    "U": ["#...#", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."],
    "I": [".###.", "..#..", "..#..", "..#..", "..#..", "..#..", ".###."],
    "L": ["#....", "#....", "#....", "#....", "#....", "#....", "#####"],
    "G": [".###.", "#...#", "#....", "#.###", "#...#", "#...#", ".###."],
    "R": ["####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"],
    "D": ["####.", "#...#", "#...#", "#...#", "#...#", "#...#", "####."],
}

def lettering(word, width=64):
    """The word in 5 x 7 glyphs a column apart, centred in `width` columns."""
    rows = [".".join(GLYPHS[c][r] for c in word) for r in range(7)]
    left = (width - len(rows[0])) // 2
    return [("." * left + row).ljust(width, ".") for row in rows]

BOX = """
.########.########.########.########.########.########.########.
.#......#.#......#.#......#.#......#.#......#.#......#.#......#.
.#.####.#.#.####.#.#.####.#.#.####.#.#.####.#.#.####.#.#.####.#.
.#......#.#......#.#......#.#......#.#......#.#......#.#......#.
.########.########.########.########.########.########.########.
................................................................
""".split()

# 16 rows of 64, drawn at twice the size: the whole name, then a row of chips.
ART = ["." * 64] + lettering("QUILLGRID") + ["." * 64] * 2 + BOX

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

BAYER = [[0, 8, 2, 10], [12, 4, 14, 6], [3, 11, 1, 9], [15, 7, 13, 5]]

def canvas(w=128, h=64, scale=2):
    """A frame, the lettering at `scale` times its size, a gradient below."""
    art_w, art_h = 64 * scale, 16 * scale
    left, top = (w - art_w) // 2, 4 * scale - 4
    ramp_top, ramp_bottom = top + art_h + 4, h - 4
    rows = []
    for y in range(h):
        row = []
        for x in range(w):
            if top <= y < top + art_h and left <= x < left + art_w:  # the lettering
                dark = ART[(y - top) // scale][(x - left) // scale] == "#"
            elif ramp_top <= y < ramp_bottom and 4 <= x < w - 4:  # a left-to-right gradient
                dark = BAYER[y % 4][x % 4] < (x - 4) * 17 // (w - 8)
            else:
                dark = y in (0, h - 1) or x in (0, w - 1)
            row.append("#" if dark else ".")
        rows.append("".join(row))
    return rows

def png_rgba(width, height, pixel):
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))
    raw = b"".join(b"\0" + b"".join(bytes(pixel(x, y)) for x in range(width)) for y in range(height))
    head = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", head) + chunk(b"IDAT", zlib.compress(raw, 9))
            + chunk(b"IEND", b""))

def gradient(x, y):
    if y >= 16:  # the ramp, opaque
        grey = round(x * 255 / 63)
        return (grey, grey, grey, 255)
    distance = math.hypot(x - 31.5, y - 7.5)
    alpha = min(1.0, max(0.0, (8 - distance) / 5))  # solid inside 3 px, clear beyond 8
    return (0, 0, 0, round(alpha * 255))

folder = sys.argv[1] if len(sys.argv) > 1 else "samples"
with open(os.path.join(folder, "logo.bmp"), "wb") as f:
    f.write(bmp(canvas()))
with open(os.path.join(folder, "badge.bmp"), "wb") as f:
    f.write(bmp(canvas(296, 128, 4)))
with open(os.path.join(folder, "gradient.png"), "wb") as f:
    f.write(png_rgba(64, 32, gradient))
