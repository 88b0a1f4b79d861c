// eul2rot's kernel: the unit quaternion (scalar first, w x y z; Hamilton
// product) of every column of Euler angles of a 3 x N block of doubles, for
// one axis sequence (conversions/axis_sequence.h). Plain buffers, no host
// calls, no allocation. Results are defined bit for bit
// (conversions/eul2rot/euler_to_quaternion_lanes.h holds the formula; never a fused
// multiply-add), and every vector path gives the same bits.
#ifndef ROTKIT_EUL2ROT_EULER_TO_QUATERNION_H
#define ROTKIT_EUL2ROT_EULER_TO_QUATERNION_H

#include <cstdint>

#include "conversions/axis_sequence.h"
#include "simd/kernel_paths.h"

// out[4k .. 4k+3] = the quaternion of the angles at angles[3k .. 3k+2] (in
// radians, in the order of the sequence as written), for k < count. Runs the
// widest vector path this processor has.
// Preconditions: `angles` holds 3·count doubles, `out` has room for 4·count,
// and they do not overlap. No alignment is required.
void eulerToQuaternions(const double* angles, double* out, std::uint32_t count, const EulerAxes& axes);

using EulerToQuaternions = void (*)(const double* angles, double* out, std::uint32_t count, const EulerAxes& axes);
// Every path of eulerToQuaternions this build has, scalar first.
const KernelPaths<EulerToQuaternions>& eulerToQuaternionsPaths();

#endif
