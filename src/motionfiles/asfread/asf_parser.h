// asfread's parsers: an ASF skeleton (the Acclaim format the largest motion
// database publishes its subjects in) and an AMC motion of it. Not a
// kernel: they allocate (through RAII only) and throw
// motionfiles::FileError, naming the line, for every fault.
#ifndef ROTKIT_MOTIONFILES_ASF_PARSER_H
#define ROTKIT_MOTIONFILES_ASF_PARSER_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace asf {

// An axis and whether it moves or turns: 0..2 tx ty tz, 3..5 rx ry rz.
enum Channel : std::uint8_t { tx, ty, tz, rx, ry, rz };

struct Bone {
  std::string name;
  double direction[3] = {0, 0, 0};   // the bone's direction in the rest pose (world axes)
  double length = 0;
  double axis[3] = {0, 0, 0};        // the bone's axis frame: angles about x, y, z
  std::uint8_t axisOrder[3] = {0, 1, 2};  // the order of those turns, first applied first
  std::vector<std::uint8_t> dofs;    // rx ry rz, in the order of the file (and of the AMC values)
  std::vector<std::size_t> children; // bone numbers, in the order of :hierarchy
};

struct Skeleton {
  double mass = 1, lengthUnit = 1;   // :units mass, length
  bool degrees = true;               // :units angle deg (true) or rad
  std::vector<std::uint8_t> rootOrder;  // the root's channels, in the order of the AMC values
  std::uint8_t rootAxisOrder[3] = {0, 1, 2};
  double position[3] = {0, 0, 0};
  double orientation[3] = {0, 0, 0};
  std::vector<Bone> bones;           // in the order of :bonedata
  std::vector<std::size_t> rootChildren;
};

Skeleton parseAsf(const char* text, std::size_t size);

struct Motion {
  std::size_t frames = 0;
  bool degrees = true;               // :DEGREES or :RADIANS, else the ASF's unit
  std::size_t valuesPerFrame = 0;    // the root's channels, then each bone's dofs in bone order
  std::vector<double> values;        // valuesPerFrame x frames
  std::vector<std::size_t> firstValue;  // per bone: where its dofs start in a frame's values
};

// Parses an AMC text of `skeleton`: every frame a number alone on its line,
// then a line per bone with degrees of freedom, the root's first or not,
// in any order.
Motion parseAmc(const char* text, std::size_t size, const Skeleton& skeleton);

} // namespace asf

#endif
