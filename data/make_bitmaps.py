#!/usr/bin/env python3
"""Draws the bitmaps that ship with the sample projects and the new-project template: the
program icons (appicon.bmp, 32 by 32, 24 bits) and the pictures in images/. The output is
checked in; run this again only when a picture changes.
"""
import math
import os
import random
import struct

HERE = os.path.dirname(os.path.abspath(__file__))


def write_bmp(path, width, height, pixel, bits=24):
    """pixel(x, y) gives (r, g, b) with y = 0 the top row. bits is 24, or 8 to write the
    image with a palette of the colours it uses (at most 256)."""
    rows = [[pixel(x, y) for x in range(width)] for y in range(height)]
    if bits == 8:
        palette = sorted({c for row in rows for c in row})
        assert len(palette) <= 256, path
        index = {c: i for i, c in enumerate(palette)}
        stride = (width + 3) & ~3
        data = bytearray()
        for row in reversed(rows):
            line = bytes(index[c] for c in row)
            data += line + bytes(stride - len(line))
        table = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
    else:
        stride = (width * 3 + 3) & ~3
        data = bytearray()
        for row in reversed(rows):
            line = b"".join(bytes((b, g, r)) for r, g, b in row)
            data += line + bytes(stride - len(line))
        table = b""
    offset = 14 + 40 + len(table)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, len(data), 2835, 2835,
                       len(table) // 4, 0)
    head = b"BM" + struct.pack("<IHHI", offset + len(data), 0, 0, offset)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(head + info + table + bytes(data))


def mix(a, b, t):
    return tuple(int(round(x + (y - x) * t)) for x, y in zip(a, b))


def rounded_tile(x, y, size=32, radius=6):
    """Whether (x, y) lies inside a square with rounded corners."""
    cx = min(max(x, radius), size - 1 - radius)
    cy = min(max(y, radius), size - 1 - radius)
    return (x - cx) ** 2 + (y - cy) ** 2 <= radius * radius


# ---------------------------------------------------------------- Calculator

def calculator_icon(x, y):
    if not rounded_tile(x, y):
        return (255, 255, 255)
    if 4 <= x <= 27 and 4 <= y <= 11:        # the display
        if 17 <= x <= 25 and 6 <= y <= 9 and (x - 17) % 3 != 2:
            return (30, 60, 30)
        return (170, 220, 160)
    for row in range(3):                      # the keys
        for col in range(3):
            kx, ky = 5 + col * 8, 14 + row * 6
            if kx <= x <= kx + 5 and ky <= y <= ky + 3:
                return (250, 160, 40) if col == 2 else (235, 235, 240)
    return mix((70, 80, 110), (40, 45, 70), y / 31)


def calculator_banner(x, y):
    base = mix((25, 60, 140), (60, 140, 210), x / 387)
    # Faint diagonal lines, like graph paper on the move.
    if (x + y) % 12 == 0:
        base = mix(base, (255, 255, 255), 0.18)
    return mix(base, (10, 20, 60), y / 47 * 0.5)


# ---------------------------------------------------------------- Number guess

def guess_icon(x, y):
    if not rounded_tile(x, y):
        return (255, 255, 255)
    bg = mix((120, 40, 160), (60, 20, 110), y / 31)
    # A question mark from a ring's upper part, a stem and a dot.
    d = math.hypot(x - 15.5, y - 11)
    if 4.5 <= d <= 8 and (y <= 11 or x >= 16):
        return (255, 220, 60)
    if 14 <= x <= 17 and 16 <= y <= 21:
        return (255, 220, 60)
    if 14 <= x <= 17 and 24 <= y <= 27:
        return (255, 220, 60)
    return bg


def guess_stars():
    rnd = random.Random(7)
    stars = {(rnd.randrange(408), rnd.randrange(56)) for _ in range(90)}

    def pixel(x, y):
        if (x, y) in stars:
            return (255, 255, 255) if (x * 7 + y) % 3 else (255, 240, 170)
        return mix((10, 10, 40), (50, 20, 90), y / 55)
    return pixel


# ---------------------------------------------------------------- the template

def template_icon(x, y):
    if not rounded_tile(x, y):
        return (255, 255, 255)
    if 8 <= x <= 23 and 7 <= y <= 24:         # a sheet of paper with lines
        if x >= 19 and y <= 7 + (x - 19):
            return (200, 210, 225)
        if 10 <= x <= 21 and y in (12, 15, 18, 21):
            return (120, 140, 170)
        return (250, 250, 252)
    return mix((40, 150, 110), (20, 100, 80), y / 31)


def main():
    p = os.path.join(HERE, "projects")
    write_bmp(os.path.join(p, "Calculator", "appicon.bmp"), 32, 32, calculator_icon)
    write_bmp(os.path.join(p, "Calculator", "images", "banner.bmp"), 388, 48, calculator_banner)
    write_bmp(os.path.join(p, "NumberGuess", "appicon.bmp"), 32, 32, guess_icon)
    write_bmp(os.path.join(p, "NumberGuess", "images", "stars.bmp"), 408, 56, guess_stars(), bits=8)
    write_bmp(os.path.join(p, "VT.NewPrj", "appicon.bmp"), 32, 32, template_icon)


if __name__ == "__main__":
    main()
