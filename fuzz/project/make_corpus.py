#!/usr/bin/env python3
"""Writes the seed corpora: corpus/payload/ (program files, from a plain loader to built
programs and damaged payloads) and corpus/entry_name/ (archive entry names)."""
import io
import os
import struct
import zipfile

HERE = os.path.dirname(os.path.abspath(__file__))
MARKER = b"*VantrelBuilder*"
IMAGE = b"\x7fELF\x02\x01\x01" + bytes(range(256)) * 4


def archive(entries, method=zipfile.ZIP_STORED):
    buf = io.BytesIO()
    with zipfile.ZipFile(buf, "w") as z:
        for name, data in entries:
            info = zipfile.ZipInfo(name, (2024, 6, 24, 15, 20, 52))
            info.compress_type = method
            z.writestr(info, data)
    return buf.getvalue()


def program(zip_bytes, length=None):
    return IMAGE + zip_bytes + struct.pack("<I", len(zip_bytes) if length is None else length) + MARKER


def write(folder, name, data):
    os.makedirs(os.path.join(HERE, "corpus", folder), exist_ok=True)
    with open(os.path.join(HERE, "corpus", folder, name), "wb") as f:
        f.write(data)


def main():
    path = [("zemblo.project.path", b"/home/user/Zemblo/Calculator//")]
    write("payload", "built", program(archive(path)))
    write("payload", "deflated", program(archive(path, zipfile.ZIP_DEFLATED)))
    write("payload", "plain_loader", IMAGE)
    write("payload", "length_too_large", program(archive(path), 0xFFFFFF00))
    write("payload", "length_short", program(archive(path), 30))
    write("payload", "other_entry", program(archive([("readme.txt", b"hello")])))
    write("payload", "two_entries", program(archive(path + [("Zemblo.Project.Path", b"/second//")])))
    write("payload", "empty_path", program(archive([("zemblo.project.path", b"")])))
    write("payload", "marker_only", MARKER)

    for name, text in [("plain", b"Main.php"), ("folder", b"images/"), ("nested", b"files\\deep\\a.txt"),
                       ("climb", b"a/../../x"), ("absolute", b"/etc/passwd"), ("drive", b"C:\\x"),
                       ("nul", b"a\x00/../b"), ("dots", b"./.../..a/b..")]:
        write("entry_name", name, text)


if __name__ == "__main__":
    main()
