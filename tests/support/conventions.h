// The 24 Euler conventions (12 sequences, upper case intrinsic, lower case
// extrinsic) for the tests of eul2rot and rot2eul, and their parsed axes.
#ifndef ROTKIT_TESTS_CONVENTIONS_H
#define ROTKIT_TESTS_CONVENTIONS_H

#include "conversions/axis_sequence.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

inline const std::vector<std::string>& allConventions() {
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

inline EulerAxes axesOf(const std::string& seq) {
  EulerAxes axes;
  const char text[3] = {seq[0], seq[1], seq[2]};
  EXPECT_EQ(parseAxisSequence(text, axes), SequenceProblem::none) << seq;
  return axes;
}

inline bool isProper(const std::string& seq) { return seq[0] == seq[2]; }

#endif
