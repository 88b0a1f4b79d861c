// eul2rot's kernel, written once and compiled for every vector path
// (simd/each_target.h): one column of angles per lane, quaternions scalar
// first (w, x, y, z), Hamilton product. Results are defined bit for bit:
// every product and sum is rounded on its own in the order written below
// (never a fused multiply-add), in every lane; the sines and cosines are
// the toolbox's own (lanemath/sine_lanes.h).
//
// The intrinsic rotation Ri(b1)·Rj(b2)·Rk(b3) is the product of three turns
// (c1 + s1·e_i)(c2 + s2·e_j)(c3 + s3·e_k), cn = cos(bn/2), sn = sin(bn/2),
// written out in closed form: with e_i·e_j = ε·e_other (ε = +1 for the
// cyclic order x, y, z) and the pair products cc = c1·c2, ss = s1·s2,
// sc = s1·c2, cs = c1·s2,
//   Tait-Bryan (k = other):        proper Euler (k = i):
//     w   = cc·c3 − ε·ss·s3          w     = cc·c3 − sc·s3
//     q_i = sc·c3 + ε·cs·s3          q_i   = cc·s3 + sc·c3
//     q_j = cs·c3 − ε·sc·s3          q_j   = cs·c3 + ss·s3
//     q_k = cc·s3 + ε·ss·c3          q_oth = ε·(ss·c3 − cs·s3)
// Each component is two rounded products of rounded products and one sum:
// as accurate as three Hamilton products (1.47 units of 2^-52 at worst for
// either, measured from the same sines by tools/accuracy/angle_accuracy.cpp)
// with half the products. ε·x is a sign flip, exact; a − (−b) and a + b are
// the same IEEE operation. Do not reorder.
#include "lanemath/sine_lanes.h"

template <bool Proper, bool Even, bool Reversed>
inline void eulerColumns(const double* angles, double* out, std::uint32_t count, const EulerAxes& axes) {
  for (std::uint32_t k = 0; k < count; k += kLanes) {
    const std::uint32_t lanes = lanesFrom(k, count);
    V rows[3];
    loadRows<3>(angles + 3 * std::size_t{k}, 3, lanes, rows);
    // Halving is exact (but for subnormal angles, which round alike on every path).
    const SineCosine h1 = sineCosine((Reversed ? rows[2] : rows[0]) * 0.5);
    const SineCosine h2 = sineCosine(rows[1] * 0.5);
    const SineCosine h3 = sineCosine((Reversed ? rows[0] : rows[2]) * 0.5);
    const V cc = h1.cos * h2.cos;
    const V ss = h1.sin * h2.sin;
    const V sc = h1.sin * h2.cos;
    const V cs = h1.cos * h2.sin;
    V q[4];
    if (Proper) {
      const V along = ss * h3.cos - cs * h3.sin;
      q[0] = cc * h3.cos - sc * h3.sin;
      q[1 + axes.i] = cc * h3.sin + sc * h3.cos;
      q[1 + axes.j] = cs * h3.cos + ss * h3.sin;
      q[1 + axes.other] = Even ? along : -along;
    } else if (Even) {
      q[0] = cc * h3.cos - ss * h3.sin;
      q[1 + axes.i] = sc * h3.cos + cs * h3.sin;
      q[1 + axes.j] = cs * h3.cos - sc * h3.sin;
      q[1 + axes.other] = cc * h3.sin + ss * h3.cos;
    } else {
      q[0] = cc * h3.cos + ss * h3.sin;
      q[1 + axes.i] = sc * h3.cos - cs * h3.sin;
      q[1 + axes.j] = cs * h3.cos + sc * h3.sin;
      q[1 + axes.other] = cc * h3.sin - ss * h3.cos;
    }
    storeRows<4>(out + 4 * std::size_t{k}, 4, lanes, q);
  }
}

// The columns at angles[3k] go, as quaternions, to out[4k].
inline void eulerToQuaternions(const double* angles, double* out, std::uint32_t count, const EulerAxes& axes) {
  if (axes.proper) {
    if (axes.even) {
      if (axes.reversed) return eulerColumns<true, true, true>(angles, out, count, axes);
      return eulerColumns<true, true, false>(angles, out, count, axes);
    }
    if (axes.reversed) return eulerColumns<true, false, true>(angles, out, count, axes);
    return eulerColumns<true, false, false>(angles, out, count, axes);
  }
  if (axes.even) {
    if (axes.reversed) return eulerColumns<false, true, true>(angles, out, count, axes);
    return eulerColumns<false, true, false>(angles, out, count, axes);
  }
  if (axes.reversed) return eulerColumns<false, false, true>(angles, out, count, axes);
  return eulerColumns<false, false, false>(angles, out, count, axes);
}
