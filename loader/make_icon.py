#!/usr/bin/env python3
"""Writes ZembloLdr.icon, the loader's own program icon: a 32 by 32, 24-bit icon image
(the 40-byte header, 3,072 pixel bytes with the bottom row first, a 128-byte mask). The
loader's build appends it to the loader's file, so it always lies within the last blocks
that the executable builder searches.

The builder finds the icon by the 48 bytes at offset 3,010 of the pixel array, which fall
in the top row (pixels 11 to 27): the rainbow stripe across the top of the icon. Run this
script again only when the picture changes; its output is checked in.
"""
import os
import struct

SIDE = 32
PATTERN = bytes.fromhex(
    "8080ff6b6bff6b6bff6b6b5725ff5725ff5725ff73ff4873ff4873ff486bffff6bffff6bffffffff48ffff48ffff48ff")
PATTERN_OFFSET = 3010


def picture():
    """Rows top to bottom, each a list of (r, g, b)."""
    rows = []
    for y in range(SIDE):
        row = []
        for x in range(SIDE):
            # A deep blue tile, a little lighter towards the bottom right.
            shade = (x + y) * 2
            r, g, b = 0x20 + shade // 3, 0x28 + shade // 2, 0x70 + shade
            # The letter Z in white: two bars and the diagonal.
            if 5 <= x <= 26 and (6 <= y <= 9 or 22 <= y <= 25):
                r, g, b = 0xF4, 0xF4, 0xF8
            elif 10 <= y <= 21 and abs((x + y) - 31) <= 2 and 5 <= x <= 26:
                r, g, b = 0xF4, 0xF4, 0xF8
            row.append((min(r, 255), min(g, 255), min(b, 255)))
        rows.append(row)
    # The top row: a stripe in the pattern's colours, continued to both edges.
    stripe = [(0x6b, 0x6b, 0xff)] * 12 + [None] * 16 + [(0x48, 0xff, 0xff)] * 4
    rows[0] = [c if c is not None else (0, 0, 0) for c in stripe]
    return rows


def pixel_bytes(rows):
    data = bytearray()
    for row in reversed(rows):  # bottom row first
        for r, g, b in row:
            data += bytes((b, g, r))
    data[PATTERN_OFFSET:PATTERN_OFFSET + len(PATTERN)] = PATTERN
    return bytes(data)


def main():
    pixels = pixel_bytes(picture())
    assert len(pixels) == SIDE * SIDE * 3
    header = struct.pack("<IiiHHIIiiII", 40, SIDE, SIDE * 2, 1, 24, 0, len(pixels) + 128, 0, 0, 0, 0)
    mask = bytes(SIDE * SIDE // 8)
    out = os.path.join(os.path.dirname(os.path.abspath(__file__)), "ZembloLdr.icon")
    with open(out, "wb") as f:
        f.write(header + pixels + mask)


if __name__ == "__main__":
    main()
