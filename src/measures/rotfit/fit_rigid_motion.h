// rotfit's kernel: per frame, the rotation (and translation) that best
// carries a set of M points onto another in the weighted least-squares
// sense, by Horn's quaternion method, with the rotation's quaternion the
// eigenvector of Horn's symmetric 4 x 4 matrix found by Jacobi rotations
// (measures/dominant_eigenvector_lanes.h). Quaternions scalar first
// (w, x, y, z), unit, w >= 0; a quaternion turns a vector as rotapply does.
// Plain buffers, no host calls, no allocation: each frame's solve uses
// fixed-size scratch on the stack. Results are defined bit for bit
// (measures/rotfit/fit_rigid_motion_lanes.h holds the formulas; never a
// fused multiply-add), the same on every vector path and thread count.
#ifndef ROTKIT_ROTFIT_FIT_RIGID_MOTION_H
#define ROTKIT_ROTFIT_FIT_RIGID_MOTION_H

#include <cstdint>

#include "simd/kernel_paths.h"

// The points of frame k: point m of A at a[3M·k + 3m .. +2] (with aCols 1,
// at a[3m .. 3m+2] in every frame) and of B at b[3M·k + 3m .. +2]; point m
// weighs weights[m] (every point 1 when weights is null). For frames
// k < frameCount:
//   q[4k .. 4k+3]  the unit quaternion (w >= 0) of the rotation R,
//   t[3k .. 3k+2]  the translation T (zero without `translation`),
//   rms[k]         sqrt(Σ w·|R·a_m + T − b_m|² / Σ w),
// R and T minimising Σ w·|R·a_m + T − b_m|² over the points usable in the
// frame: those whose six coordinates are finite and whose weight is above
// zero. Without `translation` T is zero and R alone is fitted (directions).
// A frame with fewer than 3 usable points (2 without `translation`), or
// whose best rotation is not unique to within rounding (the points on one
// line, say: the two largest eigenvalues of Horn's matrix lie within 2^-44
// of Σ w·(|a|·|b − b̄| + |a − ā|·|b|), sums of magnitudes), gets NaN in q, t
// and rms. t and rms may be null: they are then not computed.
// Runs the widest vector path this processor has, large calls split over
// worker threads (parallel/worker_pool.h) by frames: the same bits for any
// split.
// Preconditions: aCols is 1 or frameCount; weights, when given, hold
// pointCount finite values >= 0; the outputs overlap no input.
void fitRigidMotions(const double* a, std::uint32_t aCols, const double* b, std::uint32_t pointCount,
                     std::uint32_t frameCount, const double* weights, bool translation, double* q, double* t,
                     double* rms);

using FitRigidMotions = void (*)(const double* a, std::uint32_t aCols, const double* b, std::uint32_t pointCount,
                                 std::uint32_t frameCount, const double* weights, bool translation, double* q,
                                 double* t, double* rms);
// Every path of fitRigidMotions this build has, scalar first; each runs on
// the calling thread alone.
const KernelPaths<FitRigidMotions>& fitRigidMotionsPaths();

#endif
