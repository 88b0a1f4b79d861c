// bvhwrite's writer (bvh_writer.h): the layout of the file (channels, End
// Sites, the order of the joints), every joint's rotation as the angles of
// its channels, the translations as position channels, and the text,
// formatted on the worker threads in blocks of frames.
#include "motionfiles/bvhwrite/bvh_writer.h"

#include "conversions/rot2eul/quaternion_to_euler.h"
#include "motionfiles/decimal.h"
#include "motionfiles/file_error.h"
#include "motionfiles/file_io.h"
#include "motionfiles/text_lines.h"
#include "parallel/worker_pool.h"
#include "rotations/rotcompose/compose_columns.h"

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <memory>

namespace bvh {

namespace {

const double kPi = 3.141592653589793;
const double kDegreesPerRadian = 180.0 / kPi;

struct Layout {
  std::vector<std::vector<std::uint8_t>> channels;  // as written, position channels added where needed
  std::vector<bool> endSites;
  std::vector<std::vector<std::size_t>> children;   // 0-based, in increasing order
  std::vector<std::size_t> leaves;                  // joints without children, not End Sites
  std::vector<std::size_t> leafIndex;               // each joint's place among the leaves, or leaves.size()
  std::vector<std::size_t> order;                   // depth first, children in the order of their numbers
  std::vector<double> offsets;                      // 3 x J, the OFFSETs written
};

bool isFiniteColumn(const double* p) { return std::isfinite(p[0]) && std::isfinite(p[1]) && std::isfinite(p[2]); }

// Joint j's translation along `axis` in frame k.
double translationAt(const WriteInput& in, std::size_t j, int axis, std::size_t k) {
  if (j == 0) return in.rootPositions[3 * k + static_cast<std::size_t>(axis)];
  if (in.frameOffsets != nullptr) return in.frameOffsets[3 * in.joints * k + 3 * j + static_cast<std::size_t>(axis)];
  return in.offsets[3 * j + static_cast<std::size_t>(axis)];
}

bool hasChannel(const std::vector<std::uint8_t>& list, std::uint8_t channel) {
  return std::find(list.begin(), list.end(), channel) != list.end();
}

Layout fileLayout(const WriteInput& in) {
  const std::size_t J = in.joints;
  const std::size_t N = in.frames;
  Layout layout;
  layout.children.resize(J);
  for (std::size_t j = 1; j < J; ++j) layout.children[in.parents[j] - 1].push_back(j);
  if (in.hasChannels) {
    layout.channels = in.channels;
  } else {
    layout.channels.resize(J);
    for (std::size_t j = 0; j < J; ++j) {
      if (j == 0) layout.channels[j] = {Xposition, Yposition, Zposition};
      if (j == 0 || !layout.children[j].empty()) {
        layout.channels[j].insert(layout.channels[j].end(), {Zrotation, Xrotation, Yrotation});
      }
    }
  }
  for (std::size_t j = 0; j < J; ++j) {
    for (std::size_t c = 0; c < layout.channels[j].size(); ++c) {
      const std::uint8_t channel = layout.channels[j][c];
      if (!isRotation(channel) && std::count(layout.channels[j].begin(), layout.channels[j].end(), channel) > 1) {
        refuseInput("skeleton", "SKEL.channels{%zu}: a position channel is listed twice.", j + 1);
      }
    }
  }
  if (in.hasEndSites) {
    layout.endSites = in.endSites;
  } else {
    layout.endSites.resize(J);
    for (std::size_t j = 0; j < J; ++j) layout.endSites[j] = layout.children[j].empty() && layout.channels[j].empty();
  }
  if (layout.endSites[0]) refuseInput("skeleton", "the root cannot be an End Site.");
  for (std::size_t j = 0; j < J; ++j) {
    if (layout.endSites[j] && (!layout.children[j].empty() || !layout.channels[j].empty())) {
      refuseInput("skeleton", "joint %zu is an End Site, which has neither children nor channels.", j + 1);
    }
  }
  layout.leafIndex.assign(J, J);
  for (std::size_t j = 0; j < J; ++j) {
    if (layout.children[j].empty() && !layout.endSites[j]) {
      layout.leafIndex[j] = layout.leaves.size();
      layout.leaves.push_back(j);
    }
  }
  const std::size_t L = layout.leaves.size();
  if (in.leafRotations != nullptr && (in.leafRows != 4 * L || in.leafCols != N)) {
    refuseInput("motion",
           "MOTION.leafRotations must be %zu x %zu: 4 rows for each joint without children that is not an End Site.",
           4 * L, N);
  }
  // The OFFSETs: skel.offsets, or for a joint whose translation changes
  // (a NaN column) its translation in the first frame.
  layout.offsets.assign(in.offsets, in.offsets + 3 * J);
  for (std::size_t j = 0; j < J; ++j) {
    if (isFiniteColumn(in.offsets + 3 * j)) continue;
    if (j == 0 || in.frameOffsets == nullptr) {
      refuseInput("skeleton", "SKEL.offsets must be finite (a NaN column needs MOTION.offsets, and not for the root).");
    }
    for (int axis = 0; axis < 3; ++axis) layout.offsets[3 * j + static_cast<std::size_t>(axis)] = N > 0 ? translationAt(in, j, axis, 0) : 0.0;
  }
  // A joint whose translation leaves its OFFSET along an axis without a
  // position channel gets one, in front of its channels, in the order X, Y, Z.
  for (std::size_t j = 0; j < J; ++j) {
    std::vector<std::uint8_t> missing;
    for (int axis = 0; axis < 3; ++axis) {
      const std::uint8_t channel = static_cast<std::uint8_t>(axis);
      if (hasChannel(layout.channels[j], channel)) continue;
      const double offset = layout.offsets[3 * j + static_cast<std::size_t>(axis)];
      std::size_t k = 0;
      while (k < N && translationAt(in, j, axis, k) == offset) ++k;
      if (k == N) continue;
      if (layout.endSites[j]) {
        refuseInput("translation", "the translation of the End Site \"%s\" changes in frame %zu: an End Site has no channels.",
               in.names[j].c_str(), k + 1);
      }
      missing.push_back(channel);
    }
    layout.channels[j].insert(layout.channels[j].begin(), missing.begin(), missing.end());
  }
  // Depth first, each joint's children in the order of their numbers.
  std::vector<std::size_t> stack{0};
  while (!stack.empty()) {
    const std::size_t j = stack.back();
    stack.pop_back();
    layout.order.push_back(j);
    for (auto c = layout.children[j].rbegin(); c != layout.children[j].rend(); ++c) stack.push_back(*c);
  }
  return layout;
}

// A name must come back from bvhread as itself: the words of its line up
// to a "{", joined by single spaces, in text bvhread reads.
void checkNames(const WriteInput& in, const Layout& layout) {
  for (std::size_t j = 0; j < in.joints; ++j) {
    if (layout.endSites[j]) continue;
    const std::string& name = in.names[j];
    bool good = !name.empty() && name.front() != ' ' && name.back() != ' ' && name.find("  ") == std::string::npos &&
                name.find('{') == std::string::npos;
    for (char c : name) good = good && !motionfiles::isLineEnd(c) && (c == ' ' || !motionfiles::isBlank(c));
    good = good && motionfiles::findTextFault(name.data(), name.data() + name.size()).kind == motionfiles::TextFault::none;
    if (!good) {
      refuseInput("names",
             "joint %zu's name \"%s\" would not read back as itself (empty, a \"{\", other white space than single "
             "spaces, or text that is not UTF-8).",
             j + 1, name.c_str());
    }
  }
}

double columnNorm(const double* q) { return std::sqrt(((q[0] * q[0] + q[1] * q[1]) + q[2] * q[2]) + q[3] * q[3]); }

// The distance of two quaternions up to sign.
double gapUpToSign(const double* a, const double* b) {
  double minus = 0, plus = 0;
  for (int r = 0; r < 4; ++r) {
    minus += (a[r] - b[r]) * (a[r] - b[r]);
    plus += (a[r] + b[r]) * (a[r] + b[r]);
  }
  return std::sqrt(std::min(minus, plus));
}

// Joint j's BVH rotation in frames first .. first + n - 1, 4 x n
// normalised: from its first child's rows (the others checked against it),
// from leafRotations for a joint without children; the root's own rows
// composed in front of the root's.
void jointRotation(const WriteInput& in, const Layout& layout, std::size_t j, std::size_t first, std::size_t n,
                   std::vector<double>& q, std::vector<double>& scratch) {
  const std::size_t J = in.joints;
  const double* local = in.localRotations + 4 * J * first;
  const std::vector<std::size_t>& children = layout.children[j];
  if (children.empty()) {
    const std::size_t L = layout.leaves.size();
    const std::size_t l = layout.leafIndex[j];
    for (std::size_t k = 0; k < n; ++k) {
      for (std::size_t r = 0; r < 4; ++r) {
        q[4 * k + r] = in.leafRotations != nullptr ? in.leafRotations[4 * L * (first + k) + 4 * l + r] : (r == 0 ? 1.0 : 0.0);
      }
    }
  } else {
    for (std::size_t k = 0; k < n; ++k) std::memcpy(&q[4 * k], local + 4 * J * k + 4 * children[0], 4 * sizeof(double));
    for (std::size_t c = 1; c < children.size(); ++c) {
      for (std::size_t k = 0; k < n; ++k) {
        const double* other = local + 4 * J * k + 4 * children[c];
        if (!(gapUpToSign(other, &q[4 * k]) <= 1e-9 * columnNorm(&q[4 * k]))) {
          refuseInput("rotation",
                 "\"%s\" and \"%s\" hold different rotations of their parent \"%s\" in frame %zu: a BVH joint has one "
                 "rotation for all its children.",
                 in.names[children[0]].c_str(), in.names[children[c]].c_str(), in.names[j].c_str(), first + k + 1);
        }
      }
    }
  }
  if (j == 0 && n > 0) {
    for (std::size_t k = 0; k < n; ++k) std::memcpy(&scratch[4 * k], local + 4 * J * k, 4 * sizeof(double));
    composeColumns(scratch.data(), static_cast<std::uint32_t>(n), q.data(), static_cast<std::uint32_t>(n),
                   scratch.data() + 4 * n, static_cast<std::uint32_t>(n));
    std::memcpy(q.data(), scratch.data() + 4 * n, 4 * n * sizeof(double));
  }
  for (std::size_t k = 0; k < n; ++k) {
    const double norm = columnNorm(&q[4 * k]);
    if (!(norm > 0 && std::isfinite(norm))) {
      refuseInput("rotation", "the rotation of \"%s\" in frame %zu is not a rotation (zero, NaN or Inf).", in.names[j].c_str(),
             first + k + 1);
    }
    for (std::size_t r = 0; r < 4; ++r) q[4 * k + r] /= norm;
  }
}

// Octave's mod(x, y) for y > 0: x - floor(x / y) * y.
double modulo(double x, double y) { return x - std::floor(x / y) * y; }

double signOrOne(double x) { return x < 0 ? -1.0 : 1.0; }

// The angles (radians) alpha, beta with Ra(alpha)·Rb(beta) = q for q such a
// product. With c the third axis and e = +1 when a, b, c run x, y, z
// cyclically, (w, q_a) and (q_b, e·q_c) both point along (cos, sin) of
// alpha/2: the longer gives alpha (up to a half turn, which flips only the
// sign of q), and beta comes from Ra(-alpha)·q, a turn about b.
void twoAxisAngles(const double* q, int a, int b, double& alpha, double& beta) {
  const int c = 3 - a - b;
  const double e = ((b - a + 3) % 3 == 1) ? 1.0 : -1.0;
  const double first0 = q[0], first1 = q[1 + a];
  const double second0 = q[1 + b], second1 = e * q[1 + c];
  const bool useSecond = second0 * second0 + second1 * second1 > first0 * first0 + first1 * first1;
  alpha = 2 * std::atan2(useSecond ? second1 : first1, useSecond ? second0 : first0);
  alpha = modulo(alpha + kPi, 2 * kPi) - kPi;
  double undo[4] = {std::cos(alpha / 2), 0, 0, 0};
  undo[1 + a] = -std::sin(alpha / 2);
  double rest[4];
  composeColumns(undo, 1, q, 1, rest, 1);
  const double s = signOrOne(rest[0]);
  beta = 2 * std::atan2(s * rest[1 + b], s * rest[0]);
}

// The angles in degrees, one per rotation channel on `axes` (0 x, 1 y,
// 2 z), whose product in channel order is q (4 x n, unit), into columns
// `columns` of the values (C x n, frame-major); frames count from `first`
// in messages. `angles` is room for 3n.
void rotationAngles(const std::vector<double>& q, const std::vector<int>& axes, const std::vector<std::size_t>& columns,
                    std::size_t C, std::size_t first, std::size_t n, const std::string& name, double* values,
                    std::vector<double>& angles) {
  // Neighbouring channels on one axis act as one: the first of each run
  // takes the angle, the others 0, as do channels after three such runs.
  std::vector<std::size_t> used;
  for (std::size_t c = 0; c < axes.size(); ++c) {
    if (c == 0 || axes[c] != axes[c - 1]) used.push_back(c);
  }
  for (std::size_t c = 0; c < axes.size(); ++c) {
    for (std::size_t k = 0; k < n; ++k) values[C * k + columns[c]] = 0.0;
  }
  if (used.size() >= 3) {
    const char letters[3] = {static_cast<char>('X' + axes[used[0]]), static_cast<char>('X' + axes[used[1]]),
                             static_cast<char>('X' + axes[used[2]])};
    EulerAxes sequence;
    parseAxisSequence(letters, sequence);
    quaternionsToEuler(q.data(), angles.data(), nullptr, static_cast<std::uint32_t>(n), sequence);
    for (std::size_t k = 0; k < n; ++k) {
      for (std::size_t i = 0; i < 3; ++i) values[C * k + columns[used[i]]] = angles[3 * k + i] * kDegreesPerRadian;
    }
    return;  // three axes express every rotation
  }
  std::vector<double> radians(axes.size());
  for (std::size_t k = 0; k < n; ++k) {
    const double* qk = &q[4 * k];
    std::fill(radians.begin(), radians.end(), 0.0);
    if (used.size() == 2) {
      twoAxisAngles(qk, axes[used[0]], axes[used[1]], radians[used[0]], radians[used[1]]);
    } else if (used.size() == 1) {
      const double s = signOrOne(qk[0]);
      radians[used[0]] = 2 * std::atan2(s * qk[1 + axes[used[0]]], s * qk[0]);
    }
    // The angles must give q back: the product of the channels' turns.
    double back[4] = {1, 0, 0, 0};
    for (std::size_t c = 0; c < axes.size(); ++c) {
      double turn[4] = {std::cos(radians[c] / 2), 0, 0, 0};
      turn[1 + axes[c]] = std::sin(radians[c] / 2);
      double product[4];
      composeColumns(back, 1, turn, 1, product, 1);
      std::memcpy(back, product, sizeof back);
    }
    const double gap = gapUpToSign(back, qk);
    if (!(gap <= 1e-9)) {
      std::string list;
      for (int axis : axes) list += std::string(list.empty() ? "" : " ") + channelName(static_cast<std::uint8_t>(3 + axis));
      refuseInput("rotation", "the rotation of \"%s\" in frame %zu cannot be written in its rotation channels (%s): off by %.3g.",
             name.c_str(), first + k + 1, list.empty() ? "none" : list.c_str(), gap);
    }
    for (std::size_t c = 0; c < axes.size(); ++c) values[C * k + columns[c]] = radians[c] * kDegreesPerRadian;
  }
}

void append(std::string& text, const char* s) { text += s; }

void appendNumber(std::string& text, double value, int digits) {
  char buffer[motionfiles::kDecimalChars];
  text.append(buffer, motionfiles::writeDecimal(value, digits, buffer));
}

std::string hierarchyText(const WriteInput& in, const Layout& layout) {
  std::string text = "HIERARCHY\n";
  std::vector<std::size_t> open;  // joints whose braces are open
  auto close = [&](std::size_t depth) {
    text.append(2 * depth, ' ');
    text += "}\n";
  };
  for (std::size_t j : layout.order) {
    while (!open.empty() && open.back() + 1 != in.parents[j]) {
      open.pop_back();
      close(open.size());
    }
    const std::string pad(2 * open.size(), ' ');
    if (j == 0) {
      text += "ROOT " + in.names[j] + "\n";
    } else if (layout.endSites[j]) {
      text += pad + "End Site\n";
    } else {
      text += pad + "JOINT " + in.names[j] + "\n";
    }
    text += pad + "{\n" + pad + "  OFFSET ";
    for (int axis = 0; axis < 3; ++axis) {
      if (axis > 0) text += ' ';
      appendNumber(text, layout.offsets[3 * j + static_cast<std::size_t>(axis)], in.digits);
    }
    text += '\n';
    if (!layout.channels[j].empty()) {
      text += pad + "  CHANNELS " + std::to_string(layout.channels[j].size());
      for (std::uint8_t c : layout.channels[j]) {
        text += ' ';
        append(text, channelName(c));
      }
      text += '\n';
    }
    open.push_back(j);
  }
  while (!open.empty()) {
    open.pop_back();
    close(open.size());
  }
  text += "MOTION\nFrames: " + std::to_string(in.frames) + "\nFrame Time: ";
  appendNumber(text, in.frameTime, in.digits);
  text += '\n';
  return text;
}

// Frames per block of text: the blocks of a round are formatted side by
// side on the worker threads, each into its own part of one buffer.
constexpr std::size_t kFramesPerBlock = 16;
// The text of a round fills about this many bytes: the buffers stay in
// the caches and are reused from round to round.
constexpr std::size_t kRoundBytes = std::size_t{1} << 20;

} // namespace

void refuseInput(const char* reason, const char* format, ...) {
  WriteError error;
  error.reason = reason;
  std::va_list args;
  va_start(args, format);
  error.message = motionfiles::formatted(format, args);
  va_end(args);
  throw error;
}

void writeBvh(const WriteInput& in, const std::string& path) {
  const std::size_t J = in.joints;
  const std::size_t N = in.frames;
  const Layout layout = fileLayout(in);
  checkNames(in, layout);

  // Each channel's column among a frame's values, in the order of the file.
  std::size_t C = 0;
  std::vector<std::size_t> firstColumn(J);
  for (std::size_t j : layout.order) {
    firstColumn[j] = C;
    C += layout.channels[j].size();
  }
  // Room for the longest form of every number and its separator.
  const std::size_t perFrame = C * (motionfiles::kDecimalChars + 1) + 1;
  const std::size_t blocksPerRound = std::max<std::size_t>(1, kRoundBytes / (perFrame * kFramesPerBlock));
  const std::size_t round = std::min(N, blocksPerRound * kFramesPerBlock);
  std::vector<double> values(C * round);
  std::vector<double> q(4 * round), scratch(8 * round), angles(3 * round);
  std::unique_ptr<char[]> text(new char[std::max<std::size_t>(1, round * perFrame)]);
  std::vector<std::size_t> lengths(blocksPerRound);
  std::vector<int> axes;
  std::vector<std::size_t> columns;

  motionfiles::AtomicFile file(path);
  const std::string header = hierarchyText(in, layout);
  file.write(header.data(), header.size());
  for (std::size_t first = 0; first < N; first += round) {
    const std::size_t n = std::min(round, N - first);
    // The values of frames first .. first + n - 1, on this thread (a fault
    // raises its error from here).
    for (std::size_t j : layout.order) {
      if (layout.endSites[j]) continue;
      const std::vector<std::uint8_t>& channels = layout.channels[j];
      axes.clear();
      columns.clear();
      for (std::size_t c = 0; c < channels.size(); ++c) {
        const std::size_t column = firstColumn[j] + c;
        if (isRotation(channels[c])) {
          axes.push_back(axisOf(channels[c]));
          columns.push_back(column);
        } else {
          for (std::size_t k = 0; k < n; ++k) values[C * k + column] = translationAt(in, j, axisOf(channels[c]), first + k);
        }
      }
      jointRotation(in, layout, j, first, n, q, scratch);
      rotationAngles(q, axes, columns, C, first, n, in.names[j], values.data(), angles);
    }
    // Their text, a block of frames per share of the worker threads; a
    // worker only formats numbers into memory that is there.
    const std::size_t blocks = (n + kFramesPerBlock - 1) / kFramesPerBlock;
    const int digits = in.digits;
    parallel::forColumns(static_cast<std::uint32_t>(blocks), 2, [&](std::uint32_t begin, std::uint32_t end) {
      for (std::size_t b = begin; b < end; ++b) {
        char* const start = text.get() + b * kFramesPerBlock * perFrame;
        char* out = start;
        for (std::size_t k = b * kFramesPerBlock; k < std::min(n, (b + 1) * kFramesPerBlock); ++k) {
          const double* row = values.data() + C * k;
          for (std::size_t c = 0; c < C; ++c) {
            if (c > 0) *out++ = ' ';
            out = motionfiles::writeDecimal(row[c], digits, out);
          }
          *out++ = '\n';
        }
        lengths[b] = static_cast<std::size_t>(out - start);
      }
    });
    for (std::size_t b = 0; b < blocks; ++b) file.write(text.get() + b * kFramesPerBlock * perFrame, lengths[b]);
  }
  file.commit();
}

} // namespace bvh
