%ROTDIST  Angle between rotations, column by column.
%   D = ROTDIST(Q1, Q2) gives D(k), the angle in radians, in [0, pi], of the
%   rotation that carries Q1(:,k) onto Q2(:,k): that of ROTCOMPOSE(
%   ROTREVERSE(Q1(:,k)), Q2(:,k)). Quaternions are scalar first,
%   [w; x; y; z]. Q1 and Q2 are 4 x N real double, or one of them 4 x 1 for
%   every column of the other; D is 1 x N. Quaternions need not be unit (a
%   common factor changes nothing), and Q and -Q are the same rotation.
%
%   The angle is 2*atan2(norm(v), abs(s)), s and v the scalar and vector
%   parts of Q1(:,k)^-1*Q2(:,k), with v formed from the difference of the
%   two quaternions, so that it keeps its digits near 0, where the arc
%   cosine of a dot product loses all of them (below about 1e-8 it gives
%   0), and near pi. For unit quaternions D lies within a few ulps of the
%   exact angle at every angle (docs/accuracy.md); for quaternions of
%   different lengths within a few units of 2^-52. ROTDIST(Q1, Q2) and
%   ROTDIST(Q2, Q1) are the same bits, and so are Q and -Q on either side.
%   A zero column, which is no rotation, and a NaN or Inf component give
%   NaN. Every result is defined bit for bit: each operation is rounded on
%   its own, in a fixed order, and the arc tangent is the toolbox's own;
%   vector paths and threads change speed, never bits.
%
%   Errors, checked in this order (the first failure is reported; nothing
%   is created before it), with their identifiers (err.identifier in a
%   catch); each message names the argument, as "Q1 must be a real, full
%   double array." does:
%     rotkit:rotdist:notEnoughInputs  fewer than two inputs
%     rotkit:rotdist:tooManyInputs    more than two inputs
%     rotkit:rotdist:tooManyOutputs   more than one output
%     rotkit:rotdist:notRealDouble    Q1 or Q2 of another class, or complex
%     rotkit:rotdist:sparse           Q1 or Q2 sparse
%     rotkit:rotdist:tooLarge         a count of Q1 or Q2 of 2^31 or more
%     rotkit:rotdist:q1Rows           Q1 without 4 rows
%     rotkit:rotdist:q2Rows           Q2 without 4 rows
%     rotkit:rotdist:columnMismatch   column counts that differ, neither
%                                     of them 1
%   Arrays with more than two dimensions count their trailing dimensions as
%   columns. A call without an output returns D into ans.
%
%   Examples: the identity against itself, a quarter and a half turn; a
%   turn by 1e-9 radians, which the arc cosine cannot see; q against -q.
%     >> q = [1 cos(pi/4) 0; 0 0 1; 0 0 0; 0 sin(pi/4) 0];
%     >> d = rotdist([1; 0; 0; 0], q)
%     d =
%             0   1.5708   3.1416
%     >> small = [cos(0.5e-9); sin(0.5e-9); 0; 0];      % 1e-9 about x
%     >> d = rotdist([1; 0; 0; 0], small)
%     d = 1.0000e-09
%     >> naive = 2 * acos(small(1))
%     naive = 0
%     >> d = rotdist(q(:, 2), -q(:, 2))
%     d = 0
%
%
%   See also ROTMEAN, ROTFIT, ROTCOMPOSE, ROTREVERSE, ROT2VEC.

% This file holds the help text; the function itself is a MEX file.
