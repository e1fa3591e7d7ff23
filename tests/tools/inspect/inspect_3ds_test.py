#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Mornakle 3D developers
# SPDX-License-Identifier: MIT
"""mornakle-inspect on 3D Studio files built here chunk by chunk: what it reports, in the demo's axes, is
always JSON (NaN as null, odd name bytes escaped); a missing file is one line on stderr and exit code 1.
usage: inspect_3ds_test.py MORNAKLE_INSPECT"""
import json, math, os, struct, subprocess, sys, tempfile

INSPECT = sys.argv[1]


def chunk(cid, *parts):
    body = b"".join(parts)
    return struct.pack("<HI", cid, 6 + len(body)) + body


def floats(*values):
    return struct.pack("<%df" % len(values), *values)


def scene(*objects):
    return chunk(0x4D4D, chunk(0x0002, struct.pack("<I", 3)), chunk(0x3D3D, *objects))


verts, faces = [(0, 0, 0), (10, 0, 0), (0, 10, 0), (0, 0, 10)], [(0, 1, 2), (0, 2, 3), (0, 3, 1)]
mesh = chunk(0x4100, chunk(0x4110, struct.pack("<H", 4), *[floats(*v) for v in verts]),
             chunk(0x4120, struct.pack("<H", 3), *[struct.pack("<4H", *f, 0) for f in faces]),
             chunk(0x4160, floats(1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0)))
omni = chunk(0x4600, floats(5, 6, 7), chunk(0x0011, bytes([255, 128, 0])), chunk(0x465A, floats(250)),
             chunk(0x465B, floats(2)))
spot = chunk(0x4600, floats(0, 0, 50), chunk(0x0010, floats(0.25, 0.5, 1)), chunk(0x4610, floats(0, 0, 0, 30, 60)))
LIGHTS = scene(chunk(0x4000, b"Pyramid\0", mesh), chunk(0x4000, b"Lamp One\0", omni), chunk(0x4000, b"Spot\0", spot),
               chunk(0x4000, b"Camera01\0", chunk(0x4700, floats(100, -200, 50, 0, 0, 0, 0, 50))))
# A spot aimed at its own position and a camera with a NaN roll and a zero lens.
ODD = scene(chunk(0x4000, b'Odd \x01"\\\xe9\0', chunk(0x4600, floats(1, 2, 3), chunk(0x4610, floats(1, 2, 3, 30, 60)))),
            chunk(0x4000, b"C\0", chunk(0x4700, floats(0, 0, 0, 1, 1, 1, float("nan"), 0))))


def inspect(folder, name, data):
    path = os.path.join(folder, name)
    with open(path, "wb") as f:
        f.write(data)
    result = subprocess.run([INSPECT, path], capture_output=True, text=True, timeout=60)
    assert result.returncode == 0, "%s: exit %d: %s" % (name, result.returncode, result.stderr)
    return json.loads(result.stdout, parse_constant=lambda c: sys.exit("not JSON: " + c))


with tempfile.TemporaryDirectory() as folder:
    seen = inspect(folder, "lights.3ds", LIGHTS)
    facts = [(m["name"], m["vertexCount"], m["faceCount"]) for m in seen["meshes"]]
    facts += [(l["name"], l["kind"], l["position"], l["range"], l["attenuation"]) for l in seen["lights"]]
    assert facts == [("Pyramid", 4, 3), ("Lamp One", "omni", [5, 7, 6], 250, [0, 2, 0]),
                     ("Spot", "spot", [0, 50, 0], 0, [0, 0, 0])], facts
    colours = [c for l in seen["lights"] for c in l["colour"]]
    assert all(math.isclose(a, b, rel_tol=1e-6) for a, b in zip(colours, [1, 128 / 255, 0, 0.25, 0.5, 1])), colours
    camera = seen["camera"]
    assert (camera["name"], camera["position"], camera["target"]) == ("Camera01", [100, 50, -200], [0, 0, 0]), camera
    assert math.isclose(camera["fieldOfView"], 0.837744, rel_tol=1e-6), camera
    odd = inspect(folder, "odd.3ds", ODD)  # NaN and infinity come out as null, control bytes escaped
    assert odd["lights"][0]["direction"] == [None] * 3 and odd["camera"]["roll"] is None, odd
    assert odd["camera"]["fieldOfView"] is None and odd["lights"][0]["name"] == 'Odd \x01"\\\xe9', odd
    missing = subprocess.run([INSPECT, os.path.join(folder, "absent.3ds")], capture_output=True, text=True)
    assert missing.returncode == 1 and missing.stdout == "" and len(missing.stderr.splitlines()) == 1, missing
print("mornakle-inspect reports the 3D Studio files as built")
