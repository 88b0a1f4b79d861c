%C3DREAD  Read a C3D file: markers, analog channels, events and parameters.
%   D = C3DREAD(FILE) reads the C3D file FILE, as optical capture systems
%   write it, into a struct; a bare call returns D into ans. Every number
%   is the file's exactly: 32-bit floats become the doubles they hold,
%   16-bit integers the integer times POINT:SCALE.
%
%   D, one column per frame:
%     points      3M x N: rows 3m-2 to 3m hold marker m (x, y, z) in each
%                 frame, the layout POSECHAIN gives positions in; NaN where
%                 the file marks a sample missing (a negative residual
%                 word).
%     residuals   M x N: each sample's residual, the low byte of its
%                 residual word times |POINT:SCALE|; NaN where missing.
%     cameras     M x N: the high byte, the mask of the cameras that saw
%                 the marker; NaN where missing.
%     labels      1 x M cell: POINT:LABELS, continued in LABELS2, LABELS3,
%                 ..., trimmed ('' for a marker without one).
%     pointRate   frames per second: POINT:RATE, the header's without it.
%     firstFrame  the number of the first frame (the header's, or
%                 TRIAL:ACTUAL_START_FIELD).
%     units       POINT:UNITS ('mm', ...), '' without it.
%     analog      C x S: the analog channels at their own rate (S = N times
%                 the samples of each frame), in physical units:
%                 (raw - ANALOG:OFFSET) x ANALOG:SCALE x ANALOG:GEN_SCALE,
%                 each step rounded; a file without an ANALOG group gives
%                 0 x S. With ANALOG:FORMAT 'UNSIGNED' raw values and offsets
%                 are read as unsigned 16-bit numbers.
%     analogLabels, analogUnits  1 x C cells (ANALOG:LABELS, UNITS, and
%                 their continuations).
%     analogRate  samples per second: ANALOG:RATE, else pointRate times the
%                 samples of a frame.
%     events      struct: times (1 x E seconds), labels and contexts (1 x E
%                 cells), from the EVENT group (EVENT:TIMES as minutes and
%                 seconds), or else the header's events; empty without.
%     parameters  every group of the file as a struct of its parameters:
%                 D.parameters.POINT.RATE, D.parameters.FORCE_PLATFORM.CORNERS,
%                 ... Numbers are doubles of the parameter's dimensions (a
%                 row for one dimension; 16-bit integers as stored, signed,
%                 bytes unsigned), characters a char row (one string) or a
%                 cell of rows (trailing blanks trimmed). Names are made
%                 valid field names (a name that does not start with a
%                 letter gets an "x" in front); a parameter whose group the
%                 file does not name goes into GROUP<id>.
%
%   What is read, as the format's documents say and writers do: the three
%   processor formats (Intel; DEC, whose VAX floats are decoded exactly;
%   MIPS, big-endian), integer and float storage (decided by the sign of
%   POINT:SCALE), every parameter record in any order (locked ones too,
%   records without descriptions, a section that runs past the blocks it
%   declares, a last offset of 0 or past the section), the frame count of
%   TRIAL:ACTUAL_START_FIELD and ACTUAL_END_FIELD (32-bit, for files of
%   more than 65,535 frames), else POINT:LONG_FRAMES, else POINT:FRAMES
%   read as an unsigned 16-bit number, else the header's first and last
%   frames. POINT:USED must agree with the header's marker count.
%
%   A file cut short: the complete frames it holds are read, with the
%   warning rotkit:c3dread:frameCount, which names the file and both
%   counts; warning('error', 'rotkit:c3dread:frameCount') makes such files
%   errors.
%
%   Errors name the file:
%     rotkit:c3dread:notEnoughInputs  no input
%     rotkit:c3dread:tooManyInputs    more than one input
%     rotkit:c3dread:tooManyOutputs   more than one output
%     rotkit:c3dread:fileName     FILE is not a character row
%     rotkit:c3dread:cannotOpen   the file cannot be opened or read
%     rotkit:c3dread:header       not a C3D file (no 0x50 key, shorter
%                                 than its header), no parameter block
%     rotkit:c3dread:parameters   an unknown processor type, a record that
%                                 runs past the section or points back, an
%                                 unknown parameter type
%     rotkit:c3dread:layout       counts that disagree (POINT:USED and the
%                                 header, analog values not a whole number
%                                 of channels), no data start, a scale of 0
%     rotkit:c3dread:tooLarge     more frames or samples than 2^31 - 1
%     rotkit:c3dread:outOfMemory  not enough memory
%   and the warning rotkit:c3dread:frameCount (above).
%
%   Example: the sample walk's 26 joints as markers, with two analog
%   channels at four samples a frame and two events.
%     >> file = fullfile(fileparts(which('c3dread')), 'samples', 'walk.c3d');
%     >> d = c3dread(file);
%     >> sizes = [size(d.points), size(d.analog)]   % 3M x N, C x S
%     sizes =
%         78   120     2   480
%     >> head = d.labels{5}
%     head = Head
%     >> rates = [d.pointRate, d.analogRate]
%     rates =
%         30   120
%     >> start = d.points(13:15, 1)'                 % the head in frame 1
%     start =
%          0.2600   149.3300     4.9600
%     >> events = d.events.times
%     events =
%        0.5000   1.0000
%     >> side = d.events.contexts{1}
%     side = Left
%     >> units = d.parameters.POINT.UNITS
%     units = cm
%
%
%   See also C3DWRITE, TRCREAD, POSECHAIN, MOTIONMAP.

% This file holds the help text; the function itself is a MEX file.
