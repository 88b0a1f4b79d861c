%ROTSLERP Spherical interpolation between rotations, column by column.
%   Q = ROTSLERP(Q1, Q2, T) gives, in column k of Q, the rotation at
%   parameter T(k) on the great circle from Q1(:, k) (T = 0) to Q2(:, k)
%   (T = 1), along the shorter arc. Quaternions are stored scalar first,
%   [w; x; y; z], one per column; they are the active rotations of the
%   Hamilton product (i*j = k) that ROTCOMPOSE computes.
%
%   Q1 and Q2 are real 4 x N double arrays, T a real 1 x N row. Any of the
%   three may have a single column (T a scalar), which is then used for
%   every column of the others: ROTSLERP(Q1, Q2, 0.5) halves N pairs,
%   ROTSLERP(Q1, Q2, T) with one Q1 and one Q2 is ROTBLEND(Q1, Q2, T). Q is
%   4 x N. Arrays of more than two dimensions count their trailing
%   dimensions as columns (4 x 2 x 3 is six quaternions). Empty inputs
%   with the right rows give an empty result: a 4 x 0 Q1 gives a 4 x 0 Q.
%   A bare call at the prompt returns the result into ans.
%
%   Column k is bit for bit ROTBLEND(Q1(:, k), Q2(:, k), T(k)): the same
%   formulas in the same order. Shorter arc: when the dot product d of
%   the two quaternions is negative, the second is negated, so a column at
%   T = 1 may be -Q2(:, k), the same rotation. When |d| < 0.999 the result
%   is the spherical formula, not normalised; at and above 0.999 (and for
%   a NaN d) it is the linear blend (1 - T)*Q1 + T*Q2, normalised to unit
%   length. T is not clamped: values outside [0, 1] continue along the same
%   path. NaN and Inf are not guarded: they give NaN columns.
%
%   Accuracy: the result is defined bit for bit, the same on every
%   processor and vector path: the arc tangent and the sines are the
%   toolbox's own, as in ROTBLEND. Against the formula evaluated in
%   long double, for unit end rotations in the spherical branch and T in
%   [0, 1], each element is within 2 ulps of 1 (1.65 the worst of 15000
%   columns that tests/rotations/rotslerp measures, a quarter of them near 0.999).
%   The linear branch is the normalised blend: on the same arc, but not at
%   constant speed; at the threshold its rotation at T lags or leads the
%   spherical one by at most 2.9e-6 radians.
%
%   Errors, checked in this order (the first failure is reported; nothing
%   is created before it), with their identifiers (err.identifier in a
%   catch); each message names the argument, as "Q1 must be a real, full
%   double array." does:
%     rotkit:rotslerp:notEnoughInputs  fewer than three inputs
%     rotkit:rotslerp:tooManyInputs    more than three inputs
%     rotkit:rotslerp:tooManyOutputs   more than one output
%     rotkit:rotslerp:notRealDouble    Q1, Q2 or T of another class, or
%                                      complex
%     rotkit:rotslerp:sparse           Q1, Q2 or T sparse
%     rotkit:rotslerp:tooLarge         a count of Q1, Q2 or T of 2^31 or
%                                      more
%     rotkit:rotslerp:q1Rows           Q1 without 4 rows
%     rotkit:rotslerp:q2Rows           Q2 without 4 rows
%     rotkit:rotslerp:tRows            T not a row
%     rotkit:rotslerp:columnMismatch   column counts that differ, none of
%                                      them 1
%
%   Example: halfway along a quarter turn about z is 45 degrees; one pair
%   per column, each at a parameter of its own; a 45-degree turn about x
%   and its negative, halfway from the identity, give the same 22.5
%   degrees (the shorter arc).
%     >> q1 = [1; 0; 0; 0];
%     >> q2 = [cos(pi/4); 0; 0; sin(pi/4)];      % 90 degrees about z
%     >> half = rotslerp(q1, q2, 0.5)
%     half =
%        0.9239
%             0
%             0
%        0.3827
%     >> degrees = 2 * atan2(half(4), half(1)) * 180 / pi
%     degrees = 45
%     >> Q = rotslerp([q1, q1, q2], [q2, q2, q1], [0 0.5 1]);
%     >> angles = 2 * atan2(Q(4, :), Q(1, :)) * 180 / pi
%     angles =
%         0   45    0
%     >> qx = [cos(pi/8); sin(pi/8); 0; 0];      % 45 degrees about x
%     >> both = rotslerp(q1, [qx, -qx], 0.5);
%     >> xdegrees = 2 * atan2(both(2, :), both(1, :)) * 180 / pi
%     xdegrees =
%        22.500   22.500
%
%
%   See also ROTBLEND, ROTCOMPOSE, ROTREVERSE, MOTIONRESAMPLE.

% This file holds the help text; the function itself is compiled (an oct-file
% in Octave, a MEX file in MATLAB).
