// mat2rot(rot2mat(q)) is ±q, to within 1.05 · 2^-52 for unit q: random,
// near and at half turns, near the identity, turns about the axes. The
// matrices come from rot2mat's own formula (its lanes file, scalar path).
#include "conversions/mat2rot/matrix_to_quaternion.h"

#include "support/bits.h"
#include "support/exact_rotation.h"
#include "support/rotation_samples.h"

#define ROTKIT_LANES_KERNEL "conversions/rot2mat/quaternion_to_matrix_lanes.h"
#define ROTKIT_SCALAR_PASS_ONLY
#include "simd/each_target.h"

namespace {

TEST(RoundTrip, Mat2rotOfRot2matIsPlusOrMinusQ) {
  if (!exact::longDoubleIsWider()) GTEST_SKIP() << "long double runs at double width here; no exact reference";
  std::mt19937_64 random(45);
  for (const std::vector<double>& q : {samples::randomUnit(50000, random), samples::nearHalfTurns(50000, random),
                                       samples::nearIdentity(50000, random), samples::axisAligned()}) {
    const auto n = static_cast<std::uint32_t>(q.size() / 4);
    std::vector<double> r(9 * std::size_t{n}), back(q.size());
    rotkit::scalar::quaternionsToMatrices(q.data(), r.data(), n);
    matricesToQuaternions(r.data(), back.data(), n);
    double worst = 0;
    for (std::size_t k = 0; k < n; ++k) {
      worst = std::max(worst, exact::quaternionError(&back[4 * k], exact::unit(exact::fromDoubles(&q[4 * k]))));
    }
    EXPECT_LE(worst, 1.05);
  }
}

} // namespace
