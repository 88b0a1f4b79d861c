%ROT2MAT Rotation matrices of quaternions.
%   R = ROT2MAT(Q) gives the 3 x 3 rotation matrix of each quaternion of Q:
%   R(:,:,k) * v turns v as rotapply(Q(:,k), v) does, the active rotation
%   q * [0; v] * conj(q). Quaternions are stored scalar first, [w; x; y; z],
%   one per column; the product is Hamilton's (i*j = k).
%
%   Q is 4 x N, real double; R is 3 x 3 x N: 3 x 3 for N = 1, and a
%   3 x 3 x 0 array for a 4 x 0 Q. Arrays with more than two dimensions
%   count their trailing dimensions as columns.
%
%   The elements, each rounded in this order (pairs first, the doubling
%   exact):
%     R(1,1) = (w*w + x*x) - (y*y + z*z)   R(1,2) = 2*(x*y - w*z)
%     R(2,2) = (w*w + y*y) - (x*x + z*z)   R(2,1) = 2*(x*y + w*z)
%     R(3,3) = (w*w + z*z) - (x*x + y*y)   R(1,3) = 2*(x*z + w*y)
%     R(3,1) = 2*(x*z - w*y)  R(2,3) = 2*(y*z - w*x)  R(3,2) = 2*(y*z + w*x)
%   Q is not normalised: a unit q gives a rotation matrix, any other q
%   gives |q|^2 times the rotation matrix of q/|q| (the diagonal is
%   w^2 + x^2 - y^2 - z^2, never 1 - 2(y^2 + z^2)). rotapply is the same
%   rotation for unit q; for other q it is not this matrix (see its help).
%
%   Accuracy: each element within 1.0 * 2^-52 of the exact matrix, |q|^2
%   times the rotation, for unit quaternions and for half turns and near
%   them (docs/accuracy.md). For unit Q (to rounding), rot2mat(Q) * V and
%   rotapply(Q, V) agree to within 5 * 2^-52 * |V|. Every result is defined
%   bit for bit; NaN and Inf go into their own pages.
%
%   Errors, checked in this order (the first failure is reported), with
%   their identifiers (err.identifier in a catch); each message names the
%   argument, as "Q must be a real, full double array." does:
%     rotkit:rot2mat:notEnoughInputs  no input
%     rotkit:rot2mat:tooManyInputs    more than one input
%     rotkit:rot2mat:tooManyOutputs   more than one output
%     rotkit:rot2mat:notRealDouble    Q of another class, or complex
%     rotkit:rot2mat:sparse           Q sparse
%     rotkit:rot2mat:tooLarge         a count of Q of 2^31 or more
%     rotkit:rot2mat:qRows            Q without 4 rows
%
%   A bare call at the prompt gives its result in ans.
%
%   Examples: a quarter turn about z takes x to y (its elements shown as 1
%   are 2*sqrt(0.5)^2, one ulp above 1); a third of a turn about [1; 1; 1].
%     >> R = rot2mat([sqrt(0.5); 0; 0; sqrt(0.5)])   % 90 degrees about z
%     R =
%        0  -1   0
%        1   0   0
%        0   0   1
%     >> rot2mat([0.5; 0.5; 0.5; 0.5])            % x to y, y to z, z to x
%     ans =
%        0   0   1
%        1   0   0
%        0   1   0
%
%
%   See also MAT2ROT, ROTAPPLY, ROTNORMALIZE.

% This file holds the help text; the function itself is compiled (an oct-file
% in Octave, a MEX file in MATLAB).
