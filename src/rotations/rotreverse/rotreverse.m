%ROTREVERSE Inverse of every quaternion of a quaternion array.
%   QINV = ROTREVERSE(Q) inverts the quaternions in the columns of Q:
%   QINV(:,k) is the conjugate of Q(:,k) divided by its squared norm.
%   Quaternions are stored scalar first, [w; x; y; z], one per column.
%
%   Q is 4 x N, real double; QINV is 4 x N. For a unit quaternion the
%   inverse is the conjugate, the same rotation run backwards. A quaternion
%   that is not of unit length is inverted, not normalised:
%   ROTREVERSE([2; 0; 0; 0]) is [0.5; -0; -0; -0].
%
%   An empty Q of any shape and any class gives a 0 x 0 double, without an
%   error. Q with more than four rows is read as N groups of four in storage
%   order: only its first 4*N elements count, and the groups need not line
%   up with its columns.
%
%   Every result is defined bit for bit: the squared norm is summed in a
%   fixed order and each component is divided by it on its own. The vector
%   part of the result is negated with its signs of zero, so [1; 0; 0; 0]
%   gives [1; -0; -0; -0]. Nothing is guarded: a zero quaternion gives four
%   NaN, one holding NaN gives NaN throughout, and a squared norm that
%   overflows or underflows gives what IEEE division yields, each in its own
%   column, without an error.
%
%   Errors, checked in this order (the first failure is reported):
%     "One inputs required."                not exactly one input
%     "One outputs required."               not exactly one output requested
%     "Input must be a real double array."  Q complex or not double
%     "Input is too large: row and column counts must be below 2^31."
%     "Sparse input is not supported; convert it with full()."
%     "Q must have at least 4 rows (w, x, y, z)."
%
%   A bare call at the prompt requests no output and is refused: assign
%   the result, QINV = ROTREVERSE(Q).
%
%   Examples: 45 degrees about z and back; a quaternion that is not of
%   unit length; the signs of zero, seen through 1 ./ QINV.
%     >> q = [cos(pi/8); 0; 0; sin(pi/8)];     % 45 degrees about z
%     >> back = rotreverse(q)                  % 45 degrees about -z
%     back =
%        0.9239
%             0
%             0
%       -0.3827
%     >> e = rotcompose(q, back)               % there and back: the identity
%     e =
%        1
%        0
%        0
%        0
%     >> r = rotreverse([0, 2; 1, 0; 0, 0; 0, 0])   % i and 2: -i and 1/2
%     r =
%             0   0.5000
%       -1.0000        0
%             0        0
%             0        0
%     >> signs = 1 ./ rotreverse([1; 0; 0; 0])'  % [1, -0, -0, -0] inverted
%     signs =
%          1  -Inf  -Inf  -Inf
%
%
%   See also ROTCOMPOSE, ROTBLEND, POSECHAIN.

% This file holds the help text; the function itself is compiled (an oct-file
% in Octave, a MEX file in MATLAB).
