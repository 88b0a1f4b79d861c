%ROTINTEGRATE Orientations from sampled angular velocities (a gyroscope's).
%   Q = ROTINTEGRATE(W, t, q0) gives the orientations Q(:,k) (quaternions,
%   scalar first, [w; x; y; z]) that start at q0 = Q(:,1) and turn with the
%   angular velocities W(:,k) (radians per unit of time) in the body's
%   frame: a gyroscope's rates. Q = ROTINTEGRATE(W, t, q0, frame) chooses
%   the frame of W: 'body' (the default) or 'world' (the fixed frame).
%
%   W is 3 x N, or 3J x N for J joints, and q0 is then 4J x 1; Q is 4 x N
%   (4J x N), joint by joint. t is the sample interval (a positive scalar)
%   or the times of the samples (a 1 x N row, strictly increasing).
%
%   Method: each step turns by the exponential of its rotation vector by
%   the trapezoid rule, (W(:,k) + W(:,k+1)) * (t(k+1) - t(k)) / 2, on the
%   right of the orientation before it (on the left for 'world'). So Q is
%   exact (to rounding) for a constant angular velocity and second-order
%   accurate for a smooth one, and ROTINTEGRATE(ROTVEL(Q, t), t, Q(:, 1))
%   returns Q to that accuracy (docs/accuracy.md). The products are formed
%   in blocks of 1000 steps, then joined block by block, so rounding grows
%   with the block and the block count rather than with N; Q keeps the
%   length of q0 (every turn is a unit quaternion). Every result is defined
%   bit for bit (each operation rounded on its own, in a fixed order; the
%   toolbox's own sine and cosine), the same on every processor and thread
%   count. N = 0 gives a 4J x 0 Q.
%
%   Errors, checked in this order (err.identifier in a catch):
%     rotkit:rotintegrate:notEnoughInputs, rotkit:rotintegrate:tooManyInputs,
%     rotkit:rotintegrate:tooManyOutputs
%         argument counts
%     rotkit:rotintegrate:notRealDouble, rotkit:rotintegrate:sparse
%         W, then t, then q0, not a real full double array
%     rotkit:rotintegrate:tooLarge
%         a count beyond 2^31
%     rotkit:rotintegrate:wRows
%         rows of W not a multiple of 3
%     rotkit:rotintegrate:q0Shape
%         q0 not a 4J x 1 column for the J joints of W
%     rotkit:rotintegrate:timeInterval
%         a scalar t not positive and finite
%     rotkit:rotintegrate:timeShape
%         t neither a scalar nor a 1 x N row
%     rotkit:rotintegrate:timeOrder
%         times not finite and strictly increasing
%     rotkit:rotintegrate:frame
%         frame not 'body' or 'world'
%   A call without an output returns Q into ans.
%
%   Examples: a constant rate of pi/2 rad/s about z for one second, in
%   three steps; and the round trip through ROTVEL.
%     >> Q = rotintegrate(repmat([0; 0; pi/2], 1, 3), 0.5, [1; 0; 0; 0])
%     Q =
%        1.0000   0.9239   0.7071
%             0        0        0
%             0        0        0
%             0   0.3827   0.7071
%     >> t = [0 0.1 0.25 0.3];
%     >> P = [cos(t.^2); sin(t.^2); zeros(2, 4)];
%     >> err = max(max(abs(rotintegrate(rotvel(P, t), t, P(:, 1)) - P))) < 1e-3
%     err = 1
%
%
%   See also ROTVEL, ROTINTERP, VEC2ROT.

% This file holds the help text; the function itself is compiled (an oct-file
% in Octave, a MEX file in MATLAB).
