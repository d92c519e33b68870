#!/usr/bin/env python3
"""pack_sample.py FOLDER ARCHIVE: zips the files below FOLDER into ARCHIVE with DEFLATE.

The archives are read by the IDE's own ZIP reader, which walks the local headers and does
not support data descriptors, so every local header must carry the real sizes: zipfile
writes them when it can seek back in its output, which a file on disk allows. Names use
"/", entries come in sorted order with one fixed time stamp, so an archive depends only on
the files' names and bytes.
"""
import os
import sys
import zipfile

STAMP = (2024, 6, 24, 15, 20, 52)


def main(folder, archive):
    names = []
    for base, dirs, files in os.walk(folder):
        dirs.sort()
        for name in files:
            names.append(os.path.relpath(os.path.join(base, name), folder).replace(os.sep, "/"))
    names.sort(key=lambda n: n.lower())
    os.makedirs(os.path.dirname(os.path.abspath(archive)), exist_ok=True)
    temp = archive + ".tmp"
    with zipfile.ZipFile(temp, "w") as z:
        for name in names:
            info = zipfile.ZipInfo(name, STAMP)
            info.compress_type = zipfile.ZIP_DEFLATED
            info.external_attr = 0o644 << 16
            with open(os.path.join(folder, name), "rb") as f:
                z.writestr(info, f.read(), compresslevel=9)
    with zipfile.ZipFile(temp) as z:
        for info in z.infolist():
            if info.flag_bits & 0x08:
                sys.exit("pack_sample.py: %s got a data descriptor" % info.filename)
    os.replace(temp, archive)


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    main(sys.argv[1], sys.argv[2])
