%ROTNORMALIZE Quaternions divided by their lengths.
%   Q2 = ROTNORMALIZE(Q) divides each quaternion of Q by its length, so
%   that every column of Q2 is a unit quaternion: the same rotation, as
%   the other functions of the toolbox expect it. Quaternions are stored
%   scalar first, [w; x; y; z], one per column.
%
%   Q is 4 x N, real double; Q2 is 4 x N (a 4 x 0 Q gives 4 x 0). Arrays
%   with more than two dimensions count their trailing dimensions as
%   columns. The sign is kept: Q2(:,k) points the way Q(:,k) does.
%
%   Every result is defined bit for bit, in this order: the squared length
%   summed in pairs, s = (w*w + x*x) + (y*y + z*z); each component divided
%   by sqrt(s); then one correction of the length, each nonzero component
%   c becoming c - c*(e*0.5), with e = |c|^2 - 1 of those quotients summed
%   in the same pairs.
%   A quaternion with a component above 2^500, or all below 2^-500, is
%   first scaled by a power of two (exactly), so that its squares neither
%   overflow nor underflow: rotnormalize([1e200; 0; 0; 0]) is [1; 0; 0; 0]
%   and the tiniest quaternions come out unit as well.
%
%   Accuracy: each component within 0.9 * 2^-52 of the exact unit
%   quaternion, for lengths from 2^-1000 to 2^1000 (docs/accuracy.md).
%
%   Not guarded: a zero column gives NaN in every component, and so does a
%   column holding NaN or Inf. Signs of zero are kept.
%
%   Errors, checked in this order (the first failure is reported), with
%   their identifiers (err.identifier in a catch); each message names the
%   argument, as "Q must be a real, full double array." does:
%     rotkit:rotnormalize:notEnoughInputs  no input
%     rotkit:rotnormalize:tooManyInputs    more than one input
%     rotkit:rotnormalize:tooManyOutputs   more than one output
%     rotkit:rotnormalize:notRealDouble    Q of another class, or complex
%     rotkit:rotnormalize:sparse           Q sparse
%     rotkit:rotnormalize:tooLarge         a count of Q of 2^31 or more
%     rotkit:rotnormalize:qRows            Q without 4 rows
%
%   A bare call at the prompt gives its result in ans.
%
%   Examples: a 3-4-5 quaternion, one too large to square, and a zero one.
%     >> q2 = rotnormalize([3; 0; 0; 4])
%     q2 =
%        0.6000
%             0
%             0
%        0.8000
%     >> huge = rotnormalize([1e200; 0; 0; -1e200])  % 45 degrees about -z
%     huge =
%        0.7071
%             0
%             0
%       -0.7071
%     >> rotnormalize(zeros(4, 1))'
%     ans =
%        NaN   NaN   NaN   NaN
%
%
%   See also ROTAPPLY, ROT2MAT, MAT2ROT, ROTCOMPOSE.

% This file holds the help text; the function itself is compiled (an oct-file
% in Octave, a MEX file in MATLAB).
