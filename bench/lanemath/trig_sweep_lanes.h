// The toolbox's trigonometry for bench/trig_sweep.cpp, compiled once per
// path by simd/each_target.h (the sweep uses the scalar path's).
#include "lanemath/atan2_lanes.h"
#include "lanemath/sine_lanes.h"
