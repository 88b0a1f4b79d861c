// The texts that the original four functions (rotcompose, rotreverse,
// rotblend, posechain) share for inputs their data model leaves open. They
// are raised with mexErrMsgTxt, without an identifier, and callers match on
// them: they never change, and no other function uses them (those word
// their refusals in host/refusals.h and raise identifiers).
#ifndef ROTKIT_MESSAGES_H
#define ROTKIT_MESSAGES_H

// A count that the 32-bit data model cannot hold; refusing it means a count
// of 2^32 + 1 is never taken for 1.
#define ROTKIT_MSG_TOO_LARGE "Input is too large: row and column counts must be below 2^31."
// Sparse storage holds only the nonzero elements, so its data is not the
// full column-major block that a kernel reads.
#define ROTKIT_MSG_SPARSE "Sparse input is not supported; convert it with full()."
// Classes whose data cannot be read as doubles (rotblend, posechain).
#define ROTKIT_MSG_NOT_DOUBLE "Input must be a full double array."

#endif
