// The vector paths of fitRigidMotions against the scalar path, bit for bit,
// on every output: 0 to 9 points, frame counts around the vector widths, a
// reference cluster of one column or one per frame, weights (zeros among
// them), with and without translation, special values among the
// coordinates (lost points, huge and tiny ones that are scaled), buffers
// off their alignment; and the threaded call for 1, 2 and 3 threads.
#include "measures/rotfit/fit_rigid_motion.h"

#include "support/bits.h"
#include "support/paths.h"
#include "support/special_values.h"
#include "support/threads.h"

#include <random>

namespace {

struct Call {
  std::uint32_t points, frames, aCols;
  std::vector<double> a, b, w;
  bool translation;
};

struct Outputs {
  std::vector<double> q, t, rms;
};

Outputs run(FitRigidMotions f, const Call& c, std::size_t shift, bool all = true) {
  const std::vector<double> a = shifted(c.a, shift), b = shifted(c.b, shift);
  std::vector<double> q(shift + 4 * std::size_t{c.frames}), t(shift + 3 * std::size_t{c.frames}),
      rms(shift + c.frames);
  f(a.data() + shift, c.aCols, b.data() + shift, c.points, c.frames, c.w.empty() ? nullptr : c.w.data(),
    c.translation, q.data() + shift, all ? t.data() + shift : nullptr, all ? rms.data() + shift : nullptr);
  auto tail = [shift](const std::vector<double>& v) {
    return std::vector<double>(v.begin() + static_cast<std::ptrdiff_t>(shift), v.end());
  };
  return Outputs{tail(q), tail(t), tail(rms)};
}

Call randomCall(std::uint32_t points, std::uint32_t frames, bool shared, bool weighted, double specialShare,
                std::mt19937_64& random) {
  Call c{points, frames, shared ? 1u : frames, {}, {}, {}, random() % 2 == 0};
  c.a = mixedValues(3 * std::size_t{points} * c.aCols, specialShare, random);
  c.b = mixedValues(3 * std::size_t{points} * frames, specialShare, random);
  if (weighted) {
    std::uniform_real_distribution<double> weight(0, 3);
    for (std::uint32_t m = 0; m < points; ++m) c.w.push_back(m % 4 == 3 ? 0.0 : weight(random));
  }
  return c;
}

::testing::AssertionResult SameOutputs(const Outputs& x, const Outputs& y) {
  if (!SameBits(x.q, y.q)) return ::testing::AssertionFailure() << "Q differs: " << SameBits(x.q, y.q).message();
  if (!SameBits(x.t, y.t)) return ::testing::AssertionFailure() << "T differs: " << SameBits(x.t, y.t).message();
  if (!SameBits(x.rms, y.rms)) return ::testing::AssertionFailure() << "rms differs";
  return ::testing::AssertionSuccess();
}

TEST(FitRigidMotionsVectorPaths, MatchScalarForEveryShape) {
  std::mt19937_64 random(111);
  const FitRigidMotions scalar = scalarPath(fitRigidMotionsPaths());
  for (const auto& path : runnablePaths(fitRigidMotionsPaths(), fitRigidMotions)) {
    for (std::uint32_t points = 0; points <= 9; ++points) {
      for (std::uint32_t frames : {0u, 1u, 3u, 4u, 7u, 8u, 9u, 17u}) {
        for (int variant = 0; variant < 4; ++variant) {
          const Call c = randomCall(points, frames, variant % 2 == 1, variant >= 2, 0.05, random);
          EXPECT_TRUE(SameOutputs(run(path.function, c, frames % 3), run(scalar, c, 0)))
              << path.name << ", " << points << " points, " << frames << " frames, variant " << variant;
        }
      }
    }
    // Many frames, one in five with a special coordinate; Q alone.
    const Call c = randomCall(6, 1001, false, true, 0.01, random);
    const Outputs full = run(scalar, c, 0), alone = run(path.function, c, 1, false);
    EXPECT_TRUE(SameBits(alone.q, full.q)) << path.name;
  }
}

TEST(FitRigidMotionsThreads, SameBitsForAnyThreadCount) {
  std::mt19937_64 random(112);
  const Call c = randomCall(5, 20011, false, true, 0.001, random);
  const Outputs one = run(scalarPath(fitRigidMotionsPaths()), c, 0);
  for (const char* threads : {"1", "2", "3"}) {
    const ThreadCount count(threads);
    EXPECT_TRUE(SameOutputs(run(fitRigidMotions, c, 0), one)) << threads << " threads";
  }
}

}  // namespace
