// Forward kinematics by the definition, for the fuzz targets of posechain
// and poseglobal: frame by frame, the root copied, each joint's global
// rotation P ⊗ L in posechain's own summation order, and its position its
// parent's plus its offset turned by that rotation (v + 2w·(u×v) +
// 2·(u×(u×v))). Parent numbers are truncated toward zero.
#ifndef ROTKIT_FUZZ_POSE_ORACLE_H
#define ROTKIT_FUZZ_POSE_ORACLE_H

#include <cstddef>
#include <cstdint>
#include <vector>

// Positions (r rows a frame) and global rotations (m rows a frame) of
// `frames` frames of m / 4 joints; frame k's offsets at offsets +
// offsetStride·k (0: the same for every frame).
struct ReferencePose {
  std::vector<double> positions;
  std::vector<double> global;
};

inline ReferencePose referencePose(const std::vector<double>& parents, const std::vector<double>& offsetValues,
                                   std::size_t offsetStride, const std::vector<double>& roots,
                                   const std::vector<double>& locals, std::size_t m, std::size_t r, std::size_t frames) {
  const std::size_t joints = m / 4;
  ReferencePose pose{std::vector<double>(r * frames, 0.0), std::vector<double>(m * frames, 0.0)};
  for (std::size_t k = 0; k < frames; ++k) {
    const double* local = &locals[m * k];
    const double* offsets = &offsetValues[offsetStride * k];
    double* g = &pose.global[m * k];
    double* pos = &pose.positions[r * k];
    for (int i = 0; i < 3; ++i) pos[i] = roots[3 * k + i];
    for (int i = 0; i < 4; ++i) g[i] = local[i];
    for (std::size_t j = 1; j < joints; ++j) {
      const std::size_t p = static_cast<std::size_t>(static_cast<std::int32_t>(parents[j]) - 1);
      const double pw = g[4 * p], px = g[4 * p + 1], py = g[4 * p + 2], pz = g[4 * p + 3];
      const double lw = local[4 * j], lx = local[4 * j + 1], ly = local[4 * j + 2], lz = local[4 * j + 3];
      const double w = ((pw * lw - px * lx) - py * ly) - pz * lz;
      const double x = ((px * lw + pw * lx) + py * lz) - pz * ly;
      const double y = ((py * lw + pw * ly) + pz * lx) - px * lz;
      const double z = ((pz * lw + pw * lz) + px * ly) - py * lx;
      g[4 * j] = w;
      g[4 * j + 1] = x;
      g[4 * j + 2] = y;
      g[4 * j + 3] = z;
      const double vx = offsets[3 * j], vy = offsets[3 * j + 1], vz = offsets[3 * j + 2];
      const double cx = y * vz - z * vy, cy = z * vx - x * vz, cz = x * vy - y * vx;
      const double dx = y * cz - z * cy, dy = z * cx - x * cz, dz = x * cy - y * cx;
      const double t = w * 2.0;
      pos[3 * j] = ((cx * t + vx) + dx * 2.0) + pos[3 * p];
      pos[3 * j + 1] = ((cy * t + vy) + dy * 2.0) + pos[3 * p + 1];
      pos[3 * j + 2] = ((cz * t + vz) + dz * 2.0) + pos[3 * p + 2];
    }
  }
  return pose;
}

#endif
