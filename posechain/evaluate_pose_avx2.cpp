// AVX2 path of evaluatePoses: four frames at once, one per lane, quaternions
// scalar first (w, x, y, z). Frames are independent and every lane performs
// evaluatePose's operations in its order (no FMA: the target is "avx2"
// alone, and contraction is off), so the bits are evaluatePose's. Each
// component sits in a register of its own across the four frames; the
// matrices keep their layout, transposed on the way in and out.
#include "evaluate_pose.h"

#if defined(ROTKIT_BUILD_AVX2)

#include <immintrin.h>

#include <cstddef>

#include "quaternion/quaternion.h"

namespace {

// How many blocks of four frames ahead the memory is prefetched.
constexpr std::size_t kPrefetchBlocks = 2;

ROTKIT_TARGET_AVX2 inline __m256d add(__m256d a, __m256d b) { return _mm256_add_pd(a, b); }
ROTKIT_TARGET_AVX2 inline __m256d sub(__m256d a, __m256d b) { return _mm256_sub_pd(a, b); }
ROTKIT_TARGET_AVX2 inline __m256d mul(__m256d a, __m256d b) { return _mm256_mul_pd(a, b); }

// One quaternion or 3-vector per frame, a component per register.
struct FrameQuaternions {
  __m256d w, x, y, z;
};
struct FrameVectors {
  __m256d x, y, z;
};

// Two doubles from each of `first` and `first + 2·stride`, as one register.
ROTKIT_TARGET_AVX2 inline __m256d loadPairs(const double* first, std::size_t stride) {
  return _mm256_insertf128_pd(_mm256_castpd128_pd256(_mm_loadu_pd(first)), _mm_loadu_pd(first + 2 * stride), 1);
}

ROTKIT_TARGET_AVX2 inline void storePairs(double* first, std::size_t stride, __m256d pairs) {
  _mm_storeu_pd(first, _mm256_castpd256_pd128(pairs));
  _mm_storeu_pd(first + 2 * stride, _mm256_extractf128_pd(pairs, 1));
}

// The quaternions at `first`, `first + stride`, ... of four frames' columns.
ROTKIT_TARGET_AVX2 inline FrameQuaternions loadQuaternions(const double* first, std::size_t stride) {
  const __m256d wx02 = loadPairs(first, stride);               // w0 x0 w2 x2
  const __m256d wx13 = loadPairs(first + stride, stride);      // w1 x1 w3 x3
  const __m256d yz02 = loadPairs(first + 2, stride);           // y0 z0 y2 z2
  const __m256d yz13 = loadPairs(first + stride + 2, stride);  // y1 z1 y3 z3
  return FrameQuaternions{_mm256_unpacklo_pd(wx02, wx13), _mm256_unpackhi_pd(wx02, wx13),
                          _mm256_unpacklo_pd(yz02, yz13), _mm256_unpackhi_pd(yz02, yz13)};
}

ROTKIT_TARGET_AVX2 inline void storeQuaternions(double* first, std::size_t stride, const FrameQuaternions& q) {
  storePairs(first, stride, _mm256_unpacklo_pd(q.w, q.x));
  storePairs(first + stride, stride, _mm256_unpackhi_pd(q.w, q.x));
  storePairs(first + 2, stride, _mm256_unpacklo_pd(q.y, q.z));
  storePairs(first + stride + 2, stride, _mm256_unpackhi_pd(q.y, q.z));
}

// The 3-vectors at `first`, `first + stride`, ...; reads one double beyond
// each, which the caller guarantees lies in the same column.
ROTKIT_TARGET_AVX2 inline FrameVectors loadPositionsAndOneMore(const double* first, std::size_t stride) {
  const __m256d xy02 = loadPairs(first, stride);           // x0 y0 x2 y2
  const __m256d xy13 = loadPairs(first + stride, stride);  // x1 y1 x3 y3
  const __m256d z02 = loadPairs(first + 2, stride);        // z0 .  z2 .
  const __m256d z13 = loadPairs(first + stride + 2, stride);
  return FrameVectors{_mm256_unpacklo_pd(xy02, xy13), _mm256_unpackhi_pd(xy02, xy13), _mm256_unpacklo_pd(z02, z13)};
}

ROTKIT_TARGET_AVX2 inline void storePositions(double* first, std::size_t stride, const FrameVectors& v) {
  storePairs(first, stride, _mm256_unpacklo_pd(v.x, v.y));
  storePairs(first + stride, stride, _mm256_unpackhi_pd(v.x, v.y));
  const __m128d z01 = _mm256_castpd256_pd128(v.z);
  const __m128d z23 = _mm256_extractf128_pd(v.z, 1);
  _mm_store_sd(first + 2, z01);
  _mm_storeh_pd(first + stride + 2, z01);
  _mm_store_sd(first + 2 * stride + 2, z23);
  _mm_storeh_pd(first + 3 * stride + 2, z23);
}

// parent ⊗ local in the chain's own order of summation (evaluate_pose.cpp).
ROTKIT_TARGET_AVX2 inline FrameQuaternions chainRotation(const FrameQuaternions& p, const FrameQuaternions& l) {
  return FrameQuaternions{sub(sub(sub(mul(p.w, l.w), mul(p.x, l.x)), mul(p.y, l.y)), mul(p.z, l.z)),
                          sub(add(add(mul(p.x, l.w), mul(p.w, l.x)), mul(p.y, l.z)), mul(p.z, l.y)),
                          sub(add(add(mul(p.y, l.w), mul(p.w, l.y)), mul(p.z, l.x)), mul(p.x, l.z)),
                          sub(add(add(mul(p.z, l.w), mul(p.w, l.z)), mul(p.x, l.y)), mul(p.y, l.x))};
}

// rotateVector of rotate_vector.h, one offset v turned by each frame's q.
ROTKIT_TARGET_AVX2 inline FrameVectors rotateVector(const FrameQuaternions& q, __m256d vx, __m256d vy, __m256d vz) {
  const __m256d two = _mm256_set1_pd(2.0);
  const __m256d cx = sub(mul(q.y, vz), mul(q.z, vy));
  const __m256d cy = sub(mul(q.z, vx), mul(q.x, vz));
  const __m256d cz = sub(mul(q.x, vy), mul(q.y, vx));
  const __m256d dx = sub(mul(q.y, cz), mul(q.z, cy));
  const __m256d dy = sub(mul(q.z, cx), mul(q.x, cz));
  const __m256d dz = sub(mul(q.x, cy), mul(q.y, cx));
  const __m256d t = mul(q.w, two);
  return FrameVectors{add(add(mul(cx, t), vx), mul(dx, two)), add(add(mul(cy, t), vy), mul(dy, two)),
                      add(add(mul(cz, t), vz), mul(dz, two))};
}

} // namespace

ROTKIT_TARGET_AVX2
void evaluatePosesAvx2(std::uint32_t jointCount, const double* parents, const double* offsets, const double* rootData,
                       const double* localData, std::uint32_t localRows, double* globalData, double* jointData,
                       std::uint32_t jointRows, std::uint32_t frameCount) {
  const std::size_t localStride = localRows;
  const std::size_t jointStride = jointRows;
  std::uint32_t k = 0;
  for (; jointCount > 0 && k + 4 <= frameCount; k += 4) {
    const double* local = localData + localStride * k;
    double* global = globalData + localStride * k;
    double* joints = jointData + jointStride * k;
    // The roots, copied unchanged.
    for (std::size_t f = 0; f < 4; ++f) {
      const double* root = rootData + 3 * (k + f);
      joints[jointStride * f] = root[0];
      joints[jointStride * f + 1] = root[1];
      joints[jointStride * f + 2] = root[2];
      storeQuaternion(global + localStride * f, loadQuaternion(local + localStride * f));
    }
    // Four frames' columns are contiguous in each matrix, so the columns of a
    // later block form one region there; two cache lines of each region per
    // joint bring it in before its turn (a prefetch never faults). Without
    // this the loads wait on memory from N = 1e4 on.
    const bool prefetch = k + 4 * (kPrefetchBlocks + 1) <= frameCount;
    const char* nextLocal = reinterpret_cast<const char*>(local + 4 * kPrefetchBlocks * localStride);
    const char* nextGlobal = reinterpret_cast<const char*>(global + 4 * kPrefetchBlocks * localStride);
    const char* nextJoints = reinterpret_cast<const char*>(joints + 4 * kPrefetchBlocks * jointStride);
    for (std::uint32_t j = 1; j < jointCount; ++j) {
      if (prefetch) {
        const std::size_t line = 128 * std::size_t{j - 1};
        _mm_prefetch(nextLocal + line, _MM_HINT_T0);
        _mm_prefetch(nextLocal + line + 64, _MM_HINT_T0);
        _mm_prefetch(nextGlobal + line, _MM_HINT_T0);
        _mm_prefetch(nextGlobal + line + 64, _MM_HINT_T0);
        _mm_prefetch(nextJoints + line, _MM_HINT_T0);
        _mm_prefetch(nextJoints + line + 64, _MM_HINT_T0);
      }
      const std::size_t p = static_cast<std::size_t>(static_cast<std::int32_t>(parents[j]) - 1);
      const FrameQuaternions g = chainRotation(loadQuaternions(global + 4 * p, localStride),
                                               loadQuaternions(local + 4 * std::size_t{j}, localStride));
      storeQuaternions(global + 4 * std::size_t{j}, localStride, g);
      const double* offset = offsets + 3 * std::size_t{j};
      const FrameVectors turned =
          rotateVector(g, _mm256_set1_pd(offset[0]), _mm256_set1_pd(offset[1]), _mm256_set1_pd(offset[2]));
      // p < j < J, so the double after the parent's position is joint p + 1's
      // x, in the same column: read and discarded.
      const FrameVectors parent = loadPositionsAndOneMore(joints + 3 * p, jointStride);
      storePositions(joints + 3 * std::size_t{j}, jointStride,
                     FrameVectors{add(turned.x, parent.x), add(turned.y, parent.y), add(turned.z, parent.z)});
    }
  }
  // The last frames, fewer than four, one at a time.
  evaluatePosesScalar(jointCount, parents, offsets, rootData + 3 * std::size_t{k}, localData + localStride * k,
                      localRows, globalData + localStride * k, jointData + jointStride * k, jointRows, frameCount - k);
}

#endif
