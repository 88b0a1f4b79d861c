%ROTCOMPOSE Hamilton product of two quaternion arrays, column by column.
%   QOUT = ROTCOMPOSE(Q1, Q2) multiplies the quaternions in the columns of
%   Q1 and Q2, Q1 always the left factor: QOUT(:,k) = Q1(:,k) * Q2(:,k).
%   Quaternions are stored scalar first, [w; x; y; z], one per column.
%
%   Q1 is 4 x N1 and Q2 is 4 x N2, real double. When N1 == N2 the columns
%   are paired; when one of them is 1 that single quaternion is combined
%   with every column of the other (broadcasting). QOUT is 4 x max(N1, N2).
%
%   The product is Hamilton's (i*j = k, j*i = -k), so the order matters.
%   Nothing is normalised: the product of non-unit quaternions is returned
%   as it comes out. Every result is defined bit for bit: each product and
%   sum is rounded on its own, in a fixed order. NaN and Inf pass through
%   into the columns whose factors hold them.
%
%   Errors, checked in this order (the first failure is reported):
%     "Two inputs required."              not exactly two inputs
%     "One output required."              not exactly one output requested
%     "Input must be a real double array." Q1 or Q2 complex or not double
%     "Input Dimension missmatch"         N1 ~= N2 and neither is 1
%     "Q1 is empty!" / "Q2 is empty!"     no columns
%     "Q1 has not 4 Dimensions!" / "Q2 has not 4 Dimensions!"
%     "Sparse input is not supported; convert it with full()."
%     "Input is too large: row and column counts must be below 2^31."
%
%   A bare call at the prompt requests no output and is refused: assign
%   the result, k = ROTCOMPOSE(i, j).
%
%   Examples: i*j = k and j*i = -k, then one quaternion, 45 degrees about
%   z, broadcast over two columns.
%     >> i = [0; 1; 0; 0];  j = [0; 0; 1; 0];
%     >> k = rotcompose(i, j)
%     k =
%        0
%        0
%        0
%        1
%     >> minusk = rotcompose(j, i)
%     minusk =
%        0
%        0
%        0
%       -1
%     >> qz = [cos(pi/8); 0; 0; sin(pi/8)];         % 45 degrees about z
%     >> q = rotcompose(qz, [qz, [1; 0; 0; 0]])     % qz*qz and qz*1
%     q =
%        0.7071   0.9239
%             0        0
%             0        0
%        0.7071   0.3827
%     >> degrees = 2 * atan2(q(4, :), q(1, :)) * 180 / pi
%     degrees =
%        90   45
%
%
%   See also ROTREVERSE, ROTBLEND, POSECHAIN.

% This file holds the help text; the function itself is compiled (an oct-file
% in Octave, a MEX file in MATLAB).
