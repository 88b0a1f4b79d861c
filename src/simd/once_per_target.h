// How a header that simd/each_target.h compiles once per pass guards itself.
// A plain include guard would compile it in the first pass only. Instead:
//
//   #if defined(ROTKIT_QUATERNION_LANES_H) != defined(ROTKIT_TARGET_TOGGLE)
//   #ifdef ROTKIT_QUATERNION_LANES_H
//   #undef ROTKIT_QUATERNION_LANES_H
//   #else
//   #define ROTKIT_QUATERNION_LANES_H
//   #endif
//   ... the header ...
//   #endif
//
// simd/begin_target.h flips ROTKIT_TARGET_TOGGLE at the start of every
// pass, so the two differ at a pass's first include; the guard then flips
// too, and later includes in the same pass see them agree and skip it.
// (This file is documentation only; it defines nothing.)
