%ROTINTERP Rotations of a motion at any time: great arcs or a C2 spline.
%   Qi = ROTINTERP(t, Q, ti) gives the rotations at the query times ti
%   (1 x M) of the keys Q (quaternions, scalar first, [w; x; y; z], one per
%   column) at the times t: the great arc between the two neighbouring
%   keys, the shorter way, at constant rate. Qi = ROTINTERP(t, Q, ti,
%   method) chooses the method, 'slerp' (the default) or 'spline': a C2
%   rotation spline through the keys, whose angular velocity and angular
%   acceleration are continuous at every key. [Qi, Wi, Ai] = ROTINTERP(...)
%   also gives the angular velocity Wi and acceleration Ai at ti, in the
%   body's frame (as ROTVEL's default).
%
%   Q is 4 x N, or 4J x N for J joints, every joint at once; Qi is 4 x M
%   (4J x M), Wi and Ai 3 x M (3J x M). t is the key interval (a positive
%   scalar: keys at 0, t, 2t, ...) or the key times (a 1 x N row, strictly
%   increasing). A query time equal to a key time gives that key itself,
%   bit for bit; one outside [t(1), t(end)], or NaN, gives NaN columns.
%
%   'slerp': Q(:,k) times the exponential of s times the rotation vector of
%   Q(:,k)' * Q(:,k+1), s the query's fraction of the step: on the great
%   arc to within a few units of 2^-52 however close the keys (no linear
%   blend for close keys, unlike ROTSLERP). Wi is that rotation vector over
%   the step's length, Ai zero.
%   'spline': the construction of scipy's RotationSpline: on each step
%   Q(:,k) times the exponential of a rotation vector cubic in time, whose
%   rates at the keys make the angular acceleration continuous; the first
%   and last keys' rates are the mean rates of the first and last steps.
%   The rates solve a block-tridiagonal system, its term quadratic in the
%   rates iterated until no rate moves by 1e-12 of itself (at most 20
%   times). Results agree with scipy's to its tolerance (docs/accuracy.md).
%   A single key gives NaN rates. Every result is defined bit for bit, the
%   same on every processor and thread count.
%
%   Errors, checked in this order (err.identifier in a catch):
%     rotkit:rotinterp:notEnoughInputs, rotkit:rotinterp:tooManyInputs,
%     rotkit:rotinterp:tooManyOutputs
%         argument counts
%     rotkit:rotinterp:notRealDouble, rotkit:rotinterp:sparse
%         t, then Q, then ti, not a real full double array
%     rotkit:rotinterp:tooLarge
%         a count beyond 2^31
%     rotkit:rotinterp:qRows
%         rows of Q not a multiple of 4
%     rotkit:rotinterp:timeInterval
%         a scalar t not positive and finite
%     rotkit:rotinterp:timeShape
%         t neither a scalar nor a 1 x N row
%     rotkit:rotinterp:timeOrder
%         key times not finite and strictly increasing
%     rotkit:rotinterp:tiShape
%         ti not a row
%     rotkit:rotinterp:method
%         method not 'slerp' or 'spline'
%   A call without an output returns Qi into ans.
%
%   Examples: halfway along a quarter turn about z, between keys one
%   second apart; then the spline's rate through three keys, and a query
%   outside the keys.
%     >> Q = [1 cos(pi/4); 0 0; 0 0; 0 sin(pi/4)];
%     >> Qi = rotinterp([0 1], Q, 0.5)
%     Qi =
%        0.9239
%             0
%             0
%        0.3827
%     >> Q3 = [cos([0 0.5 1]); zeros(2, 3); sin([0 0.5 1])];
%     >> [Qs, Ws] = rotinterp(1, Q3, [0.5 1.5 3], 'spline');
%     >> Ws
%     Ws =
%          0     0   NaN
%          0     0   NaN
%          1     1   NaN
%
%
%   See also ROTVEL, ROTINTEGRATE, ROTSLERP, MOTIONRESAMPLE.

% This file holds the help text; the function itself is compiled (an oct-file
% in Octave, a MEX file in MATLAB).
