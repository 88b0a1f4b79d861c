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
%   Errors, checked in this order (the first failure is reported):
%     "Not enough input arguments."         no input
%     "Too many input arguments."           more than one input
%     "Too many output arguments."          more than one output
%     "Input must be a real double array."  Q another class, or complex
%     "Sparse input is not supported; convert it with full()."
%     "Input is too large: row and column counts must be below 2^31."
%     "Q must have 4 rows: one quaternion (w, x, y, z) per column."
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

% This file holds the help text; the function itself is a MEX file.
