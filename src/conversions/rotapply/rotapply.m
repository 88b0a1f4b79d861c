%ROTAPPLY Turn vectors by quaternions, column by column.
%   V2 = ROTAPPLY(Q, V) turns each vector of V by its quaternion of Q:
%   V2(:,k) is the active rotation of V(:,k) by Q(:,k), the vector part of
%   Q(:,k) * [0; V(:,k)] * conj(Q(:,k)). Quaternions are stored scalar
%   first, [w; x; y; z], one per column; the product is Hamilton's
%   (i*j = k). For unit quaternions, rot2mat(Q(:,k)) * V(:,k) is the same
%   turn, and rotapply(Q1, rotapply(Q2, V)) is rotapply(rotcompose(Q1, Q2), V).
%
%   Q is 4 x N and V is 3 x N, real double; V2 is 3 x N. When N differs,
%   a side with one column is used for every column of the other (as in
%   rotcompose): one rotation for many vectors, or many rotations of one
%   vector. An empty side gives an empty result: a 4 x 0 Q gives 3 x 0.
%   Arrays with more than two dimensions count their trailing dimensions as
%   columns.
%
%   The turn is v + 2w(u x v) + 2u x (u x v), u = [x; y; z] the vector
%   part of q: the very function, with the same order of every product and
%   sum, that posechain turns its offsets with, so the two agree bit for
%   bit. Q is not normalised: for a unit q this is the rotation; for any
%   other q it is this formula as written, which is not a rotation and not
%   |q|^2 times one (rotnormalize Q first if it may have drifted).
%
%   Accuracy: for unit Q (to rounding), |V2 - exact| <= 4.5 * 2^-52 * |V|
%   over random rotations and near half turns (docs/accuracy.md), the
%   exact value being the rotation by Q/|Q| in long double. Every result is
%   defined bit for bit: each product and sum rounded on its own in a fixed
%   order, never fused. NaN and Inf go into their own columns.
%
%   Errors, checked in this order (the first failure is reported), with
%   their identifiers (err.identifier in a catch); each message names the
%   argument, as "Q must be a real, full double array." does:
%     rotkit:rotapply:notEnoughInputs  fewer than two inputs
%     rotkit:rotapply:tooManyInputs    more than two inputs
%     rotkit:rotapply:tooManyOutputs   more than one output
%     rotkit:rotapply:notRealDouble    Q of another class, or complex
%     rotkit:rotapply:sparse           Q sparse
%     rotkit:rotapply:tooLarge         a count of Q of 2^31 or more
%                                      (the same three checks for V)
%     rotkit:rotapply:qRows            Q without 4 rows
%     rotkit:rotapply:vRows            V without 3 rows
%     rotkit:rotapply:columnMismatch   column counts that differ, neither 1
%
%   A bare call at the prompt gives its result in ans.
%
%   Examples: a third of a turn about [1; 1; 1] takes x to y and y to z;
%   a half turn about z, broadcast over two vectors.
%     >> q = [0.5; 0.5; 0.5; 0.5];               % 120 degrees about [1; 1; 1]
%     >> v2 = rotapply(q, [1 0; 0 1; 0 0])
%     v2 =
%        0   0
%        1   0
%        0   1
%     >> rotapply([0; 0; 0; 1], [1 0; 2 0; 3 5])  % 180 degrees about z
%     ans =
%       -1   0
%       -2   0
%        3   5
%
%
%   See also ROT2MAT, ROTNORMALIZE, ROTCOMPOSE, POSECHAIN.

% This file holds the help text; the function itself is compiled (an oct-file
% in Octave, a MEX file in MATLAB).
