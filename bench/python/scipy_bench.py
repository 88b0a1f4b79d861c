"""scipy's time for the conversions, for the end-to-end benchmark
(bench/octave/bench_octave.m calls it on the data it times the MEX on):

    python3 bench/python/scipy_bench.py NAME N DIR BUDGET

reads DIR/input1.f64 (and DIR/input2.f64 for rotapply), raw float64 in
rotkit's layout (quaternions 4 x N scalar first, vectors and angles 3 x N,
matrices 3 x 3 x N column major), puts them in scipy's layout (quaternions
scalar last, N x 4; matrices N x 3 x 3) outside the timing, and prints the
median seconds per call of scipy's own way to do the conversion:
    rotapply      Rotation.from_quat(q).apply(v)
    rotnormalize  Rotation.from_quat(q).as_quat()   (from_quat normalises)
    rot2mat       Rotation.from_quat(q).as_matrix()
    mat2rot       Rotation.from_matrix(m).as_quat()
    eul2rot       Rotation.from_euler('ZXY', a).as_quat()
    rot2eul       Rotation.from_quat(q).as_euler('ZXY')
    vec2rot       Rotation.from_rotvec(v).as_quat()
    rot2vec       Rotation.from_quat(q).as_rotvec()
    rotdist       (Rotation.from_quat(q1).inv() * Rotation.from_quat(q2)).magnitude()
    rotmean       Rotation.from_quat(q).mean(weights=w).as_quat()
    poselocal     per joint, (R(parent).inv() * R(joint)).as_quat() over all frames
                  (DIR/input1.f64 the J parent numbers, input2.f64 the 4J x N rotations)
    rotfit[:M]    per frame, Rotation.align_vectors of the centred points and the
                  translation (input1.f64 the 3M x 1 reference cluster, input2.f64
                  the 3M x N frames), as a user calls it: one frame at a time
Used by the benchmark only, never by the toolbox or its tests.
"""
import sys
import time

import numpy as np
from scipy.spatial.transform import Rotation


def load(directory, index, rows, n):
    values = np.fromfile(f"{directory}/input{index}.f64", dtype=np.float64)
    return values.reshape(n, rows)


def measures_call(name, n, directory):
    """The call for rotdist, rotmean, poselocal and rotfit, or None."""
    if name == "rotdist":
        q1 = Rotation.from_quat(np.ascontiguousarray(load(directory, 1, 4, n)[:, [1, 2, 3, 0]]))
        q2 = Rotation.from_quat(np.ascontiguousarray(load(directory, 2, 4, n)[:, [1, 2, 3, 0]]))
        return lambda: (q1.inv() * q2).magnitude()
    if name == "rotmean":
        q = np.ascontiguousarray(load(directory, 1, 4, n)[:, [1, 2, 3, 0]])
        w = load(directory, 2, 1, n)[:, 0]
        return lambda: Rotation.from_quat(q).mean(weights=w).as_quat()
    if name == "poselocal":
        parents = np.fromfile(f"{directory}/input1.f64", dtype=np.float64).astype(int)
        joints = len(parents)
        frames = np.fromfile(f"{directory}/input2.f64", dtype=np.float64).size // (4 * joints)
        g = np.fromfile(f"{directory}/input2.f64", dtype=np.float64).reshape(frames, joints, 4)[:, :, [1, 2, 3, 0]]
        g = np.ascontiguousarray(g)

        def call():
            out = np.empty_like(g)
            out[:, 0] = g[:, 0]
            for j in range(1, joints):
                p = parents[j] - 1
                out[:, j] = (Rotation.from_quat(g[:, p]).inv() * Rotation.from_quat(g[:, j])).as_quat()
            return out
        return call
    if name.split(":")[0] == "rotfit":
        a = np.fromfile(f"{directory}/input1.f64", dtype=np.float64)
        m = a.size // 3
        a = a.reshape(m, 3)
        b = np.fromfile(f"{directory}/input2.f64", dtype=np.float64).reshape(n, m, 3)

        def call():
            q = np.empty((n, 4))
            t = np.empty((n, 3))
            ca = a.mean(axis=0)
            for k in range(n):
                cb = b[k].mean(axis=0)
                r, _ = Rotation.align_vectors(b[k] - cb, a - ca)
                q[k] = r.as_quat()
                t[k] = cb - r.apply(ca)
            return q, t
        return call
    return None


def main(name, n, directory, budget):
    call = measures_call(name, n, directory)
    if call is not None:
        pass
    elif name == "mat2rot":
        m = np.ascontiguousarray(load(directory, 1, 9, n).reshape(n, 3, 3).transpose(0, 2, 1))
        call = lambda: Rotation.from_matrix(m).as_quat()
    elif name in ("eul2rot", "vec2rot"):
        a = np.ascontiguousarray(load(directory, 1, 3, n))
        if name == "eul2rot":
            call = lambda: Rotation.from_euler("ZXY", a).as_quat()
        else:
            call = lambda: Rotation.from_rotvec(a).as_quat()
    else:
        q = np.ascontiguousarray(load(directory, 1, 4, n)[:, [1, 2, 3, 0]])
        if name == "rotapply":
            v = np.ascontiguousarray(load(directory, 2, 3, n))
            call = lambda: Rotation.from_quat(q).apply(v)
        elif name == "rotnormalize":
            call = lambda: Rotation.from_quat(q).as_quat()
        elif name == "rot2mat":
            call = lambda: Rotation.from_quat(q).as_matrix()
        elif name == "rot2eul":
            call = lambda: Rotation.from_quat(q).as_euler("ZXY")
        elif name == "rot2vec":
            call = lambda: Rotation.from_quat(q).as_rotvec()
        else:
            raise SystemExit(f"no scipy conversion for {name}")
    call()
    start = time.perf_counter()
    call()
    once = time.perf_counter() - start
    per_batch = max(1, round(budget / 5 / max(once, 1e-7)))
    rounds = []
    for _ in range(5):
        start = time.perf_counter()
        for _ in range(per_batch):
            call()
        rounds.append((time.perf_counter() - start) / per_batch)
    print(f"{np.median(rounds):.9f}")


if __name__ == "__main__":
    main(sys.argv[1], int(float(sys.argv[2])), sys.argv[3], float(sys.argv[4]))
