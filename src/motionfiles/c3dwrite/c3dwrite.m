%C3DWRITE  Write markers, analog channels and events as a C3D file.
%   C3DWRITE(FILE, D) writes D, a struct as C3DREAD returns it, as the C3D
%   file FILE, in the Intel processor format with 32-bit float storage,
%   the form every C3D reader takes; C3DREAD reads it back to the same
%   values. F = C3DWRITE(...) also returns the file's name. The file is
%   written whole through a temporary file beside it, or not at all.
%
%   D's fields (one column per frame):
%     points      3M x N, needed: marker m in rows 3m-2 to 3m, written as
%                 floats (rounded to the nearest); a marker with a NaN in a
%                 frame is written missing (its residual word -1).
%     pointRate   frames per second, needed.
%     residuals   M x N, from 0 (a NaN or none: 0), stored in steps of
%                 |POINT:SCALE| from 0 to 255.
%     cameras     M x N camera masks, whole numbers from 0 to 127 (a NaN or
%                 none: 0).
%     labels      1 x M cell of labels (none: empty), split into LABELS,
%                 LABELS2, ... of at most 255 each.
%     units       POINT:UNITS (none: left out).
%     firstFrame  the number of the first frame (none: 1); past 65,535
%                 the counts go into TRIAL:ACTUAL_START_FIELD and
%                 ACTUAL_END_FIELD.
%     analog      C x S in physical units, S a whole number of samples for
%                 each frame; written as floats with ANALOG:SCALE 1,
%                 OFFSET 0 and GEN_SCALE 1.
%     analogRate  pointRate times the samples of a frame (none: that).
%     analogLabels, analogUnits  1 x C cells.
%     events      struct with times (seconds), labels and contexts:
%                 the EVENT group, and the header's first 18.
%     parameters  groups of parameters as C3DREAD gives them, written
%                 along: numbers as 16-bit integers where all are whole and
%                 in range and the name is not one kept in floats (SCALE,
%                 RATE, GEN_SCALE, ORIGIN, CORNERS, CAL_MATRIX, TIMES, ...),
%                 else as floats; characters as char data. The parameters
%                 the fields above decide (POINT:USED, SCALE, RATE,
%                 DATA_START, FRAMES, LABELS..., UNITS; ANALOG:USED, RATE,
%                 SCALE, OFFSET, GEN_SCALE, FORMAT, BITS, LABELS..., UNITS;
%                 EVENT:USED, TIMES, LABELS, CONTEXTS; TRIAL's frame
%                 fields) are written from the fields, not copied.
%   POINT:SCALE is -|D.parameters.POINT.SCALE| when the residuals fit its
%   255 steps, else -2^k, the smallest power of two that holds the
%   residuals in 255 steps and the coordinates in 32,767.
%
%   Errors, before the file is touched:
%     rotkit:c3dwrite:notEnoughInputs  fewer than two inputs
%     rotkit:c3dwrite:tooManyInputs    more than two inputs
%     rotkit:c3dwrite:tooManyOutputs   more than one output
%     rotkit:c3dwrite:fileName    FILE is not a character row
%     rotkit:c3dwrite:data        D is not a struct with points and pointRate
%     rotkit:c3dwrite:points      not 3 rows per marker, an infinite or
%                                 too large coordinate, more than 65,535 markers
%     rotkit:c3dwrite:rate        pointRate not positive and finite
%     rotkit:c3dwrite:residuals   \
%     rotkit:c3dwrite:cameras      |
%     rotkit:c3dwrite:labels       |
%     rotkit:c3dwrite:units        |  the field of that name of the wrong
%     rotkit:c3dwrite:firstFrame   |  class, shape or value, or beyond what
%     rotkit:c3dwrite:analog       |  the format holds
%     rotkit:c3dwrite:events       |
%     rotkit:c3dwrite:parameters  /
%     rotkit:c3dwrite:cannotWrite the file cannot be written
%     rotkit:c3dwrite:outOfMemory not enough memory
%
%   Example: a marker over two frames, written and read back.
%     >> d = struct('points', [1 2; 3 4; 5 6], 'pointRate', 100, 'labels', {{'TOE'}});
%     >> file = c3dwrite(fullfile(tempdir, 'toe.c3d'), d);
%     >> back = c3dread(file);
%     >> same = isequal(back.points, d.points)
%     same = 1
%     >> delete(file)
%
%
%   See also C3DREAD, TRCWRITE, BVHWRITE.

% This file holds the help text; the function itself is a MEX file.
