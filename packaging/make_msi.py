#!/usr/bin/env python3
"""Builds the Windows Installer package of one build of SLUMBMIX.SCR.

    make_msi.py --wixl WIXL --msibuild MSIBUILD --wxs slumbermix.wxs --arch x64|x86
                --version 1.4.0 --name Slumbermix --manufacturer Brimlo
                --scr SLUMBMIX.SCR --icon slumbermix.ico --output OUT.msi

wixl makes the package from slumbermix.wxs in a staging folder beside the
output. Left to itself, wixl gives every package a random package code and
the current time as its creation date, and the file in the embedded cabinet
carries the time it was last written. So that the same inputs give the same
bytes:
- with SOURCE_DATE_EPOCH set, the staged files get that time, and the
  summary information gets it as its creation and last-saved dates
  (without it, the package keeps the dates of the build);
- the package code is derived from the finished package's bytes, so two
  packages share a code exactly when they are the same package;
- the product code is derived from the build and the version: each new
  version is a new product, which the major upgrade of the older needs,
  and the same version of the same build is always the same product.

wixl also leaves the File table's Version of SLUMBMIX.SCR empty and gives
the file a hash instead, as for a file without a version resource. Windows
Installer would then keep any versioned SLUMBMIX.SCR already in the folder
(a copy put there by hand, say) rather than replace it with an unversioned
one, report success, and delete the old file on removal. So the File row
gets the version of the file's own version resource, and the MsiFileHash
row, which is for unversioned files only, goes.
"""
import argparse
import hashlib
import os
import shutil
import struct
import subprocess
import sys
import uuid

# Product and package codes are name-based (SHA-1) identifiers in this
# namespace, which belongs to this package.
CODE_NAMESPACE = uuid.UUID("A604BA35-E4F8-449E-9928-F4914BCC3194")


def product_code(arch, version):
    return "{%s}" % str(uuid.uuid5(CODE_NAMESPACE, f"product {arch} {version}")).upper()


# ------------------------------------------------------------------ the container
#
# A Windows Installer package is a compound file: sectors chained through a
# file allocation table (FAT), a directory of named streams, and a mini stream
# of 64-byte sectors (with a table of its own) holding the streams shorter
# than the cutoff, such as the summary information.

END_OF_CHAIN = 0xFFFFFFFE
COMPOUND_SIGNATURE = bytes.fromhex("D0CF11E0A1B11AE1")


def fail(message):
    sys.exit(f"make_msi.py: {message}")


def stream_offsets(data, name):
    """The offset in the file of every byte of the named stream, in order."""
    if data[:8] != COMPOUND_SIGNATURE:
        fail("wixl's output is not a compound file")
    sector_shift, mini_shift = struct.unpack_from("<HH", data, 0x1E)
    sector, mini = 1 << sector_shift, 1 << mini_shift
    fat_sectors, directory_start = struct.unpack_from("<II", data, 0x2C)
    cutoff, minifat_start, _, difat_start, difat_sectors = struct.unpack_from("<IIIII", data, 0x38)

    def at(index):
        return (index + 1) * sector

    def words(index):
        return struct.unpack_from(f"<{sector // 4}I", data, at(index))

    difat = list(struct.unpack_from("<109I", data, 0x4C))
    index = difat_start
    for _ in range(difat_sectors):
        entries = words(index)
        difat += entries[:-1]
        index = entries[-1]
    fat = [entry for fat_index in difat[:fat_sectors] for entry in words(fat_index)]

    def chain(start, table):
        indices = []
        while start != END_OF_CHAIN:
            if start >= len(table) or len(indices) > len(table):
                fail("broken sector chain in wixl's output")
            indices.append(start)
            start = table[start]
        return indices

    directory = b"".join(data[at(i):at(i) + sector] for i in chain(directory_start, fat))
    entries = {}
    for offset in range(0, len(directory), 128):
        name_size, kind = struct.unpack_from("<HB", directory, offset + 0x40)
        start, size = struct.unpack_from("<IQ", directory, offset + 0x74)
        entry_name = directory[offset:offset + max(name_size - 2, 0)].decode("utf-16-le")
        entries.setdefault(entry_name, (kind, start, size & 0xFFFFFFFF))
    if name not in entries:
        fail(f"no stream {name!r} in wixl's output")
    _, start, size = entries[name]

    if size >= cutoff:
        offsets = [at(i) + k for i in chain(start, fat) for k in range(sector)]
    else:
        mini_stream = [at(i) for i in chain(entries["Root Entry"][1], fat)]
        minifat = [e for i in chain(minifat_start, fat) for e in words(i)]
        offsets = []
        for i in chain(start, minifat):
            position = i * mini
            offsets += [mini_stream[position // sector] + position % sector + k for k in range(mini)]
    return offsets[:size]


# ------------------------------------------------------------------ summary information

PID_REVNUMBER = 9  # the package code
PID_CREATE_DTM = 12
PID_LASTSAVE_DTM = 13
VT_LPSTR = 30
VT_FILETIME = 64
FILETIME_EPOCH_OFFSET = 11644473600  # seconds from 1601-01-01 to 1970-01-01


def property_offsets(stream):
    """{property id: (type, offset of its value)} of the one property set."""
    byte_order, = struct.unpack_from("<H", stream, 0)
    sets, = struct.unpack_from("<I", stream, 24)
    if byte_order != 0xFFFE or sets < 1:
        fail("unexpected summary information in wixl's output")
    section, = struct.unpack_from("<I", stream, 44)
    _, count = struct.unpack_from("<II", stream, section)
    found = {}
    for i in range(count):
        pid, offset = struct.unpack_from("<II", stream, section + 8 + 8 * i)
        kind, = struct.unpack_from("<I", stream, section + offset)
        found[pid] = (kind, section + offset + 4)
    return found


def restamp(path, epoch):
    with open(path, "rb") as f:
        data = bytearray(f.read())
    offsets = stream_offsets(data, "\x05SummaryInformation")
    stream = bytearray(data[o] for o in offsets)
    props = property_offsets(stream)

    if epoch is not None:
        filetime = struct.pack("<Q", (epoch + FILETIME_EPOCH_OFFSET) * 10_000_000)
        for pid in (PID_CREATE_DTM, PID_LASTSAVE_DTM):
            kind, value = props.get(pid, (None, 0))
            if kind != VT_FILETIME:
                fail(f"summary property {pid} is not a date")
            stream[value:value + 8] = filetime

    kind, value = props.get(PID_REVNUMBER, (None, 0))
    length, = struct.unpack_from("<I", stream, value) if kind == VT_LPSTR else (0,)
    if length != 39:  # "{" 36 characters "}" and the terminating zero
        fail("the package code is not a braced identifier")
    blank = b"{00000000-0000-0000-0000-000000000000}"
    stream[value + 4:value + 4 + 38] = blank
    for o, byte in zip(offsets, stream):
        data[o] = byte
    digest = hashlib.sha256(data).hexdigest()
    code = "{%s}" % str(uuid.uuid5(CODE_NAMESPACE, f"package {digest}")).upper()
    stream[value + 4:value + 4 + 38] = code.encode("ascii")
    for o, byte in zip(offsets, stream):
        data[o] = byte

    with open(path, "wb") as f:
        f.write(data)
    return code


# ------------------------------------------------------------------ file version

VERSION_KEY = "VS_VERSION_INFO\0".encode("utf-16-le")
VS_FIXEDFILEINFO_SIGNATURE = struct.pack("<I", 0xFEEF04BD)


def file_version(path):
    """The file version of a module's version resource, as "a.b.c.d": the
    VS_FIXEDFILEINFO that follows the resource's key, after its padding."""
    with open(path, "rb") as f:
        data = f.read()
    key = data.find(VERSION_KEY)
    at = data.find(VS_FIXEDFILEINFO_SIGNATURE, key, key + len(VERSION_KEY) + 8) if key >= 0 else -1
    if at < 0:
        fail(f"no version resource in {path}")
    high, low = struct.unpack_from("<II", data, at + 8)
    return f"{high >> 16}.{high & 0xFFFF}.{low >> 16}.{low & 0xFFFF}"


def version_file(msibuild, msi, file_key, version):
    queries = [f"UPDATE `File` SET `Version` = '{version}' WHERE `File` = '{file_key}'",
               f"DELETE FROM `MsiFileHash` WHERE `File_` = '{file_key}'"]
    command = [msibuild, msi]
    for query in queries:
        command += ["-q", query]
    result = subprocess.run(command)
    if result.returncode != 0:
        fail(f"msibuild failed with exit code {result.returncode}")


# ------------------------------------------------------------------ build

def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    for option in ("wixl", "msibuild", "wxs", "version", "name", "manufacturer", "scr", "icon",
                   "output"):
        parser.add_argument(f"--{option}", required=True)
    parser.add_argument("--arch", required=True, choices=("x64", "x86"))
    args = parser.parse_args()

    epoch = os.environ.get("SOURCE_DATE_EPOCH")
    epoch = int(epoch) if epoch else None

    output = os.path.abspath(args.output)
    stage = output + ".stage"
    shutil.rmtree(stage, ignore_errors=True)
    os.makedirs(stage)
    # wixl looks for the sources named in the .wxs in its working folder.
    for source, name in ((args.scr, "SLUMBMIX.SCR"), (args.icon, "slumbermix.ico"),
                         (args.wxs, "slumbermix.wxs")):
        shutil.copyfile(source, os.path.join(stage, name))
        if epoch is not None:
            os.utime(os.path.join(stage, name), (epoch, epoch))

    built = os.path.join(stage, "package.msi")
    defines = {"Arch": args.arch, "Version": args.version, "ProductName": args.name,
               "Manufacturer": args.manufacturer,
               "ProductCode": product_code(args.arch, args.version)}
    command = [args.wixl, "--arch", args.arch, "--output", built]
    for key, value in defines.items():
        command += ["--define", f"{key}={value}"]
    command.append("slumbermix.wxs")
    result = subprocess.run(command, cwd=stage)
    if result.returncode != 0:
        fail(f"wixl failed with exit code {result.returncode}")

    # The File table's key, from slumbermix.wxs.
    version_file(args.msibuild, built, "SLUMBMIX.SCR", file_version(args.scr))
    code = restamp(built, epoch)
    os.replace(built, output)
    shutil.rmtree(stage)
    print(f"{os.path.basename(output)}: product {defines['ProductCode']}, package {code}")


if __name__ == "__main__":
    main()
