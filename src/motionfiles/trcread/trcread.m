%TRCREAD  Read an OpenSim TRC marker file.
%   D = TRCREAD(FILE) reads the TRC file FILE into a struct with the fields
%   of C3DREAD where they apply; a bare call returns D into ans. Numbers
%   are read correctly rounded.
%
%   D, one column per frame:
%     points        3M x N: rows 3m-2 to 3m hold marker m (X, Y, Z) in
%                   each frame; NaN where the file leaves a value empty (a
%                   missing sample), writes NaN, or ends a row early.
%     labels        1 x M cell of the marker labels.
%     pointRate     DataRate (CameraRate without it).
%     firstFrame    the first row's frame number (1 without rows).
%     units         Units ('mm', 'm', ...).
%     time          1 x N: the Time column.
%     frameNumbers  1 x N: the Frame# column.
%     header        every name of the header's second line with the value
%                   under it (a number, or text): D.header.CameraRate, ...
%
%   The file: a line starting with PathFileType; the header's names and
%   their values; "Frame#", "Time" and the labels, each over its marker's
%   three columns or one after another; a line of coordinate names (X1,
%   Y1, Z1, ...), where the file has it; then a row per frame. Fields are
%   parted by tabs (an empty field is a missing value), or, where the
%   first row has no tab, by runs of blanks. The markers are those the
%   labels (or the coordinate names, where they name more) list, whatever
%   NumMarkers says. Lines may end in LF, CR LF or CR; blank lines are
%   skipped.
%
%   Frame counts. A file whose rows are more or fewer than NumFrames says
%   is read as it is, with the warning rotkit:trcread:frameCount, which
%   names the file and both counts.
%
%   Errors name the file and the line:
%     rotkit:trcread:notEnoughInputs  no input
%     rotkit:trcread:tooManyInputs    more than one input
%     rotkit:trcread:tooManyOutputs   more than one output
%     rotkit:trcread:fileName     FILE is not a character row
%     rotkit:trcread:cannotOpen   the file cannot be opened or read
%     rotkit:trcread:header       no PathFileType, no DataRate or
%                                 CameraRate, no line of labels
%     rotkit:trcread:frameValues  a row with a value beyond the markers
%     rotkit:trcread:number       a value that is not a number, or beyond
%                                 the largest double
%     rotkit:trcread:tooLarge     more markers or frames than the toolbox counts
%     rotkit:trcread:outOfMemory  not enough memory
%   and the warning rotkit:trcread:frameCount (above).
%
%   Example: the sample walk's 26 joints, in millimetres.
%     >> file = fullfile(fileparts(which('trcread')), 'samples', 'walk.trc');
%     >> d = trcread(file);
%     >> sizes = size(d.points)
%     sizes =
%         78   120
%     >> units = d.units
%     units = mm
%     >> time = d.time(1:3)
%     time =
%             0   0.033333   0.066667
%
%
%   See also TRCWRITE, C3DREAD, MOTREAD, MOTIONMAP.

% This file holds the help text; the function itself is a MEX file.
