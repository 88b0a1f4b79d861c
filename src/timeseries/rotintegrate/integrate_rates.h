// rotintegrate's kernel: the orientations (quaternions, scalar first;
// Hamilton product) that start at q0 and turn with sampled angular
// velocities, 3J x N in, 4J x N out, J joints per column. Plain buffers, no
// host calls, no allocation (the output holds the partial products on the
// way). Results are defined bit for bit
// (timeseries/rotintegrate/integrate_rates_lanes.h holds the formulas;
// never a fused multiply-add), the same on every vector path and for any
// thread count.
#ifndef ROTKIT_ROTINTEGRATE_INTEGRATE_RATES_H
#define ROTKIT_ROTINTEGRATE_INTEGRATE_RATES_H

#include <cstdint>

#include "simd/kernel_paths.h"
#include "timeseries/sample_times.h"

// Steps per block: the products are formed within blocks of this many
// steps (on any thread, in lanes), then joined block by block in order. A
// fixed count, so that every result is the same product of the same
// factors for any thread count and vector width.
constexpr std::uint32_t kIntegrationBlock = 1000;

// q (4J x count) from q0 (4J x 1) and the rates w (3J x count) at the times
// `time`, in the body's frame or, when `world`, the fixed one. Runs the
// widest vector path this processor has, large calls split over worker
// threads. Preconditions: w holds 3·joints·count doubles, q0 4·joints, q
// has room for 4·joints·count and overlaps neither; `time` is valid.
void integrateRates(const double* w, std::uint32_t joints, std::uint32_t count, const SampleTimes& time,
                    const double* q0, bool world, double* q);

// Blocks [begin, end) of joint `joint`: each step's turn, and their running
// products within the block, into q.
using BlockProducts = void (*)(const double* w, std::uint32_t joints, std::uint32_t count, const SampleTimes& time,
                               bool world, std::uint32_t joint, std::uint32_t begin, std::uint32_t end, double* q);
// Blocks [begin, end) of joint `joint`: every column but the block's first
// (its anchor, final already) turned by that anchor.
using AnchorBlocks = void (*)(std::uint32_t joints, std::uint32_t count, bool world, std::uint32_t joint,
                              std::uint32_t begin, std::uint32_t end, double* q);
const KernelPaths<BlockProducts>& blockProductsPaths();
const KernelPaths<AnchorBlocks>& anchorBlocksPaths();

#endif
