"""scipy's side of tools/accuracy/measures_accuracy.cpp: rotdist, rotmean,
poselocal and rotfit done with scipy.spatial.transform.Rotation on the same
inputs.

    python3 tools/accuracy/scipy_measures.py DIR

reads DIR/tasks.txt (one "function name count group" line per task) and
DIR/name.0, name.1, name.2, raw float64 in rotkit's layout (quaternions
4 x N scalar first, points 3M x N), and writes DIR/name.scipy in the layout
of rotkit's results:
    rotdist    (inv(R(q1)) * R(q2)).magnitude()
    rotmean    R(q).mean(weights=w), one per group of `group` quaternions
    poselocal  inv(R(parent)) * R(joint)
    rotfit     per frame Rotation.align_vectors(b - bc, a - ac, weights) and
               T = bc - R.apply(ac), the centroids weighted; Q (4 x N) then T
    rotfitdirections  the same without centring, T = 0
scipy stores quaternions scalar last, so they are reordered on the way in
and out. Used by this measurement only, never by the toolbox or its tests.
"""
import sys
import warnings

import numpy as np
from scipy.spatial.transform import Rotation


def rotations(values):
    return Rotation.from_quat(values.reshape(-1, 4)[:, [1, 2, 3, 0]])


def quaternions_out(r):
    return r.as_quat()[..., [3, 0, 1, 2]]


def fit(a, b, w, translation):
    m = w.size
    n = a.size // (3 * m)
    a = a.reshape(n, m, 3)
    b = b.reshape(n, m, 3)
    q = np.empty((n, 4))
    t = np.zeros((n, 3))
    for k in range(n):
        ca = w @ a[k] / w.sum() if translation else np.zeros(3)
        cb = w @ b[k] / w.sum() if translation else np.zeros(3)
        r, _ = Rotation.align_vectors(b[k] - cb, a[k] - ca, weights=w)
        q[k] = quaternions_out(r)
        t[k] = cb - r.apply(ca)
    return np.concatenate([q.ravel(), t.ravel()])


def main(directory):
    warnings.simplefilter("ignore")
    with open(f"{directory}/tasks.txt") as tasks:
        for line in tasks:
            function, name, count, group = line.split()
            count, group = int(count), int(group)
            inputs = [np.fromfile(f"{directory}/{name}.{i}", dtype=np.float64) for i in range(3)
                      if function.startswith("rotfit") or i < 2]
            if function == "rotdist":
                out = (rotations(inputs[0]).inv() * rotations(inputs[1])).magnitude()
            elif function == "rotmean":
                q = inputs[0].reshape(count, group, 4)
                w = inputs[1].reshape(count, group)
                out = np.concatenate([quaternions_out(rotations(q[g]).mean(weights=w[g])) for g in range(count)])
            elif function == "poselocal":
                out = quaternions_out(rotations(inputs[0]).inv() * rotations(inputs[1]))
            else:
                out = fit(inputs[0], inputs[1], inputs[2], function == "rotfit")
            np.ascontiguousarray(out, dtype=np.float64).tofile(f"{directory}/{name}.scipy")


if __name__ == "__main__":
    main(sys.argv[1])
