// rotblend's kernel: spherical interpolation between two quaternions
// (scalar first: w, x, y, z) along the shorter arc, with a normalised linear
// blend where the two lie closer together than 0.999 (their dot product).
// Plain buffers, no host calls, no allocation. The formulas are
// quaternion/slerp_lanes.h's; results are defined bit for bit (sqrt is
// IEEE's, the arc tangent and sine the toolbox's own, lanemath/), and every
// vector path gives the same bits.
#ifndef ROTKIT_INTERPOLATE_ROTATION_H
#define ROTKIT_INTERPOLATE_ROTATION_H

#include <cstdint>

#include "quaternion/quaternion.h"
#include "simd/kernel_paths.h"

// The rotation at parameter t between q1 (t = 0) and q2 (t = 1), on the
// scalar path. When the dot product d of q1 and q2 is negative (strictly:
// not -0, not NaN) q2 is negated first, so the path is the shorter arc. t is
// not clamped: outside [0, 1] the path extrapolates. The spherical branch
// does not normalise; the linear branch does.
Quaternion interpolateRotation(const Quaternion& q1, const Quaternion& q2, double t);

// outData[:, i] = interpolateRotation(q1, q2, tData[i]) for i < count, as a
// 4 x count block in column-major order; q1 and q2 are four doubles each.
// tData holds at least count doubles and outData has room for 4·count;
// outData must not overlap the inputs. Works out what depends on q1 and q2
// alone once and runs the widest vector path this processor has. No
// alignment is required.
void interpolateRotations(const double* q1, const double* q2, const double* tData, std::uint32_t count,
                          double* outData);

using InterpolateRotations = void (*)(const double* q1, const double* q2, const double* tData, std::uint32_t count,
                                      double* outData);
// Every path of interpolateRotations this build has, scalar first.
const KernelPaths<InterpolateRotations>& interpolateRotationsPaths();

#endif
