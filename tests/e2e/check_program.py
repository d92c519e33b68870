#!/usr/bin/env python3
"""check_program.py PROGRAM LOADER FOLDER [ICON]: checks a built program's layout with
nothing of ours: the loader's bytes (with ICON's pixels over the loader's icon when given),
then a ZIP archive that Python's zipfile reads, holding only "zemblo.project.path" with
FOLDER (the project folder, ending in "/") and one more "/", then the archive's length (4 bytes, least significant first) and
"*VantrelBuilder*". Prints OK, or what is wrong and exits 1.
"""
import io
import struct
import sys
import zipfile

PATTERN = bytes.fromhex(
    "8080ff6b6bff6b6bff6b6b5725ff5725ff5725ff73ff4873ff4873ff486bffff6bffff6bffffffff48ffff48ffff48ff")


def icon_pixels(bmp):
    """The 3,072 bytes of a 32 by 32 icon from a 24-bit, bottom-up .bmp of that size."""
    offset, = struct.unpack_from("<I", bmp, 10)
    width, height, planes, bits, compression = struct.unpack_from("<iiHHI", bmp, 18)
    if (width, height, bits, compression) != (32, 32, 24, 0):
        sys.exit("check_program.py: the icon is not a plain 32 by 32, 24-bit bitmap")
    return bmp[offset:offset + 32 * 32 * 3]  # rows of 96 bytes need no padding


def fail(message):
    print(message)
    sys.exit(1)


def main(program, loader, folder, icon=None):
    data = open(program, "rb").read()
    original = open(loader, "rb").read()
    if data[-16:] != b"*VantrelBuilder*":
        fail("no marker at the end")
    n, = struct.unpack("<I", data[-20:-16])
    archive = data[-20 - n:-20]
    image = data[:-20 - n]
    with zipfile.ZipFile(io.BytesIO(archive)) as z:
        if z.namelist() != ["zemblo.project.path"]:
            fail("entries: %r" % z.namelist())
        if z.testzip() is not None:
            fail("the entry's checksum is wrong")
        path = z.read("zemblo.project.path")
    if path != folder.encode() + b"/":
        fail("project path %r" % path)
    if len(image) != len(original):
        fail("the loader image has %d bytes, the loader %d" % (len(image), len(original)))
    expected = bytearray(original)
    if icon is not None:
        at = original.find(PATTERN) - 3010
        if at < 0 or original.count(PATTERN) != 1:
            fail("the loader's icon pattern is missing or not unique")
        expected[at:at + 3200] = icon_pixels(open(icon, "rb").read()) + bytes(128)
    if image != bytes(expected):
        first = next(i for i in range(len(image)) if image[i] != expected[i])
        fail("the loader image differs from byte %d on" % first)
    print("OK")


if __name__ == "__main__":
    if len(sys.argv) not in (4, 5):
        sys.exit(__doc__)
    main(*sys.argv[1:])
