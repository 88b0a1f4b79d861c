// rotinterp's kernel: the rotations of a motion of key quaternions (scalar
// first, w x y z; Hamilton product), 4J x N at key times, at any query
// times, on the great arc between neighbouring keys ('slerp') or on a C²
// rotation spline through them ('spline'), with the body's angular velocity
// and acceleration if asked. Plain buffers, no host calls, no allocation
// (the spline's per-key scratch comes from the caller). Results are defined
// bit for bit (timeseries/rotinterp/*_lanes.h hold the formulas; never a
// fused multiply-add), the same on every vector path and for any thread
// count.
#ifndef ROTKIT_ROTINTERP_INTERPOLATE_TIMES_H
#define ROTKIT_ROTINTERP_INTERPOLATE_TIMES_H

#include <cstddef>
#include <cstdint>

#include "simd/kernel_paths.h"
#include "timeseries/sample_times.h"

// Doubles of spline scratch per key and joint.
constexpr std::size_t kSplineRecord = 24;

// The keys, the queries and where the results go. rates and accelerations
// may be null (not asked); splineRecords is null for 'slerp', else it has
// room for kSplineRecord·joints·keyCount doubles.
struct InterpolationCall {
  const double* keys;  // 4·joints·keyCount
  std::uint32_t joints;
  std::uint32_t keyCount;
  SampleTimes keyTimes;
  const double* queries;  // queryCount times
  std::uint32_t queryCount;
  double* rotations;      // 4·joints·queryCount
  double* rates;          // 3·joints·queryCount, or null
  double* accelerations;  // 3·joints·queryCount, or null
  double* splineRecords;  // see above, or null for 'slerp'
};

// Fills the results of `call`; a query outside [t(1), t(end)], or NaN,
// gives NaN columns. Runs the widest vector path this processor has, large
// calls split over worker threads.
void interpolateTimes(const InterpolationCall& call);

// The query columns [begin, end), once the spline (if any) is made.
using EvaluateQueries = void (*)(const InterpolationCall& call, std::uint32_t begin, std::uint32_t end);
// The spline's steps [begin, end) of joint `joint`: their rotation vectors
// and Jacobian coefficients.
using PrepareSteps = void (*)(const InterpolationCall& call, std::uint32_t joint, std::uint32_t begin,
                              std::uint32_t end);
// The spline's right-hand sides of rows [begin, end) of joint `joint`.
using SplineRightSides = void (*)(const InterpolationCall& call, std::uint32_t joint, std::uint32_t begin,
                                  std::uint32_t end);
const KernelPaths<EvaluateQueries>& evaluateQueriesPaths();
const KernelPaths<SplineRightSides>& splineRightSidesPaths();
const KernelPaths<PrepareSteps>& prepareStepsPaths();

// The spline's rates at the keys of joint `joint` (its steps prepared), and
// the coefficients of its cubic on each step: the same on every path.
void solveSplineRates(const InterpolationCall& call, std::uint32_t joint);

#endif
