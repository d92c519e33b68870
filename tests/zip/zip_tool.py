#!/usr/bin/env python3
"""Makes and reads ZIP archives with Python's zipfile, for the archive tests.

  zip_tool.py make ARCHIVE [NAME METHOD LEVEL SOURCE]...
      METHOD is "stored" or "deflated"; SOURCE is a file, "-" for a folder entry, or
      "extra:FILE" for a file entry that carries an extra field in its local header.
  zip_tool.py read ARCHIVE OUTDIR
      Checks every CRC (testzip), writes entry i's data to OUTDIR/i.bin and prints
      "testzip OK" (or the first bad name), then one line per entry:
      name-as-hex size compressed-size crc method
"""
import os
import struct
import sys
import zipfile

METHODS = {"stored": zipfile.ZIP_STORED, "deflated": zipfile.ZIP_DEFLATED}


def make(archive, args):
    with zipfile.ZipFile(archive, "w") as z:
        for i in range(0, len(args), 4):
            name, method, level, source = args[i:i + 4]
            method, level = METHODS[method], int(level)
            if source == "-":
                info = zipfile.ZipInfo(name)
                info.external_attr = (0o40755 << 16) | 0x10
                z.writestr(info, b"")
            elif source.startswith("extra:"):
                info = zipfile.ZipInfo(name, date_time=(2020, 1, 2, 3, 4, 6))
                info.compress_type = method
                info.extra = struct.pack("<HH", 0xCAFE, 5) + b"extra"
                with open(source[6:], "rb") as f:
                    z.writestr(info, f.read(), compresslevel=level)
            else:
                z.write(source, arcname=name, compress_type=method, compresslevel=level)


def read(archive, outdir):
    with zipfile.ZipFile(archive) as z:
        bad = z.testzip()
        print("testzip", "OK" if bad is None else bad)
        for i, info in enumerate(z.infolist()):
            with open(os.path.join(outdir, "%d.bin" % i), "wb") as f:
                f.write(z.read(info))
            raw = info.orig_filename.encode("utf-8" if info.flag_bits & 0x800 else "cp437")
            print(raw.hex(), info.file_size, info.compress_size, "%08x" % info.CRC, info.compress_type)


if __name__ == "__main__":
    if sys.argv[1] == "make":
        make(sys.argv[2], sys.argv[3:])
    elif sys.argv[1] == "read":
        read(sys.argv[2], sys.argv[3])
    else:
        sys.exit("unknown command " + sys.argv[1])
