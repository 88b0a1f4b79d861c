#!/usr/bin/env python3
"""The conversions of tools/accuracy/angle_accuracy.cpp, done by
scipy.spatial.transform.Rotation (Debian python3-scipy) on the same inputs,
for the scipy column of docs/accuracy.md. Used by that measurement alone,
never by the toolbox or its tests.

    python3 scipy_angles.py DIR

DIR/manifest.txt lists one conversion per line: FILE OP SEQ N. FILE holds
N inputs as raw little-endian doubles, one rotation after the other
(angles a1 a2 a3, quaternions w x y z, rotation vectors x y z); the
results go to FILE.scipy in the same layout. scipy's quaternions are
scalar last, so they are reordered on the way in and out.
"""
import os
import sys
import warnings

import numpy as np
from scipy.spatial.transform import Rotation


def to_scipy(q):
    return q[:, [1, 2, 3, 0]]


def from_scipy(q):
    return q[:, [3, 0, 1, 2]]


def convert(op, seq, data):
    if op == "from_euler":
        return from_scipy(Rotation.from_euler(seq, data).as_quat())
    if op == "as_euler":
        return Rotation.from_quat(to_scipy(data)).as_euler(seq)
    if op == "from_rotvec":
        return from_scipy(Rotation.from_rotvec(data).as_quat())
    if op == "as_rotvec":
        return Rotation.from_quat(to_scipy(data)).as_rotvec()
    if op == "euler_round_trip":
        angles = Rotation.from_quat(to_scipy(data)).as_euler(seq)
        return from_scipy(Rotation.from_euler(seq, angles).as_quat())
    if op == "rotvec_round_trip":
        vectors = Rotation.from_quat(to_scipy(data)).as_rotvec()
        return from_scipy(Rotation.from_rotvec(vectors).as_quat())
    raise ValueError(op)


def main():
    folder = sys.argv[1]
    rows = {"from_euler": 3, "as_euler": 4, "from_rotvec": 3, "as_rotvec": 4,
            "euler_round_trip": 4, "rotvec_round_trip": 4}
    warnings.simplefilter("ignore")  # "Gimbal lock detected" at the poles
    with open(os.path.join(folder, "manifest.txt")) as manifest:
        for line in manifest:
            name, op, seq, n = line.split()
            data = np.fromfile(os.path.join(folder, name), dtype="<f8").reshape(int(n), rows[op])
            out = np.ascontiguousarray(convert(op, seq, data), dtype="<f8")
            out.tofile(os.path.join(folder, name + ".scipy"))


if __name__ == "__main__":
    main()
