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
%   Example:
%     q = [cos(pi/8); 0; 0; sin(pi/8)];    % 45 degrees about z
%     rotreverse(q)                        % 45 degrees back
%     rotcompose(q, rotreverse(q))         % [1; 0; 0; 0] to rounding
%     rotreverse([0, 2; 1, 0; 0, 0; 0, 0]) % [0, 0.5; -1, -0; -0, -0; -0, -0]
%
%   See also ROTCOMPOSE, ROTBLEND, POSECHAIN.

% This file holds the help text; the function itself is a MEX file.
