%ROTMEAN  Mean rotation: the weighted chordal L2 mean.
%   M = ROTMEAN(Q) is the mean of the rotations in the columns of Q, 4 x N,
%   scalar first [w; x; y; z]: the unit quaternion M, w >= 0, whose
%   rotation matrix lies nearest to theirs in the sum of squared Frobenius
%   distances. It is the eigenvector of the largest eigenvalue of the 4 x 4
%   matrix sum_k Q(:,k)*Q(:,k)'/norm(Q(:,k))^2 (Markley, Cheng, Crassidis
%   and Oshman, "Averaging quaternions", 2007), so Q and -Q count alike and
%   neither the signs nor the lengths of the columns matter.
%   M = ROTMEAN(Q, W) weighs column k by W(k), a vector of N finite weights
%   of 0 or more. For Q 4J x N, as a motion's local rotations are laid out
%   (joint j in rows 4j-3 to 4j), M is 4J x 1: each joint's mean over the
%   frames.
%
%   A column with a NaN or Inf component, a zero column and a column of
%   weight 0 are left out (frames where ROTFIT found no rotation, say).
%   Where nothing is left, or where the largest eigenvalue is not unique,
%   the mean is not defined and M is NaN: the rotations spread so evenly
%   that none is nearer to all of them than others, as two rotations a half
%   turn apart with equal weights, or the 24 turns of a cube. Precisely, M
%   is NaN where the two largest eigenvalues lie within 2^-44 of the total
%   weight of each other; as they approach that, the mean rests more and
%   more on rounding (its error grows as the total weight over their
%   difference).
%
%   The sum runs in an order fixed by N alone: frames in blocks of 128,
%   eight running sums in each, blocks and chunks of 8192 frames added with
%   their rounding errors kept. M lies within a few units of 2^-52 of the
%   exact mean, times the total weight over the difference of the two
%   largest eigenvalues (docs/accuracy.md). Every result is defined bit for
%   bit; vector paths and threads change speed, never bits.
%
%   Errors, checked in this order (the first failure is reported; nothing
%   is created before it), with their identifiers (err.identifier in a
%   catch); each message names the argument, as "Q must be a real, full
%   double array." does:
%     rotkit:rotmean:notEnoughInputs  no input
%     rotkit:rotmean:tooManyInputs    more than two inputs
%     rotkit:rotmean:tooManyOutputs   more than one output
%     rotkit:rotmean:notRealDouble    Q or W of another class, or complex
%     rotkit:rotmean:sparse           Q or W sparse
%     rotkit:rotmean:tooLarge         a count of Q or W of 2^31 or more,
%                                     or joints times frames of 2^44
%     rotkit:rotmean:qRows            rows of Q not a multiple of 4
%     rotkit:rotmean:weightCount      W not a vector of one weight per
%                                     column of Q
%     rotkit:rotmean:weightValues     a weight negative, NaN or Inf
%   Arrays with more than two dimensions count their trailing dimensions as
%   columns. A call without an output returns M into ans.
%
%   Examples: turns about z by 10, 20 and 60 degrees (the last given as -q)
%   have a mean of about 30 degrees about z; without the third, weighted
%   out, of 15; two joints give 8 rows; the identity and a half turn,
%   equally weighted, have no mean.
%     >> z = @(deg) [cosd(deg / 2); 0; 0; sind(deg / 2)];
%     >> Q = [z(10), z(20), -z(60)];
%     >> m = rotmean(Q)
%     m =
%        0.9666
%             0
%             0
%        0.2561
%     >> angle = 2 * atan2(m(4), m(1)) * 180 / pi
%     angle = 29.678
%     >> m = rotmean(Q, [1 1 0]);
%     >> angle = 2 * atan2(m(4), m(1)) * 180 / pi
%     angle = 15.000
%     >> sizeOfTwo = size(rotmean([Q; Q([1 3 2 4], :)]))
%     sizeOfTwo =
%        8   1
%     >> m = rotmean([1 0; 0 1; 0 0; 0 0])
%     m =
%        NaN
%        NaN
%        NaN
%        NaN
%
%
%   See also ROTDIST, ROTFIT, ROTBLEND.

% This file holds the help text; the function itself is a MEX file.
