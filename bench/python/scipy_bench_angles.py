#!/usr/bin/env python3
"""scipy's timings for the conversions of eul2rot, rot2eul, vec2rot and
rot2vec, on the data the Octave benchmark wrote, for its ratio table:

    python3 scipy_bench_angles.py NAME FILE N [SEQ]

FILE holds the input as raw little-endian doubles in Octave's column-major
order (3 x N or 4 x N), which is scipy's row-per-rotation layout (N x 3,
N x 4). Quaternions go to scipy scalar last (x, y, z, w); a scipy user
converting our data pays that reordering too, and it is timed with the
call. Prints the median seconds of one full conversion (construction and
output), from five runs after one warm-up.
"""
import sys
import time

import numpy as np
from scipy.spatial.transform import Rotation


def scalar_last(q):
    return np.ascontiguousarray(q[:, [1, 2, 3, 0]])


def main():
    name, path, n = sys.argv[1], sys.argv[2], int(sys.argv[3])
    seq = sys.argv[4] if len(sys.argv) > 4 else "ZXY"
    rows = 3 if name in ("eul2rot", "vec2rot") else 4
    data = np.fromfile(path, dtype="<f8").reshape(n, rows)
    calls = {
        "eul2rot": lambda: Rotation.from_euler(seq, data).as_quat(),
        "rot2eul": lambda: Rotation.from_quat(scalar_last(data)).as_euler(seq),
        "vec2rot": lambda: Rotation.from_rotvec(data).as_quat(),
        "rot2vec": lambda: Rotation.from_quat(scalar_last(data)).as_rotvec(),
    }
    call = calls[name]
    call()
    times = []
    for _ in range(5):
        start = time.perf_counter()
        call()
        times.append(time.perf_counter() - start)
    print("%.9f" % sorted(times)[len(times) // 2])


if __name__ == "__main__":
    main()
