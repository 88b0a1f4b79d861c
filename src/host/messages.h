// The toolbox's own error messages for inputs that the functions' data
// model leaves open, shared by every gateway. Callers match on the text.
#ifndef ROTKIT_MESSAGES_H
#define ROTKIT_MESSAGES_H

// A count that the 32-bit data model cannot hold; refusing it means a count
// of 2^32 + 1 is never taken for 1.
#define ROTKIT_MSG_TOO_LARGE "Input is too large: row and column counts must be below 2^31."
// Sparse storage holds only the nonzero elements, so its data is not the
// full column-major block that a kernel reads.
#define ROTKIT_MSG_SPARSE "Sparse input is not supported; convert it with full()."
// Classes whose data cannot be read as doubles.
#define ROTKIT_MSG_NOT_DOUBLE "Input must be a full double array."
// Classes other than double, and complex doubles, for the functions whose
// inputs must be real (the conversions and rotslerp).
#define ROTKIT_MSG_NOT_REAL_DOUBLE "Input must be a real double array."
// Column counts that neither match nor broadcast (one side a single column).
#define ROTKIT_MSG_MISMATCH "Input Dimension missmatch"
// Argument counts, worded as MATLAB's own functions word them, for the
// functions that take optional arguments or return into ans.
#define ROTKIT_MSG_NOT_ENOUGH_INPUTS "Not enough input arguments."
#define ROTKIT_MSG_TOO_MANY_INPUTS "Too many input arguments."
#define ROTKIT_MSG_TOO_MANY_OUTPUTS "Too many output arguments."
// Shapes of the conversions' inputs: quaternions, vectors, rotation matrices.
#define ROTKIT_MSG_Q_ROWS "Q must have 4 rows: one quaternion (w, x, y, z) per column."
#define ROTKIT_MSG_V_ROWS "V must have 3 rows: one vector (x, y, z) per column."
#define ROTKIT_MSG_R_SHAPE "R must be 3 x 3 x N: one rotation matrix per page."

// The axis sequence of eul2rot and rot2eul, checked in this order.
#define ROTKIT_MSG_SEQ_FORM "seq must be three axis letters, such as 'ZXY' (intrinsic) or 'zxy' (extrinsic)."
#define ROTKIT_MSG_SEQ_LETTERS "seq must name its axes with the letters x, y and z."
#define ROTKIT_MSG_SEQ_CASE "seq must be all upper case (intrinsic) or all lower case (extrinsic)."
#define ROTKIT_MSG_SEQ_REPEAT "seq must not repeat an axis in neighbouring places, as 'ZZX' does."

#endif
