#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Mornakle 3D developers
# SPDX-License-Identifier: MIT
"""Packs files and folders into a zip that is the same byte for byte wherever and
whenever it is made: names sorted, every entry dated SOURCE_DATE_EPOCH, permissions
0644, or 0755 for what may be run, no owners and no extra fields.

    pack_zip.py [--prefix FOLDER/] ZIP BASE PATH...
PATHs are relative to BASE, folders taken whole; --prefix puts every entry in FOLDER/.
"""
import os
import stat
import sys
import time
import zipfile


def entryTime():
    epoch = os.environ.get("SOURCE_DATE_EPOCH")
    if epoch is None:
        sys.exit("pack_zip: SOURCE_DATE_EPOCH is not set")
    # Zip times have no zone and start in 1980; the packer reads them as UTC.
    return max(time.gmtime(int(epoch))[:6], (1980, 1, 1, 0, 0, 0))


def namesUnder(base, path):
    full = os.path.join(base, path)
    if not os.path.isdir(full):
        return [path]
    names = [path + "/"]
    for entry in os.listdir(full):
        names += namesUnder(base, path + "/" + entry)
    return names


def entry(name, stamp, mode):
    info = zipfile.ZipInfo(name, stamp)
    info.create_system = 3  # Unix, so that the permissions are read
    info.external_attr = mode << 16
    info.compress_type = zipfile.ZIP_DEFLATED
    return info


def main():
    arguments = sys.argv[1:]
    prefix = ""
    if arguments[:1] == ["--prefix"]:
        prefix, arguments = arguments[1], arguments[2:]
    if len(arguments) < 3:
        sys.exit(__doc__)
    target, base, paths = arguments[0], arguments[1], arguments[2:]
    stamp = entryTime()
    names = sorted({name for path in paths for name in namesUnder(base, path.rstrip("/"))})
    partial = target + ".partial"
    with zipfile.ZipFile(partial, "w") as archive:
        if prefix:
            archive.writestr(entry(prefix, stamp, stat.S_IFDIR | 0o755), b"")
        for name in names:
            if name.endswith("/"):
                archive.writestr(entry(prefix + name, stamp, stat.S_IFDIR | 0o755), b"")
                continue
            mode = 0o755 if os.access(os.path.join(base, name), os.X_OK) else 0o644
            with open(os.path.join(base, name), "rb") as source:
                archive.writestr(entry(prefix + name, stamp, stat.S_IFREG | mode), source.read(), compresslevel=9)
    os.replace(partial, target)


main()
