#!/usr/bin/env python3
"""mornakle-inspect against an independent reader of 3D Studio files (assimp).

Makes two small .3ds files at run time (assimp exports one from OBJ written here; one
with lights and a camera is built chunk by chunk, since assimp writes neither) and
checks that both readers find the same meshes, names, vertex and face counts, lights
and camera. Damaged files are the loader's fuzzer's business.

usage: assimp_agreement.py MORNAKLE_INSPECT ASSIMP
"""
import json, os, re, struct, subprocess, sys, tempfile

INSPECT, ASSIMP = sys.argv[1], sys.argv[2]
OBJ = ("o Cube\nv 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\nv 0 0 1\nv 1 0 1\nv 1 1 1\nv 0 1 1\n"
       "f 1 2 3\nf 1 3 4\nf 5 6 7\nf 5 7 8\nf 1 2 6\nf 1 6 5\n"
       "o Plane\nv 0 0 5\nv 4 0 5\nv 4 3 5\nf 9 10 11\n")
failures = []


def chunk(cid, *parts):
    body = b"".join(parts)
    return struct.pack("<HI", cid, 6 + len(body)) + body


def floats(*values):
    return struct.pack("<%df" % len(values), *values)


def lights_and_camera_file():
    verts, faces = [(0, 0, 0), (10, 0, 0), (0, 10, 0), (0, 0, 10)], [(0, 1, 2), (0, 2, 3), (0, 3, 1)]
    mesh = chunk(0x4100, chunk(0x4110, struct.pack("<H", 4), *[floats(*v) for v in verts]),
                 chunk(0x4120, struct.pack("<H", 3), *[struct.pack("<4H", *f, 0) for f in faces]),
                 chunk(0x4160, floats(1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0)))
    omni = chunk(0x4600, floats(5, 6, 7), chunk(0x0011, bytes([255, 128, 0])),
                 chunk(0x465A, floats(250)), chunk(0x465B, floats(2)))
    spot = chunk(0x4600, floats(0, 0, 50), chunk(0x0010, floats(0.25, 0.5, 1)), chunk(0x4610, floats(0, 0, 0, 30, 60)))
    camera = chunk(0x4700, floats(100, -200, 50, 0, 0, 0, 0, 50))
    version = struct.pack("<I", 3)
    return chunk(0x4D4D, chunk(0x0002, version), chunk(0x3D3D, chunk(0x3D3E, version),
                 chunk(0x4000, b"Pyramid\0", mesh), chunk(0x4000, b"Lamp One\0", omni),
                 chunk(0x4000, b"Spot\0", spot), chunk(0x4000, b"Camera01\0", camera)))


def not_a_number_file():
    """A spot aimed at its own position and a camera with a NaN roll and a zero lens."""
    spot = chunk(0x4600, floats(1, 2, 3), chunk(0x4610, floats(1, 2, 3, 30, 60)))
    camera = chunk(0x4700, floats(0, 0, 0, 1, 1, 1, float("nan"), 0))
    return chunk(0x4D4D, chunk(0x3D3D, chunk(0x4000, b'Odd \x01"\\\xe9\0', spot), chunk(0x4000, b"C\0", camera)))


def run(*command):
    return subprocess.run(command, capture_output=True, text=True, errors="replace", timeout=60)


def write(path, data):
    with open(path, "wb" if isinstance(data, bytes) else "w") as f:
        f.write(data)
    return path


def make_files(folder):
    obj = write(os.path.join(folder, "two.obj"), OBJ)
    run(ASSIMP, "export", obj, os.path.join(folder, "two.3ds"))
    write(os.path.join(folder, "lights.3ds"), lights_and_camera_file())
    return [os.path.join(folder, name) for name in ("two.3ds", "lights.3ds")]


def assimp_view(path):
    out = run(ASSIMP, "info", path).stdout
    count = lambda label: int(re.search(r"^%s:\s+(\d+)" % label, out, re.M).group(1))
    meshes = [(int(v), int(f)) for v, f in re.findall(r"^\s+\d+ \(\d+\): \[(\d+) / \d+ / (\d+) \|", out, re.M)]
    nodes = re.findall(r"[└├]╴(.*)$", out, re.M)
    mesh_nodes = {int(i): n for n, i in (re.match(r"(.*) \(mesh (\d+)\)$", s).groups()
                                          for s in nodes if re.search(r"\(mesh \d+\)$", s))}
    return {"meshes": meshes, "meshNodes": mesh_nodes, "nodes": nodes, "lights": count("Lights"), "cameras": count("Cameras")}


def refuse(constant):
    raise ValueError("not JSON: " + constant)


def inspect(path):
    result = run(INSPECT, path)
    if result.returncode != 0:
        raise AssertionError("%s: exit %d: %s" % (path, result.returncode, result.stderr))
    return json.loads(result.stdout, parse_constant=refuse)


def check(condition, message):
    if not condition:
        failures.append(message)


def compare(path):
    ours, theirs, name = inspect(path), assimp_view(path), os.path.basename(path)
    counts = [(m["vertexCount"], m["faceCount"]) for m in ours["meshes"]]
    check(counts == theirs["meshes"], "%s: meshes %s, assimp %s" % (name, counts, theirs["meshes"]))
    for i, mesh in enumerate(ours["meshes"]):
        node = theirs["meshNodes"].get(i, "")
        if not node.startswith("3DSMesh_"):  # assimp's own name when a file has no keyframer
            check(mesh["name"] == node, "%s: mesh %d named %r, assimp %r" % (name, i, mesh["name"], node))
    check(len(ours["lights"]) == theirs["lights"], "%s: %d lights, assimp %d" % (name, len(ours["lights"]), theirs["lights"]))
    named = [light["name"] for light in ours["lights"]]
    has_camera = ours["camera"]["fieldOfView"] not in (0, None)
    check(int(has_camera) == theirs["cameras"], "%s: camera %s, assimp %d" % (name, has_camera, theirs["cameras"]))
    for n in named + ([ours["camera"]["name"]] if has_camera else []):
        check(n in theirs["nodes"], "%s: %r unknown to assimp" % (name, n))
    return ours


def main():
    with tempfile.TemporaryDirectory() as folder:
        paths = make_files(folder)
        results = [compare(p) for p in paths]
        check([l["kind"] for l in results[1]["lights"]] == ["omni", "spot"], "light kinds %s" % results[1]["lights"])
        odd = write(os.path.join(folder, "odd.3ds"), not_a_number_file())
        seen = inspect(odd)  # NaN and infinity come out as null, control bytes escaped
        check(seen["lights"][0]["direction"] == [None] * 3 and seen["camera"]["roll"] is None
              and seen["camera"]["fieldOfView"] is None and seen["lights"][0]["name"] == 'Odd \x01"\\\xe9',
              "odd values: %s" % seen)
        missing = run(INSPECT, os.path.join(folder, "absent.3ds"))
        check(missing.returncode == 1 and missing.stdout == "" and len(missing.stderr.splitlines()) == 1,
              "a missing file: exit %d, stderr %r" % (missing.returncode, missing.stderr))
    for failure in failures:
        print("FAIL:", failure)
    print("%d files compared, %d failures" % (len(paths), len(failures)))
    return 1 if failures else 0


sys.exit(main())
