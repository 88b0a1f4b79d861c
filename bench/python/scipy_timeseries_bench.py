"""scipy's time for rotinterp's work, for the end-to-end benchmark
(bench/octave/bench_timeseries.m calls it through time_scipy.m on the data
it times the MEX on):

    python3 bench/python/scipy_timeseries_bench.py METHOD N DIR BUDGET

reads DIR/input1.f64 (the N key times), input2.f64 (the keys, 4 x N scalar
first) and input3.f64 (the query times), puts the keys in scipy's layout
(N x 4, scalar last) outside the timing, and prints the median seconds per
call of
    slerp   Slerp(t, R)(ti)
    spline  RotationSpline(t, R)(ti)
each a construction and an evaluation, as rotinterp does in one call.
Used by the benchmark only, never by the toolbox or its tests.
"""
import sys
import time

import numpy as np
from scipy.spatial.transform import Rotation, RotationSpline, Slerp


def main(method, n, directory, budget):
    t = np.fromfile(f"{directory}/input1.f64", dtype=np.float64)
    q = np.fromfile(f"{directory}/input2.f64", dtype=np.float64).reshape(n, 4)[:, [1, 2, 3, 0]]
    ti = np.fromfile(f"{directory}/input3.f64", dtype=np.float64)
    rotations = Rotation.from_quat(np.ascontiguousarray(q))
    kind = Slerp if method == "slerp" else RotationSpline
    call = lambda: kind(t, rotations)(ti)
    call()
    start = time.perf_counter()
    call()
    once = time.perf_counter() - start
    rounds = max(1, min(5, int(budget / max(once, 1e-9))))
    times = []
    for _ in range(rounds):
        start = time.perf_counter()
        call()
        times.append(time.perf_counter() - start)
    print(float(np.median(times)))


if __name__ == "__main__":
    main(sys.argv[1], int(sys.argv[2]), sys.argv[3], float(sys.argv[4]))
