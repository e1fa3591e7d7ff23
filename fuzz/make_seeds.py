#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Mornakle 3D developers
# SPDX-License-Identifier: MIT
"""Makes the fuzz targets' seed corpora from the generator's data files, each small:
   fuzz/make_seeds.py DATA-DIR
Scenes are taken whole or cut short, pictures cropped to a corner, the song cut to a
few patterns and instruments with short samples; command lines are written out.
Inputs a fuzzer once found faulty stay in the corpora as found-*, so that every run
tries them first; this script leaves them alone."""
import os
import struct
import sys

here = os.path.dirname(os.path.abspath(__file__))
data = sys.argv[1]


def write(target, name, content):
    folder = os.path.join(here, target, "corpus")
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as f:
        f.write(content)


def read(name):
    with open(os.path.join(data, name), "rb") as f:
        return f.read()


# Scenes: the two small ones whole, the house cut short (the loader must cope).
write("load_scene", "box.3ds", read("box.3ds"))
write("load_scene", "light.3ds", read("light.3ds"))
write("load_scene", "hus-cut.3ds", read("hus.3ds")[:16384])


# Pictures: a corner of each, as a bottom-up and a top-down 24-bit bitmap.
def crop_bmp(bmp, width, height, top_down):
    offset = struct.unpack_from("<I", bmp, 10)[0]
    full_width, full_height = struct.unpack_from("<ii", bmp, 18)
    stride = (full_width * 3 + 3) & ~3
    row = width * 3
    padded = (row + 3) & ~3
    rows = []
    for y in range(height):  # bottom-up: the file's first row is the picture's last
        start = offset + y * stride
        rows.append(bmp[start:start + row] + b"\0" * (padded - row))
    if top_down:
        rows.reverse()
    pixels = b"".join(rows)
    info = bytearray(bmp[14:54])
    struct.pack_into("<ii", info, 4, width, -height if top_down else height)
    struct.pack_into("<I", info, 20, len(pixels))
    header = b"BM" + struct.pack("<IHHI", 54 + len(pixels), 0, 0, 54)
    return header + bytes(info) + pixels


write("bitmap", "bonde-corner.bmp", crop_bmp(read("bonde.bmp"), 24, 16, False))
write("bitmap", "mannen-corner.bmp", crop_bmp(read("mannen.bmp"), 17, 9, True))
write("bitmap", "circles-corner.bmp", crop_bmp(read("circles.bmp"), 8, 8, False))


# The song: its first patterns and instruments, each sample cut short.
def cut_xm(xm, patterns, instruments, sample_bytes):
    header_size = struct.unpack_from("<I", xm, 60)[0]
    length, restart, channels, pattern_count, instrument_count = struct.unpack_from("<HHHHH", xm, 64)
    head = bytearray(xm[:60 + header_size])
    length = min(length, 8)
    struct.pack_into("<HHHHH", head, 64, length, 0, channels, patterns, instruments)
    for i in range(length):
        head[80 + i] %= patterns
    out = bytes(head)
    at = 60 + header_size
    for p in range(pattern_count):
        size = struct.unpack_from("<I", xm, at)[0] + struct.unpack_from("<H", xm, at + 7)[0]
        if p < patterns:
            out += xm[at:at + size]
        at += size
    for i in range(instruments):
        size = struct.unpack_from("<I", xm, at)[0]
        samples = struct.unpack_from("<H", xm, at + 27)[0]
        out += xm[at:at + size]
        at += size
        lengths = []
        for s in range(samples):
            sample = bytearray(xm[at:at + 40])
            full, loop_start, loop_length = struct.unpack_from("<III", sample, 0)
            kept = min(full, sample_bytes)
            loop_start = min(loop_start, kept)
            loop_length = min(loop_length, kept - loop_start)
            struct.pack_into("<III", sample, 0, kept, loop_start, loop_length)
            out += bytes(sample)
            lengths.append((full, kept))
            at += 40
        for full, kept in lengths:
            out += xm[at:at + kept]
            at += full
    return out


xm = read("back.xm")
write("song", "back-short.xm", cut_xm(xm, 2, 3, 1024))
write("song", "back-tiny.xm", cut_xm(xm, 1, 1, 64))

# Command lines: arguments separated by zero bytes.
for name, words in {
    "headless": ["--headless", "--frame-ms", "50", "--start-ms", "4294960000", "--until-ms", "3000"],
    "capture": ["--headless", "--capture", "frames", "--capture-every", "100", "--wav", "show.wav"],
    "window": ["--scale", "integer", "--filter", "linear", "--vsync", "off", "--pixel-format", "555"],
    "record": ["--record", "rings.webm", "--fps", "60", "--from", "533", "--to", "667"],
    "faults": ["--inject-fault", "MIDASinit=1", "--inject-fault", "IDirectDraw::CreateSurface(primary)=0x80004005,2"],
    "list": ["--inject-fault", "list", "--dialog", "cancel", "--data", "data", "--help"],
}.items():
    write("command_line", name, b"\0".join(w.encode() for w in words))
