%MOTREAD  Read an OpenSim MOT or STO table.
%   T = MOTREAD(FILE) reads the MOT or STO file FILE (joint angles, forces,
%   any table of OpenSim's) into a struct; a bare call returns T into ans.
%   Numbers are read correctly rounded; NaN, Inf and -Inf in any case.
%
%   T:
%     labels     1 x C cell: the column labels, time included.
%     data       C x R: one column per row of the file, so that frames are
%                columns as everywhere in the toolbox: T.data(1, :) is
%                the time of each row where the first label is time.
%     name       the header's first line where it is a name ("name N" in
%                older files gives N), else ''.
%     inDegrees  true for inDegrees=yes, false for no, [] without it.
%     header     1 x H cell: the header's other lines as written (version,
%                nRows, nColumns, inDegrees, free text, blank lines).
%
%   The file: header lines up to a line "endheader" (key=value lines as
%   OpenSim writes them, or "key value" as older files do), then the
%   labels (parted by tabs where the line has any, so a label may hold
%   spaces, else by blanks), then a row per line, values parted by blanks
%   and tabs; blank lines are skipped; lines may end in LF, CR LF or CR.
%
%   Row counts. A file whose rows are more or fewer than nRows (or
%   datarows) says is read as it is, with the warning
%   rotkit:motread:rowCount, which names the file and both counts.
%
%   Errors name the file and the line:
%     rotkit:motread:notEnoughInputs  no input
%     rotkit:motread:tooManyInputs    more than one input
%     rotkit:motread:tooManyOutputs   more than one output
%     rotkit:motread:fileName     FILE is not a character row
%     rotkit:motread:cannotOpen   the file cannot be opened or read
%     rotkit:motread:header       no endheader, no labels, an inDegrees
%                                 other than yes or no
%     rotkit:motread:rowValues    a row with more or fewer values than labels
%     rotkit:motread:number       a value that is not a number, or beyond
%                                 the largest double
%     rotkit:motread:tooLarge     more columns or rows than the toolbox counts
%     rotkit:motread:outOfMemory  not enough memory
%   and the warning rotkit:motread:rowCount (above).
%
%   Example: the sample walk's joint angles, in degrees.
%     >> file = fullfile(fileparts(which('motread')), 'samples', 'walk.mot');
%     >> t = motread(file);
%     >> columns = t.labels(1:4)
%     columns =
%     {
%       [1,1] = time
%       [1,2] = Hips_z
%       [1,3] = Hips_x
%       [1,4] = Hips_y
%     }
%     >> sizes = size(t.data)
%     sizes =
%         19   120
%     >> degrees = t.inDegrees
%     degrees = 1
%     >> knee = t.data(strcmp(t.labels, 'LeftLeg_x'), 1:3)
%     knee =
%        5.0893   5.6155   7.7118
%
%
%   See also MOTWRITE, TRCREAD, MOTIONMAP.

% This file holds the help text; the function itself is a MEX file.
