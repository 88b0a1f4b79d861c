// The accuracy of rot2mat, mat2rot, rotnormalize and rotapply, and of
// scipy.spatial.transform.Rotation on the same inputs (docs/accuracy.md):
//   matrix_accuracy inputs DIR   writes the inputs and DIR/tasks.txt
//   (tools/accuracy/scipy_matrix.py DIR computes scipy's results)
//   matrix_accuracy report DIR   computes rotkit's results, reads scipy's,
//                                and prints one table row per conversion
// tools/accuracy/run_accuracy.sh runs the three steps (make accuracy).
//
// Every error is measured against a long double reference computed from
// the definition (tests/support/exact_rotation.h), never from a kernel's
// formula, in units of 2^-52: quaternions by their largest component error
// (sign matched), matrices by their largest element error, turned vectors
// by |v − v*| / |v*|.
#include "conversions/mat2rot/matrix_to_quaternion.h"
#include "conversions/rot2mat/quaternion_to_matrix.h"
#include "conversions/rotapply/apply_rotation.h"
#include "conversions/rotnormalize/normalize_columns.h"
#include "support/exact_rotation.h"
#include "support/rotation_samples.h"
#include "raw_files.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace {

using exact::Real;

// One conversion on one set of inputs: what scipy is asked to do, the
// files it reads and writes, and how a result is scored.
struct Task {
  std::string conversion;  // rot2mat, rotapply, rotnormalize, mat2rot, roundtrip
  std::string set;         // what the inputs are, as the table says it
  std::string name;        // file stem
  std::vector<double> input;
  std::vector<double> vectors;  // rotapply's second input
};

std::size_t columnsOf(const Task& task) {
  return task.conversion == "mat2rot" ? task.input.size() / 9 : task.input.size() / 4;
}

std::vector<double> normalVectors(std::size_t n, std::mt19937_64& random) {
  std::normal_distribution<double> normal;
  std::vector<double> v(3 * n);
  for (double& x : v) x = normal(random);
  return v;
}

// Components uniform in [-1, 1] times 2^e, e uniform in the range given
// (one e per quaternion).
std::vector<double> scaledQuaternions(std::size_t n, int low, int high, std::mt19937_64& random) {
  std::uniform_real_distribution<double> component(-1, 1);
  std::uniform_int_distribution<int> exponent(low, high);
  std::vector<double> q;
  for (std::size_t k = 0; k < n; ++k) {
    const int e = exponent(random);
    for (int i = 0; i < 4; ++i) q.push_back(std::ldexp(component(random), e));
  }
  return q;
}

// Matrices that drifted from orthogonality the way they do in practice:
// the product of 20 random rotation matrices, multiplied out in double.
std::vector<double> driftedMatrices(std::size_t n, std::mt19937_64& random) {
  std::vector<double> out;
  for (std::size_t k = 0; k < n; ++k) {
    const std::vector<double> factors = samples::roundedMatrices(samples::randomUnit(20, random));
    double m[9];
    for (int i = 0; i < 9; ++i) m[i] = factors[i];
    for (int f = 1; f < 20; ++f) {
      const double* a = &factors[9 * f];
      double p[9];
      for (int c = 0; c < 3; ++c) {
        for (int r = 0; r < 3; ++r) p[r + 3 * c] = (a[r] * m[3 * c] + a[r + 3] * m[1 + 3 * c]) + a[r + 6] * m[2 + 3 * c];
      }
      for (int i = 0; i < 9; ++i) m[i] = p[i];
    }
    out.insert(out.end(), m, m + 9);
  }
  return out;
}

std::vector<Task> makeTasks() {
  std::mt19937_64 random(20240611);
  const std::size_t n = 200000;
  const std::vector<double> randomUnit = samples::randomUnit(n, random);
  const std::vector<double> halfTurns = samples::nearHalfTurns(n, random);
  const std::vector<double> identity = samples::nearIdentity(n, random);
  const std::vector<double> axes = samples::axisAligned();
  std::vector<Task> tasks = {
      {"rot2mat", "random unit quaternions", "rot2mat_random", randomUnit, {}},
      {"rot2mat", "half turns and near (angle pi - 2^-45 .. pi)", "rot2mat_half", halfTurns, {}},
      {"rot2mat", "near the identity (angle 2^-45 .. 0.5)", "rot2mat_identity", identity, {}},
      {"rot2mat", "the 24 axis-aligned rotations, both signs", "rot2mat_axes", axes, {}},
      {"mat2rot", "rotation matrices of random unit quaternions", "mat2rot_random", samples::roundedMatrices(randomUnit), {}},
      {"mat2rot", "half turns and near", "mat2rot_half", samples::roundedMatrices(halfTurns), {}},
      {"mat2rot", "near the identity", "mat2rot_identity", samples::roundedMatrices(identity), {}},
      {"mat2rot", "the 24 axis-aligned rotations", "mat2rot_axes", samples::roundedMatrices(axes), {}},
      {"mat2rot", "products of 20 rotations in double (drifted)", "mat2rot_drifted", driftedMatrices(20000, random), {}},
      {"roundtrip", "mat2rot(rot2mat(q)), random unit q", "roundtrip_random", randomUnit, {}},
      {"roundtrip", "mat2rot(rot2mat(q)), half turns and near", "roundtrip_half", halfTurns, {}},
      {"rotnormalize", "random, lengths 2^-20 .. 2^20", "rotnormalize_random", scaledQuaternions(n, -20, 20, random), {}},
      {"rotnormalize", "huge and tiny, lengths 2^500 .. 2^1000 and 2^-1000 .. 2^-500", "rotnormalize_extreme",
       [&] {
         std::vector<double> q = scaledQuaternions(n / 2, 500, 1000, random);
         const std::vector<double> tiny = scaledQuaternions(n / 2, -1000, -500, random);
         q.insert(q.end(), tiny.begin(), tiny.end());
         return q;
       }(),
       {}},
      {"rotapply", "random unit quaternions, random vectors", "rotapply_random", randomUnit, normalVectors(n, random)},
      {"rotapply", "half turns and near, random vectors", "rotapply_half", halfTurns, normalVectors(n, random)},
  };
  return tasks;
}

// The inputs, and one line per task for the scipy script:
//   conversion name columns
// reading name.in (and name.vectors for rotapply), writing name.scipy.
int writeInputs(const std::string& dir) {
  std::ofstream tasks(path(dir, "tasks.txt"));
  for (const Task& task : makeTasks()) {
    writeDoubles(path(dir, task.name + ".in"), task.input);
    if (!task.vectors.empty()) writeDoubles(path(dir, task.name + ".vectors"), task.vectors);
    tasks << task.conversion << ' ' << task.name << ' ' << columnsOf(task) << '\n';
  }
  return tasks ? 0 : 1;
}

// rotkit's result for a task, through the kernels the MEX files call.
std::vector<double> rotkitResult(const Task& task) {
  const std::size_t n = columnsOf(task);
  const auto count = static_cast<std::uint32_t>(n);
  if (task.conversion == "rot2mat") {
    std::vector<double> r(9 * n);
    quaternionsToMatrices(task.input.data(), r.data(), count);
    return r;
  }
  if (task.conversion == "mat2rot") {
    std::vector<double> q(4 * n);
    matricesToQuaternions(task.input.data(), q.data(), count);
    return q;
  }
  if (task.conversion == "roundtrip") {
    std::vector<double> r(9 * n), q(4 * n);
    quaternionsToMatrices(task.input.data(), r.data(), count);
    matricesToQuaternions(r.data(), q.data(), count);
    return q;
  }
  if (task.conversion == "rotnormalize") {
    std::vector<double> q(4 * n);
    normalizeColumns(task.input.data(), q.data(), count);
    return q;
  }
  std::vector<double> v(3 * n);
  applyRotations(task.input.data(), count, task.vectors.data(), count, v.data(), count);
  return v;
}

std::size_t resultRows(const Task& task) {
  if (task.conversion == "rot2mat") return 9;
  if (task.conversion == "rotapply") return 3;
  return 4;
}

// The error of result column k against the exact value: for a matrix
// input the quaternion of the nearest rotation; for a quaternion input the
// rotation by q / |q|, or with `ownScale` the matrix of q as given, |q|²
// times that rotation (rot2mat's definition: nothing normalised).
double columnError(const Task& task, const double* result, std::size_t k, bool ownScale) {
  if (task.conversion == "mat2rot") return exact::quaternionError(result, exact::nearestRotation(&task.input[9 * k]));
  const exact::Quaternion given = exact::fromDoubles(&task.input[4 * k]);
  const exact::Quaternion q = ownScale ? given : exact::unit(given);
  if (task.conversion == "rot2mat") return exact::matrixError(result, exact::matrix(q));
  if (task.conversion == "rotapply") {
    const double* v = &task.vectors[3 * k];
    return exact::vectorError(result, exact::turn(q, {v[0], v[1], v[2]}));
  }
  return exact::quaternionError(result, exact::unit(given));  // rotnormalize, roundtrip
}

double worstError(const Task& task, const std::vector<double>& result, bool ownScale) {
  const std::size_t rows = resultRows(task);
  double worst = 0;
  for (std::size_t k = 0; k < columnsOf(task); ++k) {
    const double e = columnError(task, &result[rows * k], k, ownScale);
    // A NaN or infinite result (scipy's overflow) is the worst error there is.
    if (!(e <= worst)) worst = e;
  }
  return worst;
}

std::string cell(double error) {
  char text[32];
  if (std::isnan(error) || std::isinf(error) || error > 1e6) return "fails (0, Inf or NaN: squares overflow or underflow)";
  std::snprintf(text, sizeof text, "%.2f", error);
  return text;
}

int report(const std::string& dir) {
  if (!exact::longDoubleIsWider()) {
    std::fprintf(stderr, "long double runs at double width here: no exact reference\n");
    return 1;
  }
  // Both against the rotation the input denotes: q / |q| for a quaternion
  // (the inputs are unit to rounding), the nearest rotation for a matrix.
  std::printf("| conversion | inputs | N | rotkit | scipy |\n|---|---|---:|---:|---:|\n");
  std::string ownDefinition;
  for (const Task& task : makeTasks()) {
    const std::size_t n = columnsOf(task);
    const std::vector<double> ours = rotkitResult(task);
    const std::vector<double> scipy =
        readDoubles(path(dir, task.name + ".scipy"), resultRows(task) * n, "scipy_matrix.py");
    std::printf("| %s | %s | %zu | %s | %s |\n", task.conversion.c_str(), task.set.c_str(), n,
                cell(worstError(task, ours, false)).c_str(), cell(worstError(task, scipy, false)).c_str());
    if (task.conversion == "rot2mat") {
      ownDefinition += "| rot2mat | " + task.set + " | " + std::to_string(n) + " | " +
                       cell(worstError(task, ours, true)) + " |\n";
    }
  }
  // rot2mat is defined not to normalise: |q|² times the rotation.
  std::printf("\nrot2mat against its own definition, |q|^2 times the rotation by q/|q|:\n\n");
  std::printf("| conversion | inputs | N | rotkit |\n|---|---|---:|---:|\n%s", ownDefinition.c_str());
  return 0;
}

} // namespace

int main(int argc, char** argv) { return runAccuracySteps(argc, argv, writeInputs, report); }
