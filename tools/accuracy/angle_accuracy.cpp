// The accuracy of the Euler-angle and rotation-vector conversions (eul2rot,
// rot2eul, vec2rot, rot2vec), measured over fixed sets of inputs against
// exact references in __float128 (tests/support/exact_rotations.h: products
// of turns about the axes, never a conversion formula), for this toolbox's
// kernels and for scipy.spatial.transform.Rotation on the same inputs
// (tools/accuracy/scipy_angles.py, run when Debian's python3-scipy is
// there). Prints the rows of docs/accuracy.md, errors in units of 2^-52:
//   quaternions: max component |q - q*| (q* exact, unit, sign-matched);
//   Euler angles: the angle (rad) between the rotation of the quaternion
//     and the exact rotation of the angles, and off the poles each angle's
//     absolute error against the exact angles (Newton's method on the
//     rotation, in 113 bits);
//   rotation vectors: |v - v*| / |v*|.
//   angle_accuracy [WORKDIR]    (default: a fresh folder under /tmp)
#include "conversions/eul2rot/euler_to_quaternion.h"
#include "conversions/rot2eul/quaternion_to_euler.h"
#include "conversions/rot2vec/quaternion_to_vector.h"
#include "conversions/vec2rot/vector_to_quaternion.h"

#include "support/exact_rotations.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

constexpr double kPi = 3.141592653589793;

const std::vector<std::string>& conventions() {
  static const std::vector<std::string> all = [] {
    std::vector<std::string> list;
    for (const char* seq : {"XYZ", "XZY", "YXZ", "YZX", "ZXY", "ZYX", "XYX", "XZX", "YXY", "YZY", "ZXZ", "ZYZ"}) {
      std::string lower(seq);
      for (char& c : lower) c = static_cast<char>(c - 'X' + 'x');
      list.push_back(seq);
      list.push_back(lower);
    }
    return list;
  }();
  return all;
}

EulerAxes axesOf(const std::string& seq) {
  EulerAxes axes;
  parseAxisSequence({seq[0], seq[1], seq[2]}, axes);
  return axes;
}

bool isProper(const std::string& seq) { return seq[0] == seq[2]; }

// The error of output column k (outRows doubles) for input column k.
using ErrorOf = std::function<double(const double* in, const double* out)>;

// One set of inputs for one conversion and sequence, its rotkit outputs,
// and the scipy operation that does the same.
struct Job {
  int row;
  std::string file;
  std::string op;
  std::string seq;
  std::size_t inRows, outRows;
  std::vector<double> input, rotkit;
  ErrorOf error;
};

struct Row {
  std::string conversion, inputs;
  double rotkit = 0, scipy = -1;
};

std::vector<Row> rows;
std::vector<Job> jobs;
std::mt19937_64 generator(2024);

int addRow(const std::string& conversion, const std::string& inputs) {
  rows.push_back({conversion, inputs});
  return static_cast<int>(rows.size()) - 1;
}

// ---- inputs ----

std::array<double, 3> randomAngles(const std::string& seq, double middleMargin) {
  std::uniform_real_distribution<double> outer(-kPi, kPi);
  const double low = isProper(seq) ? middleMargin : -kPi / 2 + middleMargin;
  const double high = isProper(seq) ? kPi - middleMargin : kPi / 2 - middleMargin;
  std::uniform_real_distribution<double> middle(low, high);
  return {outer(generator), middle(generator), outer(generator)};
}

std::vector<double> eulerQuaternions(const std::string& seq, std::size_t n, double middleMargin) {
  std::vector<double> q;
  for (std::size_t k = 0; k < n; ++k) {
    const std::array<double, 3> a = randomAngles(seq, middleMargin);
    const std::array<double, 4> r = roundedQuaternion(exactEuler(a.data(), seq));
    q.insert(q.end(), r.begin(), r.end());
  }
  return q;
}

// Quaternions whose middle angle is `middle` (in 113 bits): at a pole or
// near one.
std::vector<double> middleQuaternions(const std::string& seq, std::size_t n, Quad middle) {
  std::uniform_real_distribution<double> outer(-kPi, kPi);
  std::vector<double> q;
  for (std::size_t k = 0; k < n; ++k) {
    const std::array<double, 4> r = roundedQuaternion(exactEuler({quadOf(outer(generator)), middle, quadOf(outer(generator))}, seq));
    q.insert(q.end(), r.begin(), r.end());
  }
  return q;
}

std::vector<Quad> polesOf(const std::string& seq) {
  const Quad halfPi = 2 * atan2Q(1, 1);
  return isProper(seq) ? std::vector<Quad>{0, 2 * halfPi} : std::vector<Quad>{-halfPi, halfPi};
}

// Rotation vectors: random axes, angles log-uniform from 1e-300 to π, or
// uniform in [0, π], or within 1e-16 .. 1 of π (relative).
std::vector<double> rotationVectors(std::size_t n, int kind) {
  std::normal_distribution<double> normal;
  std::uniform_real_distribution<double> unit(0, 1);
  std::vector<double> v;
  for (std::size_t k = 0; k < n; ++k) {
    const double axis[3] = {normal(generator), normal(generator), normal(generator)};
    const double length = std::sqrt(axis[0] * axis[0] + axis[1] * axis[1] + axis[2] * axis[2]);
    double angle = kind == 0 ? std::pow(10.0, -300 + 300.5 * unit(generator))
                   : kind == 1 ? kPi * unit(generator)
                               : kPi * (1 - std::pow(10.0, -16 * unit(generator)));
    angle = std::min(angle, kPi);
    for (double a : axis) v.push_back(a / length * angle);
  }
  return v;
}

std::vector<double> vectorQuaternions(const std::vector<double>& v) {
  std::vector<double> q;
  for (std::size_t k = 0; k < v.size() / 3; ++k) {
    const std::array<double, 4> r = roundedQuaternion(exactRotationVector(&v[3 * k]));
    q.insert(q.end(), r.begin(), r.end());
  }
  return q;
}

// ---- rotkit runs and errors ----

std::vector<double> runEul2rot(const std::vector<double>& a, const std::string& seq) {
  std::vector<double> q(a.size() / 3 * 4);
  eulerToQuaternions(a.data(), q.data(), static_cast<std::uint32_t>(a.size() / 3), axesOf(seq));
  return q;
}

std::vector<double> runRot2eul(const std::vector<double>& q, const std::string& seq) {
  std::vector<double> a(q.size() / 4 * 3);
  quaternionsToEuler(q.data(), a.data(), nullptr, static_cast<std::uint32_t>(q.size() / 4), axesOf(seq));
  return a;
}

std::vector<double> runVec2rot(const std::vector<double>& v) {
  std::vector<double> q(v.size() / 3 * 4);
  vectorsToQuaternions(v.data(), q.data(), static_cast<std::uint32_t>(v.size() / 3));
  return q;
}

std::vector<double> runRot2vec(const std::vector<double>& q) {
  std::vector<double> v(q.size() / 4 * 3);
  quaternionsToVectors(q.data(), v.data(), static_cast<std::uint32_t>(q.size() / 4));
  return v;
}

ErrorOf quaternionOfAngles(const std::string& seq) {
  return [seq](const double* a, const double* q) { return componentError(q, exactEuler(a, seq)); };
}

ErrorOf rotationOfAngles(const std::string& seq) {
  return [seq](const double* q, const double* a) {
    return static_cast<double>(rotationAngleBetween(quadQuaternion(q), exactEuler(a, seq)) * 0x1p52);
  };
}

ErrorOf eachAngle(const std::string& seq) {
  return [seq](const double* q, const double* a) {
    const std::array<Quad, 3> exact = exactEulerNear(q, seq, a);
    const Quad twoPi = 8 * atan2Q(1, 1);
    double worst = 0;
    for (int n = 0; n < 3; ++n) {
      Quad d = quadOf(a[n]) - exact[n];
      d -= twoPi * static_cast<Quad>(std::round(static_cast<double>(d / twoPi)));
      worst = std::max(worst, static_cast<double>(absQ(d) * 0x1p52));
    }
    return worst;
  };
}

double sameQuaternion(const double* q, const double* back) { return componentError(back, quadQuaternion(q)); }

double quaternionOfVector(const double* v, const double* q) { return componentError(q, exactRotationVector(v)); }

double vectorOfQuaternion(const double* q, const double* v) { return relativeVectorError(v, exactVectorOf(q)); }

void addJob(int row, const std::string& op, const std::string& seq, std::size_t inRows, std::size_t outRows,
            std::vector<double> input, std::vector<double> rotkit, ErrorOf error) {
  const std::string file = "set" + std::to_string(jobs.size()) + ".in";
  jobs.push_back({row, file, op, seq, inRows, outRows, std::move(input), std::move(rotkit), std::move(error)});
}

void buildJobs() {
  const std::size_t n = 20000;
  int r = addRow("eul2rot: quaternion", "random angles, [-pi, pi]; 12 sequences, intrinsic and extrinsic");
  for (const std::string& seq : conventions()) {
    std::vector<double> a;
    for (std::size_t k = 0; k < n; ++k) {
      const std::array<double, 3> angles = randomAngles(seq, 0);
      a.insert(a.end(), angles.begin(), angles.end());
    }
    std::vector<double> q = runEul2rot(a, seq);
    addJob(r, "from_euler", seq, 3, 4, std::move(a), std::move(q), quaternionOfAngles(seq));
  }
  const int randomRow = addRow("rot2eul: rotation of the angles", "random unit quaternions; 24 conventions");
  const int eachRow = addRow("rot2eul: each angle", "random, the middle angle 0.01 or more from its poles");
  const int poles = addRow("rot2eul: rotation of the angles", "at the poles (middle angle pi/2, 0, pi in 113 bits)");
  const int near = addRow("rot2eul: rotation of the angles", "1e-9 rad off the poles");
  const int euler = addRow("eul2rot(rot2eul(q)) against q", "random, at and 1e-9 off the poles");
  for (const std::string& seq : conventions()) {
    std::normal_distribution<double> normal;
    std::vector<double> q(4 * n);
    for (double& c : q) c = normal(generator);
    for (std::size_t k = 0; k < n; ++k) {
      const double length = std::sqrt(q[4 * k] * q[4 * k] + q[4 * k + 1] * q[4 * k + 1] + q[4 * k + 2] * q[4 * k + 2] +
                                      q[4 * k + 3] * q[4 * k + 3]);
      for (int i = 0; i < 4; ++i) q[4 * k + i] /= length;
    }
    addJob(randomRow, "as_euler", seq, 4, 3, q, runRot2eul(q, seq), rotationOfAngles(seq));
    const std::vector<double> off = eulerQuaternions(seq, 1000, 0.01);
    addJob(eachRow, "as_euler", seq, 4, 3, off, runRot2eul(off, seq), eachAngle(seq));
    std::vector<double> all = q;
    for (Quad pole : polesOf(seq)) {
      const std::vector<double> at = middleQuaternions(seq, 2000, pole);
      addJob(poles, "as_euler", seq, 4, 3, at, runRot2eul(at, seq), rotationOfAngles(seq));
      const Quad inside = pole > 0 ? pole - quadOf(1e-9) : pole + quadOf(1e-9);
      const std::vector<double> by = middleQuaternions(seq, 2000, inside);
      addJob(near, "as_euler", seq, 4, 3, by, runRot2eul(by, seq), rotationOfAngles(seq));
      all.insert(all.end(), at.begin(), at.end());
      all.insert(all.end(), by.begin(), by.end());
    }
    std::vector<double> back = runEul2rot(runRot2eul(all, seq), seq);
    addJob(euler, "euler_round_trip", seq, 4, 4, std::move(all), std::move(back), sameQuaternion);
  }
  const char* kinds[] = {"angles 1e-300 .. pi, log-uniform", "angles uniform in [0, pi]", "angles within 1e-16 .. 1 of pi (relative)"};
  std::vector<int> vec(3), rotv(3);
  for (int kind = 0; kind < 3; ++kind) vec[kind] = addRow("vec2rot: quaternion", kinds[kind]);
  for (int kind = 0; kind < 3; ++kind) rotv[kind] = addRow("rot2vec: vector, relative", kinds[kind]);
  const int vectorTrip = addRow("vec2rot(rot2vec(q)) against q", "all three");
  std::vector<double> trip;
  for (int kind = 0; kind < 3; ++kind) {
    const std::vector<double> v = rotationVectors(100000, kind);
    addJob(vec[kind], "from_rotvec", "-", 3, 4, v, runVec2rot(v), quaternionOfVector);
    const std::vector<double> q = vectorQuaternions(v);
    addJob(rotv[kind], "as_rotvec", "-", 4, 3, q, runRot2vec(q), vectorOfQuaternion);
    trip.insert(trip.end(), q.begin(), q.end());
  }
  std::vector<double> back = runVec2rot(runRot2vec(trip));
  addJob(vectorTrip, "rotvec_round_trip", "-", 4, 4, trip, std::move(back), sameQuaternion);
}

double worstOf(const Job& job, const std::vector<double>& out) {
  double worst = 0;
  for (std::size_t k = 0; k < job.input.size() / job.inRows; ++k) {
    const double e = job.error(&job.input[job.inRows * k], &out[job.outRows * k]);
    worst = std::max(worst, std::isnan(e) ? INFINITY : e);
  }
  return worst;
}

bool writeDoubles(const std::string& path, const std::vector<double>& data) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size() * sizeof(double)));
  return static_cast<bool>(out);
}

bool readDoubles(const std::string& path, std::vector<double>& data) {
  std::ifstream in(path, std::ios::binary);
  in.read(reinterpret_cast<char*>(data.data()), static_cast<std::streamsize>(data.size() * sizeof(double)));
  return static_cast<bool>(in);
}

// Runs scipy on every job's input; false when it cannot (no python3-scipy).
bool runScipy(const std::string& folder) {
  std::ofstream manifest(folder + "/manifest.txt");
  for (const Job& job : jobs) {
    if (!writeDoubles(folder + "/" + job.file, job.input)) return false;
    manifest << job.file << " " << job.op << " " << job.seq << " " << job.input.size() / job.inRows << "\n";
  }
  manifest.close();
  const std::string python = access("/usr/bin/python3", X_OK) == 0 ? "/usr/bin/python3" : "python3";
  const std::string command = python + " " ROTKIT_SOURCE_DIR "/tools/accuracy/scipy_angles.py " + folder;
  return std::system(command.c_str()) == 0;
}

std::string cell(double worst) {
  if (worst < 0) return "not measured";
  if (std::isinf(worst)) return "NaN or wrong";
  char text[32];
  std::snprintf(text, sizeof text, worst < 1000 ? "%.2f" : "%.3g", worst);
  return text;
}

// The closed form that eul2rot uses against three Hamilton products, both
// from <cmath>'s sine and cosine, so that only the combination differs.
void compareClosedForm() {
  double closed = 0, products = 0;
  for (const std::string& seq : {std::string("ZXY"), std::string("ZXZ")}) {
    const EulerAxes axes = axesOf(seq);
    for (int k = 0; k < 200000; ++k) {
      const std::array<double, 3> a = randomAngles(seq, 0);
      double c[3], s[3];
      for (int n = 0; n < 3; ++n) {
        c[n] = std::cos(a[n] * 0.5);
        s[n] = std::sin(a[n] * 0.5);
      }
      const double cc = c[0] * c[1], ss = s[0] * s[1], sc = s[0] * c[1], cs = c[0] * s[1];
      double q[4];
      if (axes.proper) {
        q[0] = cc * c[2] - sc * s[2];
        q[1 + axes.i] = cc * s[2] + sc * c[2];
        q[1 + axes.j] = cs * c[2] + ss * s[2];
        q[1 + axes.other] = (axes.even ? 1 : -1) * (ss * c[2] - cs * s[2]);
      } else {
        const double e = axes.even ? 1 : -1;
        q[0] = cc * c[2] - e * ss * s[2];
        q[1 + axes.i] = sc * c[2] + e * cs * s[2];
        q[1 + axes.j] = cs * c[2] - e * sc * s[2];
        q[1 + axes.other] = cc * s[2] + e * ss * c[2];
      }
      // Three Hamilton products, left to right.
      double t[3][4] = {};
      const int axis[3] = {axes.i, axes.j, axes.k};
      for (int n = 0; n < 3; ++n) {
        t[n][0] = c[n];
        t[n][1 + axis[n]] = s[n];
      }
      const auto product = [](const double* x, const double* y, double* out) {
        out[0] = ((x[0] * y[0] - x[1] * y[1]) - x[2] * y[2]) - x[3] * y[3];
        out[1] = ((x[0] * y[1] + x[1] * y[0]) + x[2] * y[3]) - x[3] * y[2];
        out[2] = ((x[0] * y[2] - x[1] * y[3]) + x[2] * y[0]) + x[3] * y[1];
        out[3] = ((x[0] * y[3] + x[1] * y[2]) - x[2] * y[1]) + x[3] * y[0];
      };
      double p12[4], p[4];
      product(t[0], t[1], p12);
      product(p12, t[2], p);
      const QuadQuaternion exact = exactEuler(a.data(), seq);
      closed = std::max(closed, componentError(q, exact));
      products = std::max(products, componentError(p, exact));
    }
  }
  std::printf("\neul2rot's closed form against three Hamilton products, both from <cmath>'s sin and cos "
              "('ZXY' and 'ZXZ', 400000 angle triples): worst %.2f and %.2f units of 2^-52.\n",
              closed, products);
}

}  // namespace

int main(int argc, char** argv) {
  std::string folder = argc > 1 ? argv[1] : "";
  if (folder.empty()) {
    char name[] = "/tmp/angle_accuracy.XXXXXX";
    if (mkdtemp(name) == nullptr) return 1;
    folder = name;
  }
  buildJobs();
  for (const Job& job : jobs) rows[job.row].rotkit = std::max(rows[job.row].rotkit, worstOf(job, job.rotkit));
  const bool scipy = runScipy(folder);
  if (scipy) {
    for (const Job& job : jobs) {
      std::vector<double> out(job.input.size() / job.inRows * job.outRows);
      if (!readDoubles(folder + "/" + job.file + ".scipy", out)) continue;
      rows[job.row].scipy = std::max(rows[job.row].scipy, worstOf(job, out));
    }
  }
  std::printf("## Euler angles and rotation vectors (units of 2^-52; worst over each set)\n\n");
  std::printf("| conversion | inputs | rotkit worst | scipy worst |\n|---|---|---:|---:|\n");
  for (const Row& row : rows) {
    std::printf("| %s | %s | %s | %s |\n", row.conversion.c_str(), row.inputs.c_str(), cell(row.rotkit).c_str(),
                cell(row.scipy).c_str());
  }
  if (!scipy) std::printf("\nscipy: not measured (needs /usr/bin/python3 with Debian's python3-scipy).\n");
  compareClosedForm();
  return 0;
}
