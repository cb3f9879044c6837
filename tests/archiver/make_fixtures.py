#!/usr/bin/env python3
"""Makes the small archives the archiver library's tests read, into the folder given."""
import gzip
import io
import os
import random
import shutil
import subprocess
import sys
import tarfile
import zipfile

out = sys.argv[1]
os.makedirs(out, exist_ok=True)
WHEN = (2021, 3, 4, 5, 6, 8)
MTIME = 1614834368  # 2021-03-04 05:06:08 UTC


def zip_of(name, members, flags_utf8=True):
    with zipfile.ZipFile(os.path.join(out, name), "w", zipfile.ZIP_DEFLATED) as z:
        for member, data in members:
            info = zipfile.ZipInfo(member, WHEN)
            info.compress_type = zipfile.ZIP_STORED if member.endswith("/") else zipfile.ZIP_DEFLATED
            z.writestr(info, data)


def shift_jis_zip(name, members):
    # Python marks every non-ASCII name as UTF-8.  An archive from an older
    # Japanese tool has Shift_JIS bytes and no flag: write ASCII stand-ins of
    # the same length and put the Shift_JIS bytes in their place.
    stand_ins = []
    for i, (member, data) in enumerate(members):
        raw = member.encode("shift_jis")
        stand_ins.append((("Q%d" % i).ljust(len(raw), "Q").encode(), raw, data))
    zip_of(name, [(s.decode(), d) for s, _, d in stand_ins])
    path = os.path.join(out, name)
    blob = open(path, "rb").read()
    for stand_in, raw, _ in stand_ins:
        assert blob.count(stand_in) == 2
        blob = blob.replace(stand_in, raw)
    open(path, "wb").write(blob)


def tar_of(name, members, mode="w"):
    with tarfile.open(os.path.join(out, name), mode, format=tarfile.GNU_FORMAT) as t:
        for member, data in members:
            info = tarfile.TarInfo(member)
            info.mtime = MTIME
            if isinstance(data, tuple):
                info.type, info.linkname = data
            elif member.endswith("/"):
                info.type = tarfile.DIRTYPE
            else:
                info.size = len(data)
            t.addfile(info, io.BytesIO(data) if isinstance(data, bytes) else None)


tree = [("a.txt", b"alpha\n"), ("dir/", b""), ("dir/sub/b.txt", b"bravo\n")]
zip_of("plain.zip", tree)
zip_of("empty.zip", [])
zip_of("utf8.zip", [("日本語/表.txt", b"utf8\n")])
shift_jis_zip("sjis.zip", [("日本語.txt", b"sjis\n"), ("表/ソ.txt", b"sjis folder\n")])
zip_of("hostile.zip", [("../evil.txt", b"x"), ("..\\evil2.txt", b"x"), ("/abs.txt", b"x"), ("C:/drive.txt", b"x"),
                       ("a/../../up.txt", b"x"), (".. /trim.txt", b"x"), ("ok.txt", b"ok\n")])
for suffix, mode in (("tar", "w"), ("tar.gz", "w:gz"), ("tar.bz2", "w:bz2"), ("tar.xz", "w:xz")):
    tar_of("plain." + suffix, tree, mode)
tar_of("hostile.tar", [("../x", b"x"), ("link", (tarfile.SYMTYPE, "/tmp")), ("link/y.txt", b"y\n"),
                       ("ok.txt", b"ok\n")])
with gzip.GzipFile(os.path.join(out, "note.txt.gz"), "wb", mtime=MTIME) as g:
    g.write(b"just one file\n")
rng = random.Random(7)
tar_of("whole.tar.gz", [("big.bin", bytes(rng.getrandbits(8) for _ in range(200000)))], "w:gz")
blob = open(os.path.join(out, "whole.tar.gz"), "rb").read()
open(os.path.join(out, "truncated.tar.gz"), "wb").write(blob[: len(blob) * 6 // 10])


def png_red_above_blue(size=8):
    """An RGB picture, its top half red and its bottom half blue."""
    import struct
    import zlib
    rows = b"".join(b"\0" + (b"\xff\0\0" if y < size // 2 else b"\0\0\xff") * size for y in range(size))
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 2, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(rows)) + chunk(b"IEND", b""))


# Pictures for the archive plug-in: a text member first, so that the first
# picture is not the first member.
zip_of("pictures.zip", [("readme.txt", b"not a picture\n"), ("pics/", b""), ("pics/first.png", png_red_above_blue()),
                        ("pics/second.png", png_red_above_blue(16))])
shift_jis_zip("sjis-pictures.zip", [("絵/赤青.png", png_red_above_blue())])
blob = open(os.path.join(out, "pictures.zip"), "rb").read()
open(os.path.join(out, "truncated.zip"), "wb").write(blob[: len(blob) // 2])
# A deflated member whose data is spoiled while its headers stay whole.
spoiled = bytearray(open(os.path.join(out, "plain.zip"), "rb").read())
spoiled[spoiled.index(b"a.txt") + 5 : spoiled.index(b"a.txt") + 8] = b"\xff\xff\xff"
open(os.path.join(out, "corrupt.zip"), "wb").write(bytes(spoiled))


class Unseekable(io.RawIOBase):
    """Makes zipfile write sizes after the data, as streaming tools do."""
    def __init__(self, target):
        self.target = target
    def writable(self):
        return True
    def write(self, data):
        return self.target.write(data)


with open(os.path.join(out, "streamed.zip"), "wb") as f:
    with zipfile.ZipFile(Unseekable(f), "w", zipfile.ZIP_DEFLATED) as z:
        z.writestr(zipfile.ZipInfo("s/streamed.txt", WHEN), b"written as a stream\n" * 100)
open(os.path.join(out, "notarchive.txt"), "wb").write(b"plain text, no archive\n")
seven = shutil.which("7z") or shutil.which("7za") or shutil.which("7zr")
if seven:
    src = os.path.join(out, "7z-src")
    os.makedirs(os.path.join(src, "dir", "sub"), exist_ok=True)
    open(os.path.join(src, "a.txt"), "wb").write(b"alpha\n")
    open(os.path.join(src, "dir", "sub", "b.txt"), "wb").write(b"bravo\n")
    subprocess.run([seven, "a", "-bd", os.path.join(out, "plain.7z"), "a.txt", "dir"], cwd=src, check=True,
                   stdout=subprocess.DEVNULL)
# Bad input: a zero-byte file and a text file under an archive's extension, a
# password-protected member, duplicate names, 300-character names, 100,000
# members, and a member past 4 GiB (sparse on both sides: GNU tar stores only
# its map, and the 5 GiB file here takes no disk).
open(os.path.join(out, "zero.zip"), "wb").close()
open(os.path.join(out, "fake.zip"), "wb").write(b"PK but not an archive at all\n" * 20)
with zipfile.ZipFile(os.path.join(out, "dup.zip"), "w", zipfile.ZIP_DEFLATED) as z:
    import warnings
    warnings.simplefilter("ignore")
    z.writestr(zipfile.ZipInfo("dup.txt", WHEN), b"first\n")
    z.writestr(zipfile.ZipInfo("dup.txt", WHEN), b"second\n")
long_name = "n" * 296 + ".txt"
long_path = "/".join(["a" * 99, "b" * 99, "c" * 96 + ".txt"])
zip_of("long.zip", [(long_name, b"long\n"), (long_path, b"deep\n")])
with zipfile.ZipFile(os.path.join(out, "many.zip"), "w", zipfile.ZIP_STORED) as z:
    for i in range(100000):
        z.writestr(zipfile.ZipInfo(f"f{i % 1000:03d}/m{i:06d}.txt", WHEN), b"%d\n" % i)
secret_src = os.path.join(out, "secret-src")
os.makedirs(secret_src, exist_ok=True)
open(os.path.join(secret_src, "hidden.txt"), "wb").write(b"only with the password\n" * 50)
if os.path.exists(os.path.join(out, "secret.zip")):
    os.remove(os.path.join(out, "secret.zip"))
subprocess.run(["zip", "-q", "-j", "-P", "secret", os.path.join(out, "secret.zip"),
                os.path.join(secret_src, "hidden.txt")], check=True)
huge_src = os.path.join(out, "huge-src")
os.makedirs(huge_src, exist_ok=True)
with open(os.path.join(huge_src, "huge.bin"), "wb") as f:
    f.truncate(5 * 1024 ** 3)
open(os.path.join(huge_src, "after.txt"), "wb").write(b"after the big one\n")
subprocess.run(["tar", "--sparse", "--format=gnu", "-cf", os.path.join(out, "huge.tar"), "-C", huge_src,
                "huge.bin", "after.txt"], check=True)
os.remove(os.path.join(huge_src, "huge.bin"))
# Sparse members: data, a hole, data and a trailing hole; and one that is all hole.
with open(os.path.join(huge_src, "holes.bin"), "wb") as f:
    f.write(b"x" * 8192)
    f.seek(1 << 20)
    f.write(b"y" * 4096)
    f.truncate(3 << 20)
with open(os.path.join(huge_src, "void.bin"), "wb") as f:
    f.truncate(1 << 20)
subprocess.run(["tar", "--sparse", "--format=gnu", "-cf", os.path.join(out, "sparse.tar"), "-C", huge_src,
                "holes.bin", "void.bin"], check=True)
for name in ("holes.bin", "void.bin"):
    os.remove(os.path.join(huge_src, name))
# Methods the archive plug-in does not decode, beside one it does.
with zipfile.ZipFile(os.path.join(out, "methods.zip"), "w") as z:
    z.writestr(zipfile.ZipInfo("deflated.txt", WHEN), b"deflated\n" * 40, zipfile.ZIP_DEFLATED)
    z.writestr(zipfile.ZipInfo("bzip2.txt", WHEN), b"bzip2\n" * 40, zipfile.ZIP_BZIP2)
    z.writestr(zipfile.ZipInfo("lzma.txt", WHEN), b"lzma\n" * 40, zipfile.ZIP_LZMA)
open(os.path.join(out, "stamp"), "w").write("ok\n")
