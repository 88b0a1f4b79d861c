// bvhread's motion (bvh_motion.h). The rotations go through the kernels of
// eul2rot and rotcompose, in the steps the toolbox's functions take, so
// that every quaternion is theirs to the bit.
#include "motionfiles/bvhread/bvh_motion.h"

#include "conversions/eul2rot/euler_to_quaternion.h"
#include "rotations/rotcompose/compose_columns.h"

#include <cmath>
#include <cstring>
#include <limits>

namespace bvh {

namespace {

// pi/180 and pi/360 as doubles, each one rounding of the quotient.
const double kRadiansPerDegree = 3.141592653589793 / 180.0;
const double kHalfRadiansPerDegree = 3.141592653589793 / 360.0;

bool sameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// The channel of `joint` for position along `axis`, as an index among a
// frame's values, or -1.
long positionChannel(const ParsedFile& file, const MotionLayout& layout, std::size_t joint, int axis) {
  const std::vector<std::uint8_t>& channels = file.skeleton.joints[joint].channels;
  for (std::size_t c = 0; c < channels.size(); ++c) {
    if (channels[c] == axis) return static_cast<long>(layout.firstChannel[joint] + c);
  }
  return -1;
}

double translationOf(double offset, const double* values, long channel) {
  if (channel < 0) return offset;
  const double value = values[channel];
  return offset == 0 ? offset + value : value;
}

// Three rotation channels on axes whose neighbours differ: one Euler sequence.
bool isEulerSequence(const std::vector<std::uint8_t>& axes) {
  return axes.size() == 3 && axes[0] != axes[1] && axes[1] != axes[2];
}

} // namespace

MotionLayout layoutOf(const ParsedFile& file) {
  const std::vector<Joint>& joints = file.skeleton.joints;
  MotionLayout layout;
  layout.joints = joints.size();
  layout.frames = file.frames;
  layout.firstChannel.resize(joints.size());
  std::vector<bool> hasChildren(joints.size(), false);
  std::size_t channel = 0;
  for (std::size_t j = 0; j < joints.size(); ++j) {
    layout.firstChannel[j] = channel;
    channel += joints[j].channels.size();
    if (joints[j].parent > 0) hasChildren[joints[j].parent - 1] = true;
  }
  for (std::size_t j = 0; j < joints.size(); ++j) {
    if (!hasChildren[j] && !joints[j].endSite) layout.leafJoints.push_back(static_cast<std::uint32_t>(j + 1));
  }
  layout.changing.assign(joints.size(), false);
  const std::size_t C = file.skeleton.channelCount;
  for (std::size_t j = 1; j < joints.size(); ++j) {
    for (int axis = 0; axis < 3 && !layout.changing[j]; ++axis) {
      const long c = positionChannel(file, layout, j, axis);
      if (c < 0 || file.frames == 0) continue;
      const double first = translationOf(joints[j].offset[axis], file.values.data(), c);
      for (std::size_t k = 1; k < file.frames; ++k) {
        if (!sameBits(translationOf(joints[j].offset[axis], file.values.data() + C * k, c), first)) {
          layout.changing[j] = true;
          layout.anyChanging = true;
          break;
        }
      }
    }
  }
  return layout;
}

double translation(const ParsedFile& file, const MotionLayout& layout, std::size_t joint, int axis, std::size_t k) {
  const long c = positionChannel(file, layout, joint, axis);
  const double* values = file.values.data() + file.skeleton.channelCount * k;
  return translationOf(file.skeleton.joints[joint].offset[axis], values, c);
}

void fillJointOffsets(const ParsedFile& file, const MotionLayout& layout, double* offsets) {
  const std::vector<Joint>& joints = file.skeleton.joints;
  for (std::size_t j = 0; j < joints.size(); ++j) {
    for (int axis = 0; axis < 3; ++axis) {
      double value = joints[j].offset[axis];
      if (layout.changing[j]) {
        value = std::numeric_limits<double>::quiet_NaN();
      } else if (j > 0 && file.frames > 0) {
        value = translation(file, layout, j, axis, 0);
      }
      offsets[3 * j + static_cast<std::size_t>(axis)] = value;
    }
  }
}

void fillRootPositions(const ParsedFile& file, const MotionLayout& layout, double* positions) {
  for (int axis = 0; axis < 3; ++axis) {
    const long c = positionChannel(file, layout, 0, axis);
    const double offset = file.skeleton.joints[0].offset[axis];
    for (std::size_t k = 0; k < file.frames; ++k) {
      positions[3 * k + static_cast<std::size_t>(axis)] =
          translationOf(offset, file.values.data() + file.skeleton.channelCount * k, c);
    }
  }
}

void fillFrameOffsets(const ParsedFile& file, const MotionLayout& layout, double* offsets) {
  const std::size_t rows = 3 * layout.joints;
  for (std::size_t j = 0; j < layout.joints; ++j) {
    for (int axis = 0; axis < 3; ++axis) {
      const long c = positionChannel(file, layout, j, axis);
      const double offset = file.skeleton.joints[j].offset[axis];
      double* out = offsets + 3 * j + static_cast<std::size_t>(axis);
      for (std::size_t k = 0; k < file.frames; ++k) {
        out[rows * k] = translationOf(offset, file.values.data() + file.skeleton.channelCount * k, c);
      }
    }
  }
}

void fillRotations(const ParsedFile& file, const MotionLayout& layout, double* local, double* leaf) {
  const std::vector<Joint>& joints = file.skeleton.joints;
  const std::size_t J = layout.joints;
  const std::size_t N = layout.frames;
  const std::size_t C = file.skeleton.channelCount;
  const std::uint32_t count = static_cast<std::uint32_t>(N);
  // No frame, nothing to compute (the kernels read a column of each input
  // to spread even when they have none to compute).
  if (N == 0) return;
  // The identity in every joint's rows; a joint whose parent turns gets the
  // parent's rotation below.
  for (std::size_t k = 0; k < N; ++k) {
    for (std::size_t j = 0; j < J; ++j) local[4 * J * k + 4 * j] = 1.0;
  }
  // Each joint's children, and its place among the leaves (or L).
  const std::size_t L = layout.leafJoints.size();
  std::vector<std::vector<std::size_t>> children(J);
  for (std::size_t c = 1; c < J; ++c) children[joints[c].parent - 1].push_back(c);
  std::vector<std::size_t> leafIndex(J, L);
  for (std::size_t l = 0; l < L; ++l) leafIndex[layout.leafJoints[l] - 1] = l;
  for (std::size_t k = 0; k < N; ++k) {
    for (std::size_t l = 0; l < L; ++l) leaf[4 * L * k + 4 * l] = 1.0;
  }
  std::vector<double> q(4 * N);
  std::vector<double> turn;
  std::vector<double> product;
  std::vector<double> angles;
  std::vector<std::uint8_t> axes;
  std::vector<std::size_t> rotationChannels;
  for (std::size_t j = 0; j < J; ++j) {
    axes.clear();
    rotationChannels.clear();
    const std::vector<std::uint8_t>& channels = joints[j].channels;
    for (std::size_t c = 0; c < channels.size(); ++c) {
      if (!isRotation(channels[c])) continue;
      axes.push_back(static_cast<std::uint8_t>(axisOf(channels[c])));
      rotationChannels.push_back(layout.firstChannel[j] + c);
    }
    if (axes.empty()) continue;
    if (isEulerSequence(axes)) {
      // eul2rot(values * (pi / 180), the channels' axes as an intrinsic sequence)
      angles.resize(3 * N);
      for (std::size_t k = 0; k < N; ++k) {
        for (int i = 0; i < 3; ++i) angles[3 * k + static_cast<std::size_t>(i)] = file.values[C * k + rotationChannels[i]] * kRadiansPerDegree;
      }
      const char letters[3] = {static_cast<char>('X' + axes[0]), static_cast<char>('X' + axes[1]),
                               static_cast<char>('X' + axes[2])};
      EulerAxes sequence;
      parseAxisSequence(letters, sequence);
      eulerToQuaternions(angles.data(), q.data(), count, sequence);
    } else {
      // The product of single-axis turns in channel order, from the
      // identity: rotcompose(rotcompose(identity, turn1), turn2) ...
      turn.assign(4 * N, 0.0);
      product.resize(4 * N);
      for (std::size_t k = 0; k < N; ++k) {
        q[4 * k] = 1.0;
        q[4 * k + 1] = q[4 * k + 2] = q[4 * k + 3] = 0.0;
      }
      for (std::size_t i = 0; i < axes.size(); ++i) {
        for (std::size_t k = 0; k < N; ++k) {
          const double half = file.values[C * k + rotationChannels[i]] * kHalfRadiansPerDegree;
          double* t = &turn[4 * k];
          t[0] = std::cos(half);
          t[1] = t[2] = t[3] = 0.0;
          t[1 + axes[i]] = std::sin(half);
        }
        composeColumns(q.data(), count, turn.data(), count, product.data(), count);
        q.swap(product);
      }
    }
    // Into the rows of each child, and of the joint itself if it is a leaf.
    for (std::size_t c : children[j]) {
      for (std::size_t k = 0; k < N; ++k) std::memcpy(local + 4 * J * k + 4 * c, &q[4 * k], 4 * sizeof(double));
    }
    if (leafIndex[j] < L) {
      const std::size_t l = leafIndex[j];
      for (std::size_t k = 0; k < N; ++k) std::memcpy(leaf + 4 * L * k + 4 * l, &q[4 * k], 4 * sizeof(double));
    }
  }
}

} // namespace bvh
