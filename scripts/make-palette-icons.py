#!/usr/bin/env python3
"""Draws the component palette's icons: data/cmps/<Type>.bmp, 24 by 24 pixels, 24 bits, one
per control type. The palette leaves out the colour of each icon's bottom left pixel, so
every icon keeps that pixel (and its whole background) in the key colour magenta. The output
is checked in; run this again only when an icon changes.

usage: make-palette-icons.py [OUTPUT_FOLDER]   (default: data/cmps beside this folder)
"""
import math
import os
import struct
import sys

SIZE = 24
KEY = (255, 0, 255)          # left out when drawn
INK = (0, 0, 0)
DARK = (64, 64, 64)
SHADOW = (128, 128, 128)
FACE = (212, 208, 200)
LIGHT = (255, 255, 255)
BLUE = (0, 0, 128)
PALE_TEXT = (96, 96, 96)


class Canvas:
    def __init__(self):
        self.px = [[KEY] * SIZE for _ in range(SIZE)]

    def put(self, x, y, c):
        if 0 <= x < SIZE and 0 <= y < SIZE:
            self.px[y][x] = c

    def fill(self, x0, y0, x1, y1, c):
        """Fills the rectangle with corners (x0, y0) and (x1, y1), both included."""
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.put(x, y, c)

    def hline(self, x0, x1, y, c):
        self.fill(x0, y, x1, y, c)

    def vline(self, x, y0, y1, c):
        self.fill(x, y0, x, y1, c)

    def frame(self, x0, y0, x1, y1, top_left, bottom_right):
        self.hline(x0, x1, y0, top_left)
        self.vline(x0, y0, y1, top_left)
        self.hline(x0, x1, y1, bottom_right)
        self.vline(x1, y0, y1, bottom_right)

    def glyph(self, x, y, rows, c):
        """rows: strings in which '#' marks a pixel."""
        for dy, row in enumerate(rows):
            for dx, ch in enumerate(row):
                if ch == "#":
                    self.put(x + dx, y + dy, c)

    def disc(self, cx, cy, r, c):
        for y in range(SIZE):
            for x in range(SIZE):
                if math.hypot(x + 0.5 - cx, y + 0.5 - cy) <= r:
                    self.put(x, y, c)

    def write(self, path):
        stride = (SIZE * 3 + 3) & ~3
        data = bytearray()
        for row in reversed(self.px):  # bottom-up
            line = b"".join(bytes((b, g, r)) for r, g, b in row)
            data += line + bytes(stride - len(line))
        info = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE, 1, 24, 0, len(data), 2835, 2835, 0, 0)
        head = b"BM" + struct.pack("<IHHI", 14 + 40 + len(data), 0, 0, 14 + 40)
        with open(path, "wb") as f:
            f.write(head + info + bytes(data))


# Small letters for captions, 3 to 5 pixels wide.
AB = [".....#...",
      ".##..#...",
      "...#.###.",
      ".###.#..#",
      "#..#.#..#",
      ".###.###."]
LETTER_A = ["...##...",
            "...##...",
            "..####..",
            "..#..#..",
            ".##..##.",
            ".######.",
            "##....##",
            "##....##",
            "##....##"]


def caption_bar(c, x, y, w, color):
    """A two-pixel bar standing for a line of text."""
    c.fill(x, y, x + w - 1, y + 1, color)


def box():
    c = Canvas()
    c.fill(1, 3, 22, 20, FACE)
    c.frame(1, 3, 22, 20, LIGHT, SHADOW)
    c.hline(1, 22, 21, DARK)
    c.vline(23, 3, 21, DARK)
    caption_bar(c, 7, 11, 10, DARK)
    return c


def frame():
    c = Canvas()
    # An etched outline (dark, then light one pixel in) with a gap for its caption.
    c.frame(1, 7, 21, 21, SHADOW, SHADOW)
    c.frame(2, 8, 22, 22, LIGHT, LIGHT)
    c.fill(4, 4, 14, 9, KEY)
    c.glyph(5, 4, AB, INK)
    return c


def button():
    c = Canvas()
    c.fill(1, 5, 22, 18, FACE)
    c.frame(1, 5, 22, 18, LIGHT, DARK)
    c.frame(2, 6, 21, 17, FACE, SHADOW)
    c.hline(0, 23, 19, INK)
    c.vline(23, 4, 19, INK)
    caption_bar(c, 7, 11, 10, INK)
    return c


def check():
    c = Canvas()
    c.fill(2, 5, 14, 17, LIGHT)
    c.frame(2, 5, 14, 17, SHADOW, LIGHT)
    c.frame(3, 6, 13, 16, DARK, FACE)
    tick = [(5, 10), (6, 11), (7, 12), (8, 11), (9, 10), (10, 9), (11, 8)]
    for x, y in tick:
        c.vline(x, y, y + 2, INK)
    caption_bar(c, 17, 10, 6, DARK)
    return c


def option():
    c = Canvas()
    c.disc(8.5, 11.5, 7.0, SHADOW)
    c.disc(8.5, 11.5, 6.0, LIGHT)
    c.disc(8.5, 11.5, 2.6, INK)
    caption_bar(c, 17, 10, 6, DARK)
    return c


def text():
    c = Canvas()
    c.glyph(2, 4, LETTER_A, BLUE)
    c.glyph(12, 7, AB, BLUE)
    c.hline(2, 21, 16, PALE_TEXT)
    c.hline(2, 15, 19, PALE_TEXT)
    return c


def input_field():
    c = Canvas()
    c.fill(1, 6, 22, 17, LIGHT)
    c.frame(1, 6, 22, 17, SHADOW, LIGHT)
    c.frame(2, 7, 21, 16, DARK, FACE)
    caption_bar(c, 5, 11, 8, PALE_TEXT)
    c.vline(15, 9, 14, INK)  # the text cursor
    c.hline(14, 16, 9, INK)
    c.hline(14, 16, 14, INK)
    return c


ICONS = {"Box": box, "Frame": frame, "Button": button, "Check": check, "Option": option,
         "Text": text, "Input": input_field}


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "..", "data", "cmps")
    os.makedirs(out, exist_ok=True)
    for name, draw in ICONS.items():
        canvas = draw()
        assert canvas.px[SIZE - 1][0] == KEY, name  # the palette's transparent colour
        canvas.write(os.path.join(out, name + ".bmp"))


if __name__ == "__main__":
    main()
