// asfread's layout (asf_motion.h). A rotation from angles goes through the
// kernels of eul2rot (three turns about axes that differ from their
// neighbours) and rotcompose (any other list, one turn at a time), in the
// steps bvhread takes, so that its bits are theirs.
#include "motionfiles/asfread/asf_motion.h"

#include "conversions/eul2rot/euler_to_quaternion.h"
#include "rotations/rotcompose/compose_columns.h"

#include <cmath>
#include <cstring>

namespace asf {

namespace {

// pi/180 and pi/360 as doubles, each one rounding of the quotient.
const double kRadiansPerDegree = 3.141592653589793 / 180.0;
const double kHalfRadiansPerDegree = 3.141592653589793 / 360.0;

// Turns about `axes` (0 x, 1 y, 2 z; the first listed turns first, so it
// stands last in the product) by the angles angle(i, k) of frames k < N:
// q = R(axes[n-1]) ... R(axes[0]) into q (4 x N).
template <class Angle>
void turnsOf(const std::vector<std::uint8_t>& axes, std::size_t N, bool degrees, const Angle& angle, std::vector<double>& q) {
  q.assign(4 * N, 0.0);
  const std::size_t n = axes.size();
  const std::uint32_t count = static_cast<std::uint32_t>(N);
  if (n == 3 && axes[0] != axes[1] && axes[1] != axes[2]) {
    // eul2rot of the reversed list, an intrinsic sequence.
    std::vector<double> angles(3 * N);
    const double unit = degrees ? kRadiansPerDegree : 1.0;
    for (std::size_t k = 0; k < N; ++k) {
      for (std::size_t i = 0; i < 3; ++i) angles[3 * k + i] = degrees ? angle(2 - i, k) * unit : angle(2 - i, k);
    }
    const char letters[3] = {static_cast<char>('X' + axes[2]), static_cast<char>('X' + axes[1]),
                             static_cast<char>('X' + axes[0])};
    EulerAxes sequence;
    parseAxisSequence(letters, sequence);
    eulerToQuaternions(angles.data(), q.data(), count, sequence);
    return;
  }
  // From the identity, one turn at a time: rotcompose(rotcompose(I, last), ...).
  for (std::size_t k = 0; k < N; ++k) q[4 * k] = 1.0;
  std::vector<double> turn(4 * N, 0.0), product(4 * N);
  for (std::size_t i = n; i-- > 0;) {
    for (std::size_t k = 0; k < N; ++k) {
      const double half = degrees ? angle(i, k) * kHalfRadiansPerDegree : angle(i, k) * 0.5;
      double* t = &turn[4 * k];
      t[0] = std::cos(half);
      t[1] = t[2] = t[3] = 0.0;
      t[1 + axes[i]] = std::sin(half);
    }
    composeColumns(q.data(), count, turn.data(), count, product.data(), count);
    q.swap(product);
  }
}

// q (4 x N) turned into the frame c: c ⊗ q ⊗ c*.
void conjugate(const std::vector<double>& c, std::size_t N, std::vector<double>& q) {
  const double inverse[4] = {c[0], -c[1], -c[2], -c[3]};
  const std::uint32_t count = static_cast<std::uint32_t>(N);
  std::vector<double> left(4 * N);
  composeColumns(c.data(), 1, q.data(), count, left.data(), count);
  composeColumns(left.data(), count, inverse, 1, q.data(), count);
}

// The axis frame of angles about x, y, z turned in `order`.
std::vector<double> axisFrame(const double (&angles)[3], const std::uint8_t (&order)[3], bool degrees) {
  std::vector<double> c;
  const std::vector<std::uint8_t> axes(order, order + 3);
  turnsOf(axes, 1, degrees, [&](std::size_t i, std::size_t) { return angles[axes[i]]; }, c);
  return c;
}

} // namespace

Joints jointsOf(const Skeleton& skeleton) {
  Joints joints;
  const auto add = [&](std::uint32_t parent, const std::string& name, const double* offset, bool endSite, std::size_t bone,
                       std::size_t turnedBy) {
    joints.parents.push_back(parent);
    joints.names.push_back(name);
    joints.offsets.insert(joints.offsets.end(), offset, offset + 3);
    joints.endSites.push_back(endSite);
    joints.bone.push_back(bone);
    joints.turnedBy.push_back(turnedBy);
    return static_cast<std::uint32_t>(joints.parents.size());
  };
  add(0, "root", skeleton.position, false, kRoot, kRoot);
  const double zero[3] = {0, 0, 0};
  // Depth first: (bone, its parent's joint number, the parent bone).
  struct Visit {
    std::size_t bone;
    std::uint32_t parentJoint;
    std::size_t parentBone;
  };
  std::vector<Visit> stack;
  for (std::size_t i = skeleton.rootChildren.size(); i-- > 0;) stack.push_back({skeleton.rootChildren[i], 1, kRoot});
  while (!stack.empty()) {
    const Visit v = stack.back();
    stack.pop_back();
    const Bone& bone = skeleton.bones[v.bone];
    // The joint stands at the parent bone's end: its offset is that bone's vector.
    double offset[3] = {0, 0, 0};
    if (v.parentBone != kRoot) {
      const Bone& parent = skeleton.bones[v.parentBone];
      for (int a = 0; a < 3; ++a) offset[a] = parent.direction[a] * parent.length;
    }
    const std::uint32_t joint = add(v.parentJoint, bone.name, v.parentBone == kRoot ? zero : offset, false, v.bone, v.parentBone);
    if (bone.children.empty()) {
      double end[3];
      for (int a = 0; a < 3; ++a) end[a] = bone.direction[a] * bone.length;
      add(joint, bone.name + "_end", end, true, v.bone, v.bone);
    }
    for (std::size_t i = bone.children.size(); i-- > 0;) stack.push_back({bone.children[i], joint, v.bone});
  }
  return joints;
}

void fillRootPositions(const Skeleton& skeleton, const Motion& motion, double* positions) {
  for (int axis = 0; axis < 3; ++axis) {
    long channel = -1;
    for (std::size_t c = 0; c < skeleton.rootOrder.size(); ++c) {
      if (skeleton.rootOrder[c] == axis) channel = static_cast<long>(c);
    }
    const double base = skeleton.position[axis];
    for (std::size_t k = 0; k < motion.frames; ++k) {
      double p = base;
      if (channel >= 0) {
        const double t = motion.values[motion.valuesPerFrame * k + static_cast<std::size_t>(channel)];
        p = base == 0 ? t : base + t;  // a translation of -0 stays -0
      }
      positions[3 * k + static_cast<std::size_t>(axis)] = p;
    }
  }
}

void fillRotations(const Skeleton& skeleton, const Motion& motion, const Joints& joints, double* local) {
  const std::size_t J = joints.parents.size();
  const std::size_t N = motion.frames;
  const std::size_t V = motion.valuesPerFrame;
  const std::size_t B = skeleton.bones.size();
  for (std::size_t k = 0; k < N; ++k) {
    for (std::size_t j = 0; j < J; ++j) local[4 * J * k + 4 * j] = 1.0;
  }
  std::vector<double> q, c;
  std::vector<std::uint8_t> axes;
  std::vector<std::size_t> columns;
  // The root (b = B) and every bone: its rotation, into the rows of the
  // joints it turns.
  for (std::size_t b = 0; b <= B; ++b) {
    const bool isRoot = b == B;
    const std::size_t owner = isRoot ? kRoot : b;
    bool turnsSomething = false;
    for (std::size_t j = 0; j < J && !turnsSomething; ++j) turnsSomething = j > 0 && joints.turnedBy[j] == owner;
    axes.clear();
    columns.clear();
    if (isRoot) {
      for (std::size_t i = 0; i < skeleton.rootOrder.size(); ++i) {
        if (skeleton.rootOrder[i] < rx) continue;
        axes.push_back(static_cast<std::uint8_t>(skeleton.rootOrder[i] - rx));
        columns.push_back(i);
      }
    } else {
      for (std::size_t i = 0; i < skeleton.bones[b].dofs.size(); ++i) {
        axes.push_back(static_cast<std::uint8_t>(skeleton.bones[b].dofs[i] - rx));
        columns.push_back(motion.firstValue[b] + i);
      }
    }
    if (!turnsSomething || axes.empty()) continue;  // the identity's rows stay
    turnsOf(axes, N, motion.degrees, [&](std::size_t i, std::size_t k) { return motion.values[V * k + columns[i]]; }, q);
    c = isRoot ? axisFrame(skeleton.orientation, skeleton.rootAxisOrder, skeleton.degrees)
               : axisFrame(skeleton.bones[b].axis, skeleton.bones[b].axisOrder, skeleton.degrees);
    conjugate(c, N, q);
    for (std::size_t j = 1; j < J; ++j) {
      if (joints.turnedBy[j] != owner) continue;
      for (std::size_t k = 0; k < N; ++k) std::memcpy(local + 4 * J * k + 4 * j, &q[4 * k], 4 * sizeof(double));
    }
  }
}

} // namespace asf
