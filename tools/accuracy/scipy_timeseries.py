#!/usr/bin/env python3
"""scipy's RotationSpline and Slerp (Debian python3-scipy) on the keys of
tools/accuracy/timeseries_accuracy.cpp, for the scipy columns of
docs/accuracy.md. Used by that measurement alone, never by the toolbox or
its tests.

    python3 scipy_timeseries.py DIR

DIR holds raw little-endian doubles: pairs.bin (pairs of quaternions
w x y z, each pair the keys at times 0 and 1) and fractions.bin (the
times they are queried at); keys.bin, times.bin and queries.bin (the
spline's keys). The results go to *.scipy in the same layouts. scipy's
quaternions are scalar last, so they are reordered on the way in and out.
"""
import sys

import numpy as np
from scipy.spatial.transform import Rotation, RotationSpline, Slerp


def read(folder, name):
    return np.fromfile(f"{folder}/{name}", dtype="<f8")


def write(folder, name, data):
    np.ascontiguousarray(data, dtype="<f8").tofile(f"{folder}/{name}")


def rotations(q):
    return Rotation.from_quat(q.reshape(-1, 4)[:, [1, 2, 3, 0]])


def quaternions(r):
    return r.as_quat()[:, [3, 0, 1, 2]]


def main():
    folder = sys.argv[1]
    pairs = read(folder, "pairs.bin").reshape(-1, 8)
    fractions = read(folder, "fractions.bin")
    out = [quaternions(Slerp([0.0, 1.0], rotations(p))(fractions)) for p in pairs]
    write(folder, "pairs.scipy", np.concatenate(out))

    keys = rotations(read(folder, "keys.bin"))
    times = read(folder, "times.bin")
    queries = read(folder, "queries.bin")
    write(folder, "slerp_q.scipy", quaternions(Slerp(times, keys)(queries)))
    for prefix, iterations, tolerance in (("spline", 10, 1e-9), ("strict", 100, 1e-15)):
        RotationSpline.MAX_ITER = iterations
        RotationSpline.TOL = tolerance
        spline = RotationSpline(times, keys)
        write(folder, f"{prefix}_q.scipy", quaternions(spline(queries)))
        write(folder, f"{prefix}_w.scipy", spline(queries, 1))
        write(folder, f"{prefix}_a.scipy", spline(queries, 2))


if __name__ == "__main__":
    main()
