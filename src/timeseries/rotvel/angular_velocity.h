// rotvel's kernel: the angular velocity at every sample of a motion of
// quaternions (scalar first, w x y z; Hamilton product), 4J x N, J joints
// per column, from the rotation vectors of the turns between neighbouring
// samples. Plain buffers, no host calls, no allocation. Results are defined
// bit for bit (timeseries/rotvel/angular_velocity_lanes.h holds the
// formulas; never a fused multiply-add), the same on every vector path and
// for any thread count.
#ifndef ROTKIT_ROTVEL_ANGULAR_VELOCITY_H
#define ROTKIT_ROTVEL_ANGULAR_VELOCITY_H

#include <cstdint>

#include "simd/kernel_paths.h"
#include "timeseries/sample_times.h"

// w (3J x count) = the angular velocity of each joint at each sample of q
// (4J x count) at the times `time`, in the body's frame (what a gyroscope
// on the body measures) or, when `world`, in the fixed frame. One sample
// gives NaN. Runs the widest vector path this processor has, a large call
// split over worker threads.
// Preconditions: q holds 4·joints·count doubles, w has room for
// 3·joints·count, and they do not overlap; `time` is valid for count.
void angularVelocities(const double* q, std::uint32_t joints, std::uint32_t count, const SampleTimes& time,
                       bool world, double* w);

// Samples [begin, end) of every joint.
using AngularVelocityRange = void (*)(const double* q, std::uint32_t joints, std::uint32_t count,
                                      const SampleTimes& time, bool world, std::uint32_t begin, std::uint32_t end,
                                      double* w);
// Every path this build has, scalar first.
const KernelPaths<AngularVelocityRange>& angularVelocityRangePaths();

#endif
