%VEC2ROT Unit quaternions from rotation vectors, column by column.
%   Q = VEC2ROT(V) turns each rotation vector V(:,k), the axis of the turn
%   times its angle in radians, into the unit quaternion Q(:,k), scalar
%   first [w; x; y; z]: with t = norm(V(:,k)),
%     Q(:,k) = [cos(t/2); sin(t/2)/t * V(:,k)].
%   V is 3 x N real double; Q is 4 x N (a 3 x 0 V gives a 4 x 0 Q).
%
%   Quaternions are Hamilton's (i*j = k); Q turns a vector u into Q*u*Q',
%   the active rotation, by t about V's direction, counterclockwise seen
%   from its tip. V = 0 gives exactly [1; 0; 0; 0], and a tiny V keeps every
%   digit: below t = 1/16 the two factors come from their series in t^2,
%   so V = 1e-300*axis gives [1; 5e-301*axis] (below about 1e-308 the
%   halving rounds as any subnormal number does). The norm is summed
%   without overflow for any finite V. For angles up to pi each component
%   lies within 1.5 units of 2^-52 of the exact quaternion
%   (docs/accuracy.md); beyond, the rounding of the angle itself adds
%   about 0.4*t units. Every result is defined bit for bit: each operation
%   is rounded on its own, in a fixed order, the sine and cosine are the
%   toolbox's own. NaN and Inf give NaN columns.
%
%   Errors, checked in this order (the first failure is reported), with
%   their identifiers (err.identifier in a catch); each message names the
%   argument, as "V must be a real, full double array." does:
%     rotkit:vec2rot:notEnoughInputs  no input
%     rotkit:vec2rot:tooManyInputs    more than one input
%     rotkit:vec2rot:tooManyOutputs   more than one output
%     rotkit:vec2rot:notRealDouble    V of another class, or complex
%     rotkit:vec2rot:sparse           V sparse
%     rotkit:vec2rot:tooLarge         a count of V of 2^31 or more
%     rotkit:vec2rot:vRows            V without 3 rows
%   Arrays with more than two dimensions count their trailing dimensions as
%   columns. A call without an output returns Q into ans.
%
%   Examples: a quarter turn about z, and no turn at all.
%     >> q = vec2rot([0; 0; pi/2])     % 90 degrees about z
%     q =
%        0.7071
%             0
%             0
%        0.7071
%     >> q = vec2rot([0 0; 0 0; pi/2 0])
%     q =
%        0.7071   1.0000
%             0        0
%             0        0
%        0.7071        0
%
%
%   See also ROT2VEC, EUL2ROT, ROTCOMPOSE.

% This file holds the help text; the function itself is compiled (an oct-file
% in Octave, a MEX file in MATLAB).
