#!/usr/bin/env python3
"""Writes Merulan.ico: one 32 x 32 image with alpha, a white "M" on a blue rounded square.

Plain geometry with 4 x 4 supersampling and no fonts, so the output is the same on every machine:
    python3 app/resources/make_icon.py app/resources/Merulan.ico
"""
import struct
import sys

SIZE = 32
SAMPLES = 4
BLUE = (0x1E, 0x63, 0xC8)
WHITE = (0xFF, 0xFF, 0xFF)


def in_square(x, y):
    """Rounded square filling the image, corner radius 5."""
    r, lo, hi = 5.0, 0.0, float(SIZE)
    cx = min(max(x, lo + r), hi - r)
    cy = min(max(y, lo + r), hi - r)
    return (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def near_segment(x, y, ax, ay, bx, by, half_width):
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy)))
    px, py = ax + t * dx, ay + t * dy
    return (x - px) ** 2 + (y - py) ** 2 <= half_width * half_width


# The letter M: two stems and two diagonals meeting below the middle.
STROKES = [(8.5, 24.5, 8.5, 8.0), (8.5, 8.0, 16.0, 19.0), (16.0, 19.0, 23.5, 8.0), (23.5, 8.0, 23.5, 24.5)]


def in_letter(x, y):
    return any(near_segment(x, y, *stroke, 1.9) for stroke in STROKES)


def pixel(px, py):
    square = letter = 0
    for sy in range(SAMPLES):
        for sx in range(SAMPLES):
            x = px + (sx + 0.5) / SAMPLES
            y = py + (sy + 0.5) / SAMPLES
            if in_square(x, y):
                square += 1
                if in_letter(x, y):
                    letter += 1
    if square == 0:
        return (0, 0, 0, 0)
    mix = letter / square
    rgb = tuple(round(b + (w - b) * mix) for b, w in zip(BLUE, WHITE))
    return rgb + (round(255 * square / SAMPLES ** 2),)


def icon_bytes():
    rows = [[pixel(x, y) for x in range(SIZE)] for y in range(SIZE)]
    colour = bytearray()
    mask = bytearray()
    for row in reversed(rows):  # bottom-up
        bits = 0
        for x, (r, g, b, a) in enumerate(row):
            colour += bytes((b, g, r, a))
            if a == 0:
                bits |= 1 << (31 - x)
        mask += struct.pack(">I", bits)
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 32, 0, len(colour) + len(mask), 0, 0, 0, 0)
    image = header + colour + mask
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, 1, 32, len(image), 6 + 16)
    return directory + entry + image


if __name__ == "__main__":
    with open(sys.argv[1] if len(sys.argv) > 1 else "Merulan.ico", "wb") as out:
        out.write(icon_bytes())
