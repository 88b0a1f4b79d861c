// The MEX interface as a gateway sees it in an oct-file: the operations of
// host/host.h over Octave's own values (host/octave/array_api.h), with the
// array type under its MEX name. The oct-file builds put this folder before
// Octave's include folders, so that host/host.h finds this mex.h; the
// gateways compile unchanged.
#ifndef ROTKIT_HOST_OCTAVE_MEX_H
#define ROTKIT_HOST_OCTAVE_MEX_H

// Code that differs by host asks for this one by name.
#define ROTKIT_OCTFILE_HOST 1

#include "host/octave/array_api.h"

typedef rotkit_octave::HostArray mxArray;

#endif
