// The oct-file of one function: Octave's native entry point (DEFUN_DLD)
// around the function's unchanged gateway. Every build compiles this one
// file per function of src/functions.txt, with ROTKIT_FUNCTION defined as
// the function's name (-DROTKIT_FUNCTION=rotcompose), and links it with
// the gateway, the kernel and the binding (octave_host.cpp).
#include "host/octave/call.h"

#ifndef ROTKIT_FUNCTION
#error "define ROTKIT_FUNCTION as the name of the function this oct-file serves"
#endif

#define ROTKIT_NAME_TEXT(name) #name
#define ROTKIT_NAME_OF(name) ROTKIT_NAME_TEXT(name)

// The help text is read when Octave loads the file, from the help file
// beside it, as Octave reads a MEX file's. The oct-files are compiled with
// hidden visibility, and Debian's Octave defines OCTAVE_EXPORT empty: the
// entry point Octave looks up is made visible here.
#pragma GCC visibility push(default)
DEFUN_DLD(ROTKIT_FUNCTION, args, nargout, rotkit_octave::helpText(ROTKIT_NAME_OF(ROTKIT_FUNCTION))) {
  return rotkit_octave::callGateway(ROTKIT_NAME_OF(ROTKIT_FUNCTION), args, nargout);
}
#pragma GCC visibility pop
