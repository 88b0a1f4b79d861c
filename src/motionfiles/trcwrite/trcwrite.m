%TRCWRITE  Write markers as an OpenSim TRC file.
%   TRCWRITE(FILE, D) writes the markers of D, a struct as TRCREAD or
%   C3DREAD returns it, as the TRC file FILE; F = TRCWRITE(...) also
%   returns the file's name. Numbers are written in the shortest form that
%   reads back as the same double, so TRCREAD gives D's values back bit
%   for bit. The file is written whole through a temporary file beside
%   it, or not at all.
%
%   D's fields:
%     points        3M x N, needed; a NaN is written as an empty field (a
%                   missing sample).
%     pointRate     frames per second, needed: DataRate.
%     labels        1 x M cell (none: empty labels); no tabs or line ends.
%     units         Units (none or '': 'mm').
%     frameNumbers  1 x N (none: firstFrame, firstFrame + 1, ...).
%     firstFrame    (none: 1).
%     time          1 x N (none: (frame number - 1) / pointRate).
%     header        CameraRate, OrigDataRate, OrigDataStartFrame and
%                   OrigNumFrames where D has them (none: pointRate,
%                   pointRate, the first frame number, N).
%   The file: PathFileType 4 (X/Y/Z) and the file's name; the header;
%   Frame#, Time and each label over its three columns; X1 Y1 Z1 ...; a
%   blank line; a row per frame, fields parted by tabs.
%
%   Errors, before the file is touched:
%     rotkit:trcwrite:notEnoughInputs  fewer than two inputs
%     rotkit:trcwrite:tooManyInputs    more than two inputs
%     rotkit:trcwrite:tooManyOutputs   more than one output
%     rotkit:trcwrite:fileName    FILE is not a character row
%     rotkit:trcwrite:data        D is not a struct with points and pointRate
%     rotkit:trcwrite:points      not 3 rows per marker, or an infinite value
%     rotkit:trcwrite:rate        pointRate not positive and finite
%     rotkit:trcwrite:labels        \
%     rotkit:trcwrite:units          |  the field of that name of the
%     rotkit:trcwrite:frameNumbers   |  wrong class or shape, a label or
%     rotkit:trcwrite:time           |  unit with a tab or line end
%     rotkit:trcwrite:firstFrame     |
%     rotkit:trcwrite:header        /
%     rotkit:trcwrite:cannotWrite the file cannot be written
%     rotkit:trcwrite:outOfMemory not enough memory
%
%   Example: the sample C3D file's markers as a TRC file.
%     >> c = c3dread(fullfile(fileparts(which('c3dread')), 'samples', 'walk.c3d'));
%     >> file = trcwrite(fullfile(tempdir, 'walk.trc'), c);
%     >> back = trcread(file);
%     >> same = isequal(back.points, c.points)
%     same = 1
%     >> units = back.units
%     units = cm
%     >> delete(file)
%
%
%   See also TRCREAD, C3DWRITE, MOTWRITE.

% This file holds the help text; the function itself is a MEX file.
