#!/usr/bin/env python3
"""Writes the seed corpus of the bitmap fuzz target: small .bmp files of every depth,
header and row order the reader takes, plus a few broken ones. Headers are written by hand
so that each file shows one feature. Run from any folder; the output is deterministic.
The widget tests decode every file here and compare the pixels with Qt's own reader."""
import os
import shutil
import struct
import subprocess

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "corpus", "bitmap")
W, H = 5, 3  # odd width: every depth needs row padding


def rgb(x, y):
    """The picture every true-colour file holds."""
    return (40 * x + 20) & 0xFF, (80 * y + 30) & 0xFF, (23 * (x + y) + 60) & 0xFF


def index(x, y, colours):
    return (x + 2 * y) % colours


def palette(colours, entry=4):
    out = b""
    for i in range(colours):
        r, g, b = (i * 37) & 0xFF, (255 - i * 53) & 0xFF, (i * 91 + 7) & 0xFF
        out += bytes([b, g, r]) + (b"\0" if entry == 4 else b"")
    return out


def rows(bpp, top_down, pixel):
    """Pixel rows in file order, each padded to 4 bytes."""
    order = range(H) if top_down else range(H - 1, -1, -1)
    data = b""
    for y in order:
        if bpp <= 8:
            bits = ""
            for x in range(W):
                bits += format(pixel(x, y), "0%db" % bpp)
            bits += "0" * (-len(bits) % 8)
            row = bytes(int(bits[i:i + 8], 2) for i in range(0, len(bits), 8))
        else:
            row = b"".join(pixel(x, y) for x in range(W))
        data += row + b"\0" * (-len(row) % 4)
    return data


def info_header(size, bpp, compression, top_down, colours=0, extra=b"", image_size=0):
    h = struct.pack("<IiiHHIIiiII", size, W, -H if top_down else H, 1, bpp, compression, image_size, 2835, 2835,
                    colours, 0)
    return (h + extra).ljust(size, b"\0")


def write(name, header, pal, pixels, offset=None):
    off = 14 + len(header) + len(pal) if offset is None else offset
    data = header + pal + pixels
    fh = b"BM" + struct.pack("<IHHI", 14 + len(data), 0, 0, off)
    with open(os.path.join(OUT, name), "wb") as f:
        f.write(fh + data)


def bgr(x, y):
    r, g, b = rgb(x, y)
    return bytes([b, g, r])


def main():
    os.makedirs(OUT, exist_ok=True)
    for top_down in (False, True):
        tag = "td" if top_down else "bu"
        for bpp in (1, 4, 8):
            n = 1 << bpp
            write("pal%d_%s.bmp" % (bpp, tag), info_header(40, bpp, 0, top_down, n), palette(n),
                  rows(bpp, top_down, lambda x, y: index(x, y, n)))
        write("rgb24_%s.bmp" % tag, info_header(40, 24, 0, top_down), b"", rows(24, top_down, bgr))
        write("rgb32_%s.bmp" % tag, info_header(40, 32, 0, top_down), b"",
              rows(32, top_down, lambda x, y: bgr(x, y) + b"\x99"))

        def p555(x, y):
            r, g, b = rgb(x, y)
            return struct.pack("<H", (r >> 3) << 10 | (g >> 3) << 5 | b >> 3)

        def p565(x, y):
            r, g, b = rgb(x, y)
            return struct.pack("<H", (r >> 3) << 11 | (g >> 2) << 5 | b >> 3)

        write("rgb555_%s.bmp" % tag, info_header(40, 16, 0, top_down), b"", rows(16, top_down, p555))
        write("rgb565_%s.bmp" % tag, info_header(40, 16, 3, top_down), struct.pack("<III", 0xF800, 0x07E0, 0x001F),
              rows(16, top_down, p565))

    # 32 bits with masks in another order (R in the low byte), inside a 108-byte header.
    def rgbx(x, y):
        r, g, b = rgb(x, y)
        return bytes([r, g, b, 0])
    masks = struct.pack("<IIII", 0x000000FF, 0x0000FF00, 0x00FF0000, 0) + b"BGRs"
    write("bitfields32_v4.bmp", info_header(108, 32, 3, False, extra=masks), b"", rows(32, False, rgbx))
    # A 124-byte header with a small colour table (fewer entries than the depth allows).
    write("pal8_v5_16colours.bmp", info_header(124, 8, 0, False, 16), palette(16),
          rows(8, False, lambda x, y: index(x, y, 16)))
    # The 12-byte core header with 3-byte colour entries.
    core = struct.pack("<IHHHH", 12, W, H, 1, 4)
    write("core4.bmp", core, palette(16, 3), rows(4, False, lambda x, y: index(x, y, 16)))
    core24 = struct.pack("<IHHHH", 12, W, H, 1, 24)
    write("core24.bmp", core24, b"", rows(24, False, bgr))

    # RLE8: an encoded run, a literal run, end of line, a move, end of bitmap.
    rle8 = bytes([3, 1]) + bytes([0, 3, 4, 5, 6, 0]) + bytes([0, 0])  # row 0: 1 1 1 then 4 5 6 (clipped)
    rle8 += bytes([2, 7, 0, 2, 1, 1]) + bytes([1, 9]) + bytes([0, 1])  # row 1: 7 7, move to (3, 2): 9
    write("rle8.bmp", info_header(40, 8, 1, False, 16, image_size=len(rle8)), palette(16), rle8)
    # RLE4: runs alternate the two nibbles; a literal run of three nibbles padded to a word.
    rle4 = bytes([5, 0x12]) + bytes([0, 0]) + bytes([0, 3, 0x34, 0x50]) + bytes([0, 0]) + bytes([2, 0xF0]) + bytes([0, 1])
    write("rle4.bmp", info_header(40, 4, 2, False, 16, image_size=len(rle4)), palette(16), rle4)
    # RLE8 without its end marker.
    write("rle8_unterminated.bmp", info_header(40, 8, 1, False, 4, image_size=6), palette(4), bytes([5, 2, 0, 0, 5, 3]))

    # Broken: pixels cut short, a giant size with no data, an unknown depth, no signature.
    write("broken_truncated.bmp", info_header(40, 24, 0, False), b"", rows(24, False, bgr)[:20])
    big = struct.pack("<IiiHHIIiiII", 40, 60000, 60000, 1, 24, 0, 0, 0, 0, 0, 0)
    write("broken_giant.bmp", big, b"", b"\0" * 16)
    write("broken_depth.bmp", info_header(40, 7, 0, False), b"", b"\0" * 32)
    with open(os.path.join(OUT, "broken_signature.bmp"), "wb") as f:
        f.write(b"XX" + b"\0" * 60)

    # Two files as another program writes them: 24 bits with the 40-byte header, and 32 bits
    # with an alpha channel in the 124-byte header.
    im = "/usr/bin/convert-im6.q16"
    if shutil.which(im):
        subprocess.run([im, "-size", "7x4", "gradient:orange-navy", "-define", "bmp:format=bmp3",
                        "-type", "TrueColor", os.path.join(OUT, "im_rgb24.bmp")], check=True)
        subprocess.run([im, "-size", "6x3", "gradient:#FF000080-#00FF00FF", "-type", "TrueColorAlpha",
                        os.path.join(OUT, "im_argb32_v5.bmp")], check=True)


if __name__ == "__main__":
    main()
