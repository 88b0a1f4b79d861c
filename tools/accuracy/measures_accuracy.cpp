// The accuracy of rotdist, rotmean, poselocal and rotfit, and of
// scipy.spatial.transform.Rotation on the same inputs (docs/accuracy.md):
//   measures_accuracy inputs DIR   writes the inputs and DIR/tasks.txt
//   (tools/accuracy/scipy_measures.py DIR computes scipy's results)
//   measures_accuracy report DIR   computes rotkit's results, reads scipy's,
//                                  and prints the tables
// tools/accuracy/run_accuracy.sh runs the three steps (make accuracy).
//
// References in __float128 from the definitions (tests/support/
// exact_rotations.h, exact_measures.h): the angle of conj(q1)·q2; the
// dominant eigenvector of Σ w·q·qᵀ/|q|²; the local rotation P⁻¹·G as a unit
// quaternion; the least-squares fit by Horn's matrix carried to 113 bits.
// Errors: angles in ulps of the exact angle; quaternions by their largest
// component error (sign matched, units of 2^-52); translations by their
// error over the frame's largest coordinate magnitude (units of 2^-52).
#include "measures/rotdist/rotation_distance.h"
#include "measures/rotfit/fit_rigid_motion.h"
#include "measures/rotmean/mean_rotation.h"
#include "skeletons/poselocal/local_rotations.h"
#include "support/exact_measures.h"
#include "support/rotation_samples.h"
#include "raw_files.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <random>
#include <string>
#include <vector>

namespace {

// One function on one set of inputs; `files` are written in this order
// (name.0, name.1, ...) and scipy's results come back in name.scipy.
struct Task {
  std::string function;  // rotdist, rotmean, poselocal, rotfit, rotfitdirections
  std::string set;
  std::string name;
  std::size_t count = 0;   // pairs, means, joints or frames
  std::size_t group = 0;   // rotmean: quaternions per mean; rotfit: points per frame
  std::vector<std::vector<double>> files;
  bool byCondition = false;  // rotfit: errors divided by the condition of the fit
  bool absolute = false;     // rotdist: errors in units of 2^-52 radians, not in ulps
};

// Pairs q1, q1·t, t a turn about a random axis by an angle from `angle`,
// the product exact and rounded.
std::vector<double> turnedPairs(const std::vector<double>& start, std::mt19937_64& random,
                                const std::function<Quad(std::mt19937_64&)>& angle) {
  std::normal_distribution<double> normal;
  std::vector<double> out;
  for (std::size_t k = 0; k < start.size() / 4; ++k) {
    double axis[3] = {normal(random), normal(random), normal(random)};
    const Quad length = lengthQ(axis[0], axis[1], axis[2]);
    const Quad half = angle(random) / 2;
    const QuadQuaternion t{cosQ(half), sinQ(half) * axis[0] / length, sinQ(half) * axis[1] / length,
                           sinQ(half) * axis[2] / length};
    const std::array<double, 4> r = roundedQuaternion(multiply(quadQuaternion(&start[4 * k]), t));
    out.insert(out.end(), r.begin(), r.end());
  }
  return out;
}

Quad logUniform(std::mt19937_64& random, double low, double high) {
  return quadOf(std::exp2(std::uniform_real_distribution<double>(low, high)(random)));
}

// `count` means of `group` rotations each, spread by up to `spread` radians
// about a random rotation; weights uniform in (0, 1].
Task meanTask(const std::string& set, const std::string& name, std::size_t count, std::size_t group, double spread,
              std::mt19937_64& random) {
  Task task{"rotmean", set, name, count, group, {{}, {}}};
  std::uniform_real_distribution<double> weight(0, 1);
  for (std::size_t g = 0; g < count; ++g) {
    const std::vector<double> centre = samples::randomUnit(1, random);
    std::vector<double> starts;
    for (std::size_t k = 0; k < group; ++k) starts.insert(starts.end(), centre.begin(), centre.end());
    const std::vector<double> q = turnedPairs(starts, random, [&](std::mt19937_64& r) {
      return quadOf(std::uniform_real_distribution<double>(0, spread)(r));
    });
    task.files[0].insert(task.files[0].end(), q.begin(), q.end());
    for (std::size_t k = 0; k < group; ++k) task.files[1].push_back(1 - weight(random));
  }
  return task;
}

// Frames of `points` points: a cluster about `centre` with the given sizes
// (drawn afresh per frame; with `wellPosed` redrawn until the fit's
// condition is at most 10), moved by the rotations `q` and a translation,
// the points computed exactly and rounded, plus noise.
Task fitTask(const std::string& function, const std::string& set, const std::string& name,
             const std::vector<double>& q, std::size_t points, const std::array<double, 3>& centre,
             const std::array<double, 3>& sizes, double noise, bool wellPosed, bool weighted, std::mt19937_64& random) {
  Task task{function, set, name, q.size() / 4, points, {{}, {}, {}}};
  std::normal_distribution<double> normal;
  std::uniform_real_distribution<double> weight(0.2, 2);
  for (std::size_t m = 0; m < points; ++m) task.files[2].push_back(weighted ? weight(random) : 1.0);
  const bool translation = function == "rotfit";
  for (std::size_t k = 0; k < task.count; ++k) {
    std::vector<double> a, b;
    for (int attempt = 0;; ++attempt) {
      a.clear();
      b.clear();
      const QuadQuaternion r = quadQuaternion(&q[4 * k]);
      const Quad t[3] = {100 * normal(random), 100 * normal(random), 100 * normal(random)};
      for (std::size_t m = 0; m < points; ++m) {
        double p[3];
        for (int i = 0; i < 3; ++i) p[i] = centre[i] + sizes[i] * normal(random);
        a.insert(a.end(), p, p + 3);
        const QuadQuaternion v = multiply(multiply(r, {0, quadOf(p[0]), quadOf(p[1]), quadOf(p[2])}),
                                          {r.w, -r.x, -r.y, -r.z});
        const Quad turned[3] = {v.x, v.y, v.z};
        for (int i = 0; i < 3; ++i) {
          b.push_back(static_cast<double>(turned[i] + (translation ? t[i] : 0)) + noise * normal(random));
        }
      }
      if (!wellPosed || attempt > 100) break;
      const exact_measures::Fit e = exact_measures::exactFit(a.data(), b.data(), points, task.files[2], translation);
      if (e.gap >= 0.1) break;
    }
    task.files[0].insert(task.files[0].end(), a.begin(), a.end());
    task.files[1].insert(task.files[1].end(), b.begin(), b.end());
  }
  return task;
}

std::vector<Task> makeTasks() {
  std::mt19937_64 random(20240612);
  const std::size_t n = 200000;
  std::vector<Task> tasks;
  const std::vector<double> start = samples::randomUnit(n, random);
  tasks.push_back({"rotdist", "random pairs", "rotdist_random", n, 0, {start, samples::randomUnit(n, random)}});
  tasks.push_back({"rotdist", "pairs 2^-50 .. 1 rad apart", "rotdist_close", n, 0,
                   {start, turnedPairs(start, random, [](std::mt19937_64& r) { return logUniform(r, -50, 0); })}});
  tasks.push_back({"rotdist", "pairs pi - 2^-45 .. pi - 1 apart", "rotdist_half", n, 0,
                   {start, turnedPairs(start, random, [](std::mt19937_64& r) {
                      return atan2Q(0, -1) - logUniform(r, -45, 0);
                    })}});
  {
    std::vector<double> longer = turnedPairs(start, random, [](std::mt19937_64& r) { return logUniform(r, -30, 1); });
    std::uniform_real_distribution<double> scale(0.1, 10);
    for (std::size_t k = 0; k < n; ++k) {
      const double s = scale(random);
      for (int i = 0; i < 4; ++i) longer[4 * k + i] *= s;
    }
    Task lengths{"rotdist", "pairs 2^-30 .. 2 rad apart, one side of length 0.1 .. 10", "rotdist_lengths", n, 0,
                 {start, longer}};
    lengths.absolute = true;
    tasks.push_back(lengths);
  }

  tasks.push_back(meanTask("1000 rotations within 0.01 rad, weighted", "rotmean_tight", 300, 1000, 0.01, random));
  tasks.push_back(meanTask("1000 rotations within 1 rad, weighted", "rotmean_medium", 300, 1000, 1.0, random));
  tasks.push_back(meanTask("1000 rotations within 2.5 rad, weighted", "rotmean_wide", 300, 1000, 2.5, random));
  tasks.push_back(meanTask("100000 rotations within 1 rad, weighted", "rotmean_many", 10, 100000, 1.0, random));

  tasks.push_back({"poselocal", "random unit rotations", "poselocal_random", n, 0,
                   {samples::randomUnit(n, random), samples::randomUnit(n, random)}});
  tasks.push_back({"poselocal", "half turns and near", "poselocal_half", n, 0,
                   {samples::randomUnit(n, random), samples::nearHalfTurns(n, random)}});
  tasks.push_back({"poselocal", "near the identity", "poselocal_identity", n, 0,
                   {samples::nearIdentity(n, random), samples::nearIdentity(n, random)}});

  const std::size_t frames = 20000;
  const std::array<double, 3> origin{0, 0, 0}, far{1500, -800, 1200};
  const std::array<double, 3> round{50, 40, 60}, flat{80, 60, 0};
  for (std::size_t points : {4u, 8u}) {
    const std::string p = std::to_string(points) + " markers";
    const std::string s = std::to_string(points);
    tasks.push_back(fitTask("rotfit", p + ", random turns", "rotfit_random" + s, samples::randomUnit(frames, random),
                            points, origin, round, 0, true, false, random));
    tasks.push_back(fitTask("rotfit", p + ", half turns and near", "rotfit_half" + s,
                            samples::nearHalfTurns(frames, random), points, origin, round, 0, true, false, random));
    tasks.push_back(fitTask("rotfit", p + ", near the identity", "rotfit_identity" + s,
                            samples::nearIdentity(frames, random), points, origin, round, 0, true, false, random));
    tasks.push_back(fitTask("rotfit", p + ", flat clusters", "rotfit_flat" + s, samples::randomUnit(frames, random),
                            points, origin, flat, 0, true, false, random));
    tasks.push_back(fitTask("rotfit", p + ", 2000 from the origin", "rotfit_far" + s,
                            samples::randomUnit(frames, random), points, far, round, 0, true, false, random));
    tasks.push_back(fitTask("rotfit", p + ", noise 1%, weighted", "rotfit_noisy" + s,
                            samples::randomUnit(frames, random), points, origin, round, 0.5, true, true, random));
  }
  tasks.push_back(fitTask("rotfitdirections", "6 directions, 'translation' false", "rotfit_directions",
                          samples::randomUnit(frames, random), 6, origin, round, 0, true, false, random));
  Task any = fitTask("rotfit", "6 markers, any random cluster (errors / condition)", "rotfit_any",
                     samples::randomUnit(frames, random), 6, origin, round, 0.5, false, false, random);
  any.byCondition = true;
  tasks.push_back(any);
  return tasks;
}

// The results' size: angles, means, local rotations, or a fit's Q and T.
std::size_t resultSize(const Task& task) {
  if (task.function == "rotdist") return task.count;
  if (task.function == "rotmean" || task.function == "poselocal") return 4 * task.count;
  return 7 * task.count;
}

// One line per task for the scipy script: function name count group.
int writeInputs(const std::string& dir) {
  std::ofstream tasks(path(dir, "tasks.txt"));
  for (const Task& task : makeTasks()) {
    for (std::size_t f = 0; f < task.files.size(); ++f) writeDoubles(path(dir, task.name + "." + std::to_string(f)), task.files[f]);
    tasks << task.function << ' ' << task.name << ' ' << task.count << ' ' << task.group << '\n';
  }
  return tasks ? 0 : 1;
}

// rotkit's results through the kernels the MEX files call; a fit's Q (4N)
// then its T (3N).
std::vector<double> rotkitResult(const Task& task) {
  const auto n = static_cast<std::uint32_t>(task.count);
  std::vector<double> out(resultSize(task));
  if (task.function == "rotdist") {
    rotationDistances(task.files[0].data(), n, task.files[1].data(), n, out.data(), n);
  } else if (task.function == "rotmean") {
    const auto k = static_cast<std::uint32_t>(task.group);
    std::vector<double> scratch(meanRotationsScratch(1, k));
    for (std::size_t g = 0; g < task.count; ++g) {
      meanRotations(&task.files[0][4 * task.group * g], 1, k, &task.files[1][task.group * g], &out[4 * g],
                    scratch.data());
    }
  } else if (task.function == "poselocal") {
    const double parents[2] = {0, 1};
    std::vector<double> g(8 * task.count), l(8 * task.count);
    for (std::size_t k = 0; k < task.count; ++k) {
      std::copy_n(&task.files[0][4 * k], 4, &g[8 * k]);
      std::copy_n(&task.files[1][4 * k], 4, &g[8 * k + 4]);
    }
    localRotations(2, parents, g.data(), l.data(), n);
    for (std::size_t k = 0; k < task.count; ++k) std::copy_n(&l[8 * k + 4], 4, &out[4 * k]);
  } else {
    fitRigidMotions(task.files[0].data(), n, task.files[1].data(), static_cast<std::uint32_t>(task.group), n,
                    task.files[2].data(), task.function == "rotfit", out.data(), out.data() + 4 * task.count, nullptr);
  }
  return out;
}

struct Errors {
  double first = 0, second = 0;  // rotfit: Q, T; poselocal: against the unit rotation and against P^-1 G
};

void keepWorst(double& worst, double e) {
  if (!(e <= worst)) worst = e;  // NaN is the worst there is
}

// The worst errors of rotkit's results (first) and scipy's (second), each
// exact reference computed once for both.
std::pair<Errors, Errors> worstErrors(const Task& task, const std::vector<double>& ours,
                                      const std::vector<double>& theirs) {
  Errors worst[2];
  const std::vector<double>* results[2] = {&ours, &theirs};
  for (std::size_t k = 0; k < task.count; ++k) {
    if (task.function == "rotdist") {
      const Quad exact = rotationAngleBetween(quadQuaternion(&task.files[0][4 * k]), quadQuaternion(&task.files[1][4 * k]));
      const double rounded = static_cast<double>(exact);
      const double ulp = task.absolute ? 0x1p-52 : std::nextafter(rounded, 4.0) - rounded;
      for (int r = 0; r < 2; ++r) {
        keepWorst(worst[r].first, static_cast<double>(absQ(quadOf((*results[r])[k]) - exact) / quadOf(ulp)));
      }
    } else if (task.function == "rotmean") {
      const std::vector<double> w(&task.files[1][task.group * k], &task.files[1][task.group * (k + 1)]);
      const exact_measures::Mean e = exact_measures::exactMean(&task.files[0][4 * task.group * k], 4, task.group, w);
      for (int r = 0; r < 2; ++r) keepWorst(worst[r].first, componentError(&(*results[r])[4 * k], e.rotation));
    } else if (task.function == "poselocal") {
      const QuadQuaternion p = quadQuaternion(&task.files[0][4 * k]);
      const QuadQuaternion local = multiply({p.w, -p.x, -p.y, -p.z}, quadQuaternion(&task.files[1][4 * k]));
      // poselocal's own definition: P^-1·G as it is, nothing normalised.
      const Quad n2 = p.w * p.w + p.x * p.x + p.y * p.y + p.z * p.z;
      const Quad own[4] = {local.w / n2, local.x / n2, local.y / n2, local.z / n2};
      for (int r = 0; r < 2; ++r) {
        const double* q = &(*results[r])[4 * k];
        keepWorst(worst[r].first, componentError(q, local));
        double e = 0;
        for (int i = 0; i < 4; ++i) e = std::max(e, static_cast<double>(absQ(quadOf(q[i]) - own[i]) * 0x1p52));
        keepWorst(worst[r].second, e);
      }
    } else {
      const std::size_t m = task.group;
      const double* a = &task.files[0][3 * m * k];
      const double* b = &task.files[1][3 * m * k];
      const exact_measures::Fit e = exact_measures::exactFit(a, b, m, task.files[2], task.function == "rotfit");
      const double condition = task.byCondition ? std::max(1.0, static_cast<double>(1 / e.gap)) : 1.0;
      double largest = 0;
      for (std::size_t i = 0; i < 3 * m; ++i) largest = std::max({largest, std::fabs(a[i]), std::fabs(b[i])});
      for (int r = 0; r < 2; ++r) {
        keepWorst(worst[r].first, componentError(&(*results[r])[4 * k], e.rotation) / condition);
        const double* t = &(*results[r])[4 * task.count + 3 * k];
        const Quad dt =
            lengthQ(quadOf(t[0]) - e.translation[0], quadOf(t[1]) - e.translation[1], quadOf(t[2]) - e.translation[2]);
        keepWorst(worst[r].second, static_cast<double>(dt / quadOf(largest) * 0x1p52) / condition);
      }
    }
  }
  return {worst[0], worst[1]};
}

std::string cell(double error) {
  if (std::isnan(error) || std::isinf(error)) return "fails (NaN)";
  char text[32];
  std::snprintf(text, sizeof text, error >= 1e4 ? "%.3g" : "%.2f", error);
  return text;
}

int report(const std::string& dir) {
  std::string fits, own;
  std::printf("| function | inputs | N | rotkit | scipy |\n|---|---|---:|---:|---:|\n");
  for (const Task& task : makeTasks()) {
    const auto [ours, theirs] =
        worstErrors(task, rotkitResult(task),
                    readDoubles(path(dir, task.name + ".scipy"), resultSize(task), "scipy_measures.py"));
    const std::string unit = task.function != "rotdist" ? "" : task.absolute ? " (2^-52 rad)" : " (ulps)";
    if (task.function == "poselocal") own += "| poselocal | " + task.set + " | " + std::to_string(task.count) + " | " + cell(ours.second) + " |\n";
    if (task.function == "rotdist" || task.function == "rotmean" || task.function == "poselocal") {
      std::printf("| %s%s | %s | %zu | %s | %s |\n", task.function.c_str(), unit.c_str(), task.set.c_str(), task.count,
                  cell(ours.first).c_str(), cell(theirs.first).c_str());
    } else {
      fits += "| " + task.set + " | " + std::to_string(task.count) + " | " + cell(ours.first) + " | " +
              cell(theirs.first) + " | " + cell(ours.second) + " | " + cell(theirs.second) + " |\n";
    }
  }
  std::printf("\nposelocal against its own definition, P^-1 G of the rounded inputs as it is, nothing "
              "normalised (scipy normalises every rotation):\n\n| function | inputs | N | rotkit |\n|---|---|---:|---:|\n%s",
              own.c_str());
  std::printf("\nrotfit against the exact least-squares fit: Q's largest component error, T's error over the "
              "largest coordinate magnitude (units of 2^-52); clusters redrawn until the fit's condition "
              "lambda1/(lambda1 - lambda2) is at most 10, except in the last row:\n\n");
  std::printf("| inputs | frames | rotkit Q | scipy Q | rotkit T | scipy T |\n|---|---:|---:|---:|---:|---:|\n%s",
              fits.c_str());
  return 0;
}

} // namespace

int main(int argc, char** argv) { return runAccuracySteps(argc, argv, writeInputs, report); }
