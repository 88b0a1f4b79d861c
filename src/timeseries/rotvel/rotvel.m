%ROTVEL Angular velocity of a motion of quaternions at every sample.
%   W = ROTVEL(Q, t) gives the angular velocity W(:,k), in radians per unit
%   of time, of the orientations Q (scalar first, [w; x; y; z], one sample
%   per column) at every sample, in the body's frame: what a gyroscope
%   fixed to the body measures. W = ROTVEL(Q, t, frame) chooses the frame:
%   'body' (the default) or 'world' (the fixed frame; Q maps body to world).
%
%   t is the sample interval (a positive scalar) or the times of the
%   samples (a 1 x N row, strictly increasing; uneven steps allowed). Q is
%   4 x N, or 4J x N for J joints (a motion's rotations, every joint at
%   once), and W is then 3 x N (3J x N), joint by joint. Q and -Q are the
%   same rotation: neighbouring samples are joined along the shorter arc.
%
%   Method: the turn between neighbouring samples, Q(:,k)' * Q(:,k+1) (in
%   the body's frame), as a rotation vector over its time step is the mean
%   rate of the step; the rate at a sample weights the two steps beside it
%   by the other step's length (the middles' rates interpolated), and the
%   first and last samples extrapolate the two nearest steps. So W is exact
%   (to rounding) for a constant angular velocity, at every sample, the
%   first and last included, and second-order accurate for a smooth motion
%   (halving the step divides the error by about four), uneven sampling
%   included (docs/accuracy.md). Two samples give the one step's rate at
%   both; a single sample gives NaN. Every result is defined bit for bit
%   (each operation rounded on its own, in a fixed order; the toolbox's own
%   arc tangent), the same on every processor and thread count.
%
%   Errors, checked in this order (err.identifier in a catch):
%     rotkit:rotvel:notEnoughInputs, rotkit:rotvel:tooManyInputs,
%     rotkit:rotvel:tooManyOutputs
%         argument counts
%     rotkit:rotvel:notRealDouble, rotkit:rotvel:sparse
%         Q, then t, not a real full double array
%     rotkit:rotvel:tooLarge
%         a count beyond 2^31
%     rotkit:rotvel:qRows
%         rows of Q not a multiple of 4
%     rotkit:rotvel:timeInterval
%         a scalar t not positive and finite
%     rotkit:rotvel:timeShape
%         t neither a scalar nor a 1 x N row
%     rotkit:rotvel:timeOrder
%         times not finite and strictly increasing
%     rotkit:rotvel:frame
%         frame not 'body' or 'world'
%   A call without an output returns W into ans.
%
%   Examples: a turn about z at 2 rad/s sampled every 0.1 s; the same turn
%   seen in the world frame after a quarter turn about x.
%     >> t = 0:0.1:0.3;
%     >> Q = [cos(t); zeros(2, 4); sin(t)];
%     >> W = rotvel(Q, 0.1)
%     W =
%        0   0   0   0
%        0   0   0   0
%        2   2   2   2
%     >> Qx = rotcompose([cos(pi/4); sin(pi/4); 0; 0], Q);
%     >> Wworld = rotvel(Qx, t, 'world');
%     >> aboutMinusY = max(max(abs(Wworld - [0; -2; 0]))) < 1e-12
%     aboutMinusY = 1
%
%
%   See also ROTINTEGRATE, ROTINTERP, ROTUNWRAP, ROT2VEC.

% This file holds the help text; the function itself is compiled (an oct-file
% in Octave, a MEX file in MATLAB).
