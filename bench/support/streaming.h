// Streaming baselines: loops that move the same bytes as a kernel with the
// least arithmetic, compiled with the kernels' flags in a file of their own.
#ifndef ROTKIT_BENCH_STREAMING_H
#define ROTKIT_BENCH_STREAMING_H

#include <cstddef>

// out[i] = a[i] + b[i]: reads two arrays of `count` doubles, writes one.
void streamTwoToOne(const double* a, const double* b, double* out, std::size_t count);

// out[i] = -a[i]: reads one array, writes one of the same length.
void streamOneToOne(const double* a, double* out, std::size_t count);

// out[4i .. 4i+3] = a[i]: reads `count` doubles, writes 4·count.
void streamOneToFour(const double* a, double* out, std::size_t count);

// Per column k < cols: reads inRows doubles of `in` (and secondRows of
// `second`, which may be null with secondRows 0), writes outRows of `out`,
// each their sum: the bytes of a conversion from one column shape to another.
void streamColumns(const double* in, std::size_t inRows, const double* second, std::size_t secondRows, double* out,
                   std::size_t outRows, std::size_t cols);

// The bytes of posechain over `frames` frames of `joints` joints: per frame
// reads 3 root coordinates and 4J rotation components, writes 4J and 3J
// doubles (global[i] = -local[i], positions[i] = local[i] + the root's sum).
void streamPoseFrames(const double* root, const double* local, double* global, double* positions,
                      std::size_t joints, std::size_t frames);

// out[2i] = sin((1 - t[i])·theta), out[2i+1] = sin(theta·t[i]): the two
// sines per parameter that rotblend's spherical branch needs, and nothing else.
void twoSines(const double* t, double theta, double* out, std::size_t count);

#endif
