#!/usr/bin/env python3
"""Writes the seed corpora of the zip fuzz targets: raw DEFLATE streams for "inflate"
and small archives for "pkzip". Run from this folder; the output is deterministic."""
import io
import os
import random
import zipfile
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))


def raw_deflate(data, level=6, strategy=zlib.Z_DEFAULT_STRATEGY, flush_every=0):
    c = zlib.compressobj(level, zlib.DEFLATED, -15, 8, strategy)
    out = b""
    if flush_every:
        for i in range(0, len(data), flush_every):
            out += c.compress(data[i:i + flush_every]) + c.flush(zlib.Z_SYNC_FLUSH)
    else:
        out += c.compress(data)
    return out + c.flush()


def samples():
    rnd = random.Random(1)
    words = b"function return $this-> Window echo if else class extends Win32Wnd A() null".split()
    text = b" ".join(rnd.choice(words) for _ in range(600))
    noise = bytes(rnd.randrange(256) for _ in range(1500))
    runs = b"a" * 3000 + b"xyz" * 400 + b"\0" * 500
    return text, noise, runs


class Bits:
    """Bits first bit lowest; Huffman codes first bit highest."""

    def __init__(self):
        self.value, self.count = 0, 0

    def put(self, v, n):
        self.value |= v << self.count
        self.count += n

    def code(self, c, n):
        self.put(int(format(c, "0%db" % n)[::-1], 2), n)

    def bytes(self):
        return self.value.to_bytes((self.count + 7) // 8, "little")


def canonical(lens):
    codes, code = {}, 0
    for length in range(1, 16):
        for sym, l in enumerate(lens):
            if l == length:
                codes[sym] = code
                code += 1
        code <<= 1
    return codes


def lone_distance_block():
    """A dynamic block whose one distance code has one bit, as RFC 1951 allows: "aaaa"."""
    lit = [0] * 258
    lit[ord("a")], lit[256], lit[257] = 1, 2, 2
    dist = [1]
    order = [16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15]
    cl = [4] * 13 + [5] * 6
    b = Bits()
    b.put(1, 1), b.put(2, 2), b.put(len(lit) - 257, 5), b.put(len(dist) - 1, 5), b.put(15, 4)
    for i in range(19):
        b.put(cl[order[i]], 3)
    clc = canonical(cl)
    for l in lit + dist:
        b.code(clc[l], cl[l])
    lc, dc = canonical(lit), canonical(dist)
    b.code(lc[ord("a")], 1)
    b.code(lc[257], 2)
    b.code(dc[0], 1)
    b.code(lc[256], 2)
    return b.bytes()


def write(folder, name, data):
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


def inflate_corpus():
    folder = os.path.join(HERE, "corpus", "inflate")
    text, noise, runs = samples()
    write(folder, "text_l1", raw_deflate(text, 1))
    write(folder, "text_l9", raw_deflate(text, 9))
    write(folder, "text_fixed", raw_deflate(text[:800], 6, zlib.Z_FIXED))
    write(folder, "text_huffman", raw_deflate(text[:1500], 6, zlib.Z_HUFFMAN_ONLY))
    write(folder, "text_sync", raw_deflate(text[:1000], 6, flush_every=200))
    write(folder, "noise_stored", raw_deflate(noise, 0))
    write(folder, "noise_l6", raw_deflate(noise, 6))
    write(folder, "runs_rle", raw_deflate(runs, 6, zlib.Z_RLE))
    write(folder, "runs_l9", raw_deflate(runs, 9))
    write(folder, "empty", raw_deflate(b""))
    # Past the window: 40,000 bytes of little text.
    write(folder, "forty_thousand", raw_deflate((text * 7)[:40000], 9))
    write(folder, "lone_distance", lone_distance_block())
    write(folder, "stored_empty", bytes.fromhex("010000ffff"))


def pkzip_corpus():
    folder = os.path.join(HERE, "corpus", "pkzip")
    text, noise, runs = samples()

    def archive(entries, stream=False):
        buf = io.BytesIO()

        class Unseekable(io.RawIOBase):
            def writable(self):
                return True

            def write(self, b):
                return buf.write(b)

        target = Unseekable() if stream else buf
        with zipfile.ZipFile(target, "w") as z:
            for name, data, method in entries:
                info = zipfile.ZipInfo(name, date_time=(2004, 6, 24, 15, 20, 52))
                info.compress_type = method
                z.writestr(info, data)
        return buf.getvalue()

    S, D = zipfile.ZIP_STORED, zipfile.ZIP_DEFLATED
    write(folder, "stored", archive([("a.txt", text[:300], S), ("dir/", b"", S), ("dir/b.bin", noise[:200], S)]))
    write(folder, "deflated", archive([("Main.php", text, D), ("runs", runs, D), ("empty", b"", D)]))
    write(folder, "descriptor", archive([("streamed.txt", text[:500], D), ("next", b"abc", S)], stream=True))
    write(folder, "method12", archive([("x", b"hello", S)]).replace(b"PK\x03\x04\x14\x00\x00\x00\x00\x00",
                                                                     b"PK\x03\x04\x14\x00\x00\x00\x0c\x00", 1))
    # What the builder writes: one stored entry at the fixed time stamp.
    write(folder, "payload", archive([("zemblo.project.path", b"C:\\Projects\\Calc\\\\", S)]))


if __name__ == "__main__":
    inflate_corpus()
    pkzip_corpus()
