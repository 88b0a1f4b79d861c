// Streaming baselines. Plain loops: the compiler vectorises them with the
// same flags as the kernels (no -march, so SSE2 on x86-64).
#include "streaming.h"

#include <cmath>

void streamTwoToOne(const double* a, const double* b, double* out, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) out[i] = a[i] + b[i];
}

void streamOneToOne(const double* a, double* out, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) out[i] = -a[i];
}

void streamOneToFour(const double* a, double* out, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) {
    out[4 * i] = a[i];
    out[4 * i + 1] = a[i];
    out[4 * i + 2] = a[i];
    out[4 * i + 3] = a[i];
  }
}

void streamColumns(const double* in, std::size_t inRows, const double* second, std::size_t secondRows, double* out,
                   std::size_t outRows, std::size_t cols) {
  for (std::size_t k = 0; k < cols; ++k) {
    double sum = 0;
    for (std::size_t r = 0; r < inRows; ++r) sum += in[inRows * k + r];
    for (std::size_t r = 0; r < secondRows; ++r) sum += second[secondRows * k + r];
    for (std::size_t r = 0; r < outRows; ++r) out[outRows * k + r] = sum;
  }
}

void streamPoseFrames(const double* root, const double* local, double* global, double* positions,
                      std::size_t joints, std::size_t frames) {
  for (std::size_t k = 0; k < frames; ++k) {
    const double* frameRoot = root + 3 * k;
    const double* frameLocal = local + 4 * joints * k;
    double* frameGlobal = global + 4 * joints * k;
    double* framePositions = positions + 3 * joints * k;
    const double shift = (frameRoot[0] + frameRoot[1]) + frameRoot[2];
    for (std::size_t i = 0; i < 4 * joints; ++i) frameGlobal[i] = -frameLocal[i];
    for (std::size_t i = 0; i < 3 * joints; ++i) framePositions[i] = frameLocal[i] + shift;
  }
}

void twoSines(const double* t, double theta, double* out, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) {
    out[2 * i] = std::sin((1 - t[i]) * theta);
    out[2 * i + 1] = std::sin(theta * t[i]);
  }
}
