// SSE2 path of evaluatePoses: two frames at once, one per lane, quaternions
// scalar first (w, x, y, z). Frames are independent and every lane performs
// evaluatePose's operations in its order (SSE2 has no fused multiply-add,
// and contraction is off), so the bits are evaluatePose's. Each component
// sits in a register of its own across the two frames; the matrices keep
// their layout, transposed on the way in and out.
#include "evaluate_pose.h"

#if defined(ROTKIT_BUILD_SSE2)

#include <emmintrin.h>

#include <cstddef>

#include "quaternion/quaternion.h"

namespace {

inline __m128d add(__m128d a, __m128d b) { return _mm_add_pd(a, b); }
inline __m128d sub(__m128d a, __m128d b) { return _mm_sub_pd(a, b); }
inline __m128d mul(__m128d a, __m128d b) { return _mm_mul_pd(a, b); }

// One quaternion or 3-vector per frame, a component per register.
struct FrameQuaternions {
  __m128d w, x, y, z;
};
struct FrameVectors {
  __m128d x, y, z;
};

// The quaternions at `first` and `first + stride` of two frames' columns.
inline FrameQuaternions loadQuaternions(const double* first, std::size_t stride) {
  const __m128d wx0 = _mm_loadu_pd(first);
  const __m128d wx1 = _mm_loadu_pd(first + stride);
  const __m128d yz0 = _mm_loadu_pd(first + 2);
  const __m128d yz1 = _mm_loadu_pd(first + stride + 2);
  return FrameQuaternions{_mm_unpacklo_pd(wx0, wx1), _mm_unpackhi_pd(wx0, wx1), _mm_unpacklo_pd(yz0, yz1),
                          _mm_unpackhi_pd(yz0, yz1)};
}

inline void storeQuaternions(double* first, std::size_t stride, const FrameQuaternions& q) {
  _mm_storeu_pd(first, _mm_unpacklo_pd(q.w, q.x));
  _mm_storeu_pd(first + 2, _mm_unpacklo_pd(q.y, q.z));
  _mm_storeu_pd(first + stride, _mm_unpackhi_pd(q.w, q.x));
  _mm_storeu_pd(first + stride + 2, _mm_unpackhi_pd(q.y, q.z));
}

// The 3-vectors at `first` and `first + stride`; exactly three doubles each.
inline FrameVectors loadPositions(const double* first, std::size_t stride) {
  const __m128d xy0 = _mm_loadu_pd(first);
  const __m128d xy1 = _mm_loadu_pd(first + stride);
  return FrameVectors{_mm_unpacklo_pd(xy0, xy1), _mm_unpackhi_pd(xy0, xy1),
                      _mm_loadh_pd(_mm_load_sd(first + 2), first + stride + 2)};
}

inline void storePositions(double* first, std::size_t stride, const FrameVectors& v) {
  _mm_storeu_pd(first, _mm_unpacklo_pd(v.x, v.y));
  _mm_storeu_pd(first + stride, _mm_unpackhi_pd(v.x, v.y));
  _mm_store_sd(first + 2, v.z);
  _mm_storeh_pd(first + stride + 2, v.z);
}

// parent ⊗ local in the chain's own order of summation (evaluate_pose.cpp).
inline FrameQuaternions chainRotation(const FrameQuaternions& p, const FrameQuaternions& l) {
  return FrameQuaternions{sub(sub(sub(mul(p.w, l.w), mul(p.x, l.x)), mul(p.y, l.y)), mul(p.z, l.z)),
                          sub(add(add(mul(p.x, l.w), mul(p.w, l.x)), mul(p.y, l.z)), mul(p.z, l.y)),
                          sub(add(add(mul(p.y, l.w), mul(p.w, l.y)), mul(p.z, l.x)), mul(p.x, l.z)),
                          sub(add(add(mul(p.z, l.w), mul(p.w, l.z)), mul(p.x, l.y)), mul(p.y, l.x))};
}

// rotateVector of rotate_vector.h, one offset v turned by each frame's q.
inline FrameVectors rotateVector(const FrameQuaternions& q, __m128d vx, __m128d vy, __m128d vz) {
  const __m128d two = _mm_set1_pd(2.0);
  const __m128d cx = sub(mul(q.y, vz), mul(q.z, vy));
  const __m128d cy = sub(mul(q.z, vx), mul(q.x, vz));
  const __m128d cz = sub(mul(q.x, vy), mul(q.y, vx));
  const __m128d dx = sub(mul(q.y, cz), mul(q.z, cy));
  const __m128d dy = sub(mul(q.z, cx), mul(q.x, cz));
  const __m128d dz = sub(mul(q.x, cy), mul(q.y, cx));
  const __m128d t = mul(q.w, two);
  return FrameVectors{add(add(mul(cx, t), vx), mul(dx, two)), add(add(mul(cy, t), vy), mul(dy, two)),
                      add(add(mul(cz, t), vz), mul(dz, two))};
}

} // namespace

void evaluatePosesSse2(std::uint32_t jointCount, const double* parents, const double* offsets, const double* rootData,
                       const double* localData, std::uint32_t localRows, double* globalData, double* jointData,
                       std::uint32_t jointRows, std::uint32_t frameCount) {
  const std::size_t localStride = localRows;
  const std::size_t jointStride = jointRows;
  std::uint32_t k = 0;
  for (; jointCount > 0 && k + 2 <= frameCount; k += 2) {
    const double* local = localData + localStride * k;
    double* global = globalData + localStride * k;
    double* joints = jointData + jointStride * k;
    // The roots, copied unchanged.
    for (std::size_t f = 0; f < 2; ++f) {
      const double* root = rootData + 3 * (k + f);
      joints[jointStride * f] = root[0];
      joints[jointStride * f + 1] = root[1];
      joints[jointStride * f + 2] = root[2];
      storeQuaternion(global + localStride * f, loadQuaternion(local + localStride * f));
    }
    for (std::uint32_t j = 1; j < jointCount; ++j) {
      const std::size_t p = static_cast<std::size_t>(static_cast<std::int32_t>(parents[j]) - 1);
      const FrameQuaternions g = chainRotation(loadQuaternions(global + 4 * p, localStride),
                                               loadQuaternions(local + 4 * std::size_t{j}, localStride));
      storeQuaternions(global + 4 * std::size_t{j}, localStride, g);
      const double* offset = offsets + 3 * std::size_t{j};
      const FrameVectors turned =
          rotateVector(g, _mm_set1_pd(offset[0]), _mm_set1_pd(offset[1]), _mm_set1_pd(offset[2]));
      const FrameVectors parent = loadPositions(joints + 3 * p, jointStride);
      storePositions(joints + 3 * std::size_t{j}, jointStride,
                     FrameVectors{add(turned.x, parent.x), add(turned.y, parent.y), add(turned.z, parent.z)});
    }
  }
  // The last frame, if the count is odd.
  evaluatePosesScalar(jointCount, parents, offsets, rootData + 3 * std::size_t{k}, localData + localStride * k,
                      localRows, globalData + localStride * k, jointData + jointStride * k, jointRows, frameCount - k);
}

#endif
