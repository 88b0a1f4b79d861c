// trcwrite's writer (trc_writer.h).
#include "motionfiles/trcwrite/trc_writer.h"

#include "motionfiles/file_io.h"
#include "motionfiles/input_error.h"
#include "motionfiles/table/row_writer.h"

#include <cmath>

namespace trc {

namespace {

using motionfiles::refuseInput;

void appendNumber(std::string& text, double value) {
  char buffer[motionfiles::kDecimalChars];
  text.append(buffer, table::writeNumber(value, table::NotFinite::empty, buffer));
}

// A name the file's tab-parted lines hold as it is.
void checkText(const std::string& text, const char* reason, const char* what, std::size_t index) {
  for (char c : text) {
    if (c == '\t' || c == '\n' || c == '\r') {
      refuseInput(reason, "%s %zu holds a tab or a line end, which part a TRC file's fields and lines.", what, index);
    }
  }
}

// The file name in the first line: the part after the last separator.
std::string baseName(const std::string& path) {
  const std::size_t cut = path.find_last_of("/\\");
  return cut == std::string::npos ? path : path.substr(cut + 1);
}

} // namespace

void writeTrc(const WriteInput& in, const std::string& path) {
  const std::size_t M = in.markers;
  const std::size_t N = in.frames;
  for (std::size_t i = 0; i < 3 * M * N; ++i) {
    if (std::isinf(in.points[i])) {
      refuseInput("points", "D.points(%zu, %zu) is infinite: a TRC file holds numbers, or an empty field for a missing one.",
                  i % (3 * M) + 1, i / (3 * M) + 1);
    }
  }
  for (std::size_t m = 0; m < M; ++m) checkText(in.labels[m], "labels", "label", m + 1);
  checkText(in.units, "units", "units", 1);
  const auto frameNumber = [&](std::size_t k) {
    return in.frameNumbers != nullptr ? in.frameNumbers[k] : in.firstFrame + static_cast<double>(k);
  };
  const auto timeOf = [&](std::size_t k) {
    return in.time != nullptr ? in.time[k] : (frameNumber(k) - 1) / in.pointRate;
  };
  const auto orDefault = [](double v, double otherwise) { return std::isnan(v) ? otherwise : v; };

  std::string header = "PathFileType\t4\t(X/Y/Z)\t" + baseName(path) + "\n";
  header += "DataRate\tCameraRate\tNumFrames\tNumMarkers\tUnits\tOrigDataRate\tOrigDataStartFrame\tOrigNumFrames\n";
  const double first = N > 0 ? frameNumber(0) : in.firstFrame;
  const double values[8] = {in.pointRate, orDefault(in.cameraRate, in.pointRate), static_cast<double>(N),
                            static_cast<double>(M), 0, orDefault(in.originalRate, in.pointRate),
                            orDefault(in.originalFirstFrame, first), orDefault(in.originalFrames, static_cast<double>(N))};
  for (int i = 0; i < 8; ++i) {
    if (i > 0) header += '\t';
    if (i == 4) {
      header += in.units;
    } else {
      appendNumber(header, values[i]);
    }
  }
  header += "\nFrame#\tTime";
  for (std::size_t m = 0; m < M; ++m) header += "\t" + in.labels[m] + "\t\t";
  header += "\n\t";
  for (std::size_t m = 0; m < M; ++m) {
    const std::string n = std::to_string(m + 1);
    header += "\tX" + n + "\tY" + n + "\tZ" + n;
  }
  header += "\n\n";

  motionfiles::AtomicFile file(path);
  file.write(header.data(), header.size());
  const double* points = in.points;
  table::writeRows(file, N, 2 + 3 * M, table::NotFinite::empty, [&](std::size_t k, std::size_t f) {
    return f == 0 ? frameNumber(k) : (f == 1 ? timeOf(k) : points[3 * M * k + f - 2]);
  });
  file.commit();
}

} // namespace trc
