"""scipy's side of tools/accuracy/matrix_accuracy.cpp: the same conversions
with scipy.spatial.transform.Rotation on the same inputs.

    python3 tools/accuracy/scipy_matrix.py DIR

reads DIR/tasks.txt (one "conversion name columns" line per task) and
DIR/name.in (and name.vectors), raw float64 in rotkit's layout: quaternions
4 x N scalar first, matrices 3 x 3 x N column major, vectors 3 x N; writes
DIR/name.scipy in the same layout. scipy stores quaternions scalar last
(x, y, z, w), so they are reordered on the way in and out. Used by this
measurement only, never by the toolbox or its tests.
"""
import sys

import numpy as np
from scipy.spatial.transform import Rotation


def quaternions_in(values, n):
    q = values.reshape(n, 4)            # rows w, x, y, z
    return q[:, [1, 2, 3, 0]]           # scalar last


def quaternions_out(q):
    return np.ascontiguousarray(q[:, [3, 0, 1, 2]])


def matrices_in(values, n):
    # Column major per page: element (r, c) of page k at 9k + 3c + r.
    return values.reshape(n, 3, 3).transpose(0, 2, 1)


def matrices_out(m):
    return np.ascontiguousarray(m.transpose(0, 2, 1))


def normalized(q):
    """scipy's unit quaternions, NaN where it refuses one (a norm that
    underflows to zero is refused as a zero quaternion)."""
    try:
        return Rotation.from_quat(q).as_quat()
    except ValueError:
        out = np.full(q.shape, np.nan)
        for k in range(q.shape[0]):
            try:
                out[k] = Rotation.from_quat(q[k]).as_quat()
            except ValueError:
                pass
        return out


def main(directory):
    with open(f"{directory}/tasks.txt") as tasks:
        for line in tasks:
            conversion, name, columns = line.split()
            n = int(columns)
            values = np.fromfile(f"{directory}/{name}.in", dtype=np.float64)
            if conversion == "rot2mat":
                out = matrices_out(Rotation.from_quat(quaternions_in(values, n)).as_matrix())
            elif conversion == "mat2rot":
                out = quaternions_out(Rotation.from_matrix(matrices_in(values, n)).as_quat())
            elif conversion == "roundtrip":
                matrices = Rotation.from_quat(quaternions_in(values, n)).as_matrix()
                out = quaternions_out(Rotation.from_matrix(matrices).as_quat())
            elif conversion == "rotnormalize":
                out = quaternions_out(normalized(quaternions_in(values, n)))
            elif conversion == "rotapply":
                vectors = np.fromfile(f"{directory}/{name}.vectors", dtype=np.float64).reshape(n, 3)
                out = Rotation.from_quat(quaternions_in(values, n)).apply(vectors)
            else:
                raise SystemExit(f"unknown conversion {conversion}")
            np.ascontiguousarray(out, dtype=np.float64).tofile(f"{directory}/{name}.scipy")


if __name__ == "__main__":
    main(sys.argv[1])
