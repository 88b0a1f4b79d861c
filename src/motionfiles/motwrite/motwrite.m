%MOTWRITE  Write a table as an OpenSim MOT or STO file.
%   MOTWRITE(FILE, T) writes T, a struct as MOTREAD returns it, as the MOT
%   or STO file FILE; F = MOTWRITE(...) also returns the file's name.
%   Numbers are written in the shortest form that reads back as the same
%   double (NaN, Inf and -Inf as words), so MOTREAD gives T's values back
%   bit for bit. The file is written whole through a temporary file beside
%   it, or not at all.
%
%   T's fields:
%     labels     1 x C cell, needed: no empty label, no tabs or line ends.
%     data       C x R, needed: one column per row of the file.
%     name       the first line (none or '': FILE's name without folder
%                and extension); one line without "=".
%     inDegrees  true or false: inDegrees=yes or no (none or []: left out).
%     header     1 x H cell of further header lines, written after the
%                ones MOTWRITE writes itself (those of T.header that set
%                version, nRows, nColumns, inDegrees, datarows,
%                datacolumns, or read endheader, are left out).
%   The file: the name; version=1; nRows=R; nColumns=C; inDegrees; the
%   header's lines; endheader; the labels parted by tabs; a row per column
%   of T.data, values parted by tabs.
%
%   Errors, before the file is touched:
%     rotkit:motwrite:notEnoughInputs  fewer than two inputs
%     rotkit:motwrite:tooManyInputs    more than two inputs
%     rotkit:motwrite:tooManyOutputs   more than one output
%     rotkit:motwrite:fileName    FILE is not a character row
%     rotkit:motwrite:table       T is not a struct with labels and data
%     rotkit:motwrite:labels     \
%     rotkit:motwrite:data        |  the field of that name of the wrong
%     rotkit:motwrite:name        |  class, shape or text
%     rotkit:motwrite:inDegrees   |
%     rotkit:motwrite:header     /
%     rotkit:motwrite:cannotWrite the file cannot be written
%     rotkit:motwrite:outOfMemory not enough memory
%
%   Example: the sample's angles in radians, written and read back.
%     >> t = motread(fullfile(fileparts(which('motread')), 'samples', 'walk.mot'));
%     >> t.data(2:end, :) = t.data(2:end, :) * pi / 180;
%     >> t.inDegrees = false;
%     >> file = motwrite(fullfile(tempdir, 'walk_radians.mot'), t);
%     >> back = motread(file);
%     >> same = isequal(back.data, t.data)
%     same = 1
%     >> delete(file)
%
%
%   See also MOTREAD, TRCWRITE.

% This file holds the help text; the function itself is a MEX file.
