// rot2eul's kernel: the Euler angles of every quaternion (scalar first,
// w x y z; Hamilton product; need not be unit) of a 4 x N block of doubles,
// for one axis sequence (conversions/axis_sequence.h), and which columns lie at
// gimbal lock. Plain buffers, no host calls, no allocation. Results are
// defined bit for bit (conversions/rot2eul/quaternion_to_euler_lanes.h holds the
// formula; never a fused multiply-add), and every vector path gives the
// same bits.
#ifndef ROTKIT_ROT2EUL_QUATERNION_TO_EULER_H
#define ROTKIT_ROT2EUL_QUATERNION_TO_EULER_H

#include <cstdint>

#include "conversions/axis_sequence.h"
#include "simd/kernel_paths.h"

// angles[3k .. 3k+2] = the angles (radians, in the order of the sequence as
// written) of the quaternion at q[4k .. 4k+3], and locked[k] = 1 where that
// column lies at gimbal lock, 0 elsewhere, for k < count; `locked` may be
// null. Runs the widest vector path this processor has.
// Preconditions: `q` holds 4·count doubles, `angles` has room for 3·count,
// `locked` (unless null) for count bytes; none overlap. No alignment is
// required.
void quaternionsToEuler(const double* q, double* angles, std::uint8_t* locked, std::uint32_t count,
                        const EulerAxes& axes);

using QuaternionsToEuler = void (*)(const double* q, double* angles, std::uint8_t* locked, std::uint32_t count,
                                    const EulerAxes& axes);
// Every path of quaternionsToEuler this build has, scalar first.
const KernelPaths<QuaternionsToEuler>& quaternionsToEulerPaths();

#endif
