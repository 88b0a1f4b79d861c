// The call of a gateway from Octave's native interface (DEFUN_DLD): the
// arguments wrapped as the gateway's arrays, nlhs and nrhs as a MEX file
// gets them, the outputs handed to Octave without a copy, and every array
// the gateway created freed when the call ends, by return or by error.
#ifndef ROTKIT_HOST_OCTAVE_CALL_H
#define ROTKIT_HOST_OCTAVE_CALL_H

#include "host/octave/array_api.h"

#include <octave/oct.h>

#include <string>

namespace rotkit_octave {

// Calls the gateway (mexFunction) of the function `name` with the caller's
// arguments; a bare call (nargout = 0) gets nlhs = 0 and returns what the
// gateway sets into plhs[0], as `ans`.
ROTKIT_OCTAVE_HIDDEN octave_value_list callGateway(const char* name, const octave_value_list& args, int nargout);

// The help text of `name`: the first comment block of <name>.m beside this
// oct-file, as Octave reads a help text from an m-file. Empty when there is
// no such file.
ROTKIT_OCTAVE_HIDDEN std::string helpText(const char* name);

} // namespace rotkit_octave

#endif
