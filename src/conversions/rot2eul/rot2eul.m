%ROT2EUL Euler angles of quaternions, column by column.
%   A = ROT2EUL(Q, SEQ) gives the angles A(:,k) (radians) of the rotation of
%   each quaternion Q(:,k), scalar first [w; x; y; z], for the axis sequence
%   SEQ, such that EUL2ROT(A, SEQ) is that rotation (Q/norm(Q) or its
%   negative). Q is 4 x N real double and need not be unit (a common factor
%   changes nothing); A is 3 x N (a 4 x 0 Q gives a 3 x 0 A).
%   [A, LOCKED] = ROT2EUL(Q, SEQ) also gives the 1 x N logical LOCKED, true
%   for the columns at gimbal lock.
%
%   SEQ is as for EUL2ROT: three axis letters, upper case intrinsic ('ZXY'
%   is Rz*Rx*Ry), lower case extrinsic ('zxy' is Ry*Rx*Rz), the six
%   Tait-Bryan and the six proper Euler sequences. Ranges: the first and
%   third angles lie in [-pi, pi]; the second in [-pi/2, pi/2] for
%   Tait-Bryan sequences, in [0, pi] for proper Euler ones.
%
%   Gimbal lock: where the second angle lies within 2^-50 rad of a limit of
%   its range (-pi/2 or pi/2; 0 or pi) the first and third angles are not
%   determined one by one, only their sum or difference. There the third
%   angle is 0, the first carries the whole turn, and LOCKED is true. The
%   tolerance is about the rounding error of the quaternion itself, so the
%   angles still give the rotation of Q to within 2^-49 rad; an angle
%   farther from the pole (1e-9 rad, say) keeps all three angles.
%   Nothing is printed, ever.
%
%   The method is the direct one of Bernardes and Viollet (2022): every
%   angle is an atan2 of sums and differences of components, so nothing
%   loses digits near a pole as asin and acos do. The rotation that A gives
%   lies within 3.5 units of 2^-52 rad of the rotation of Q, poles
%   included (docs/accuracy.md). Every result is defined bit for bit: each
%   operation is rounded on its own, in a fixed order, the arc tangent is
%   the toolbox's own. NaN components give NaN angles.
%
%   Errors, checked in this order (the first failure is reported), with
%   their identifiers (err.identifier in a catch); each message names the
%   argument, as "Q must be a real, full double array." does:
%     rotkit:rot2eul:notEnoughInputs  fewer than two inputs
%     rotkit:rot2eul:tooManyInputs    more than two inputs
%     rotkit:rot2eul:tooManyOutputs   more than two outputs
%     rotkit:rot2eul:notRealDouble    Q of another class, or complex
%     rotkit:rot2eul:sparse           Q sparse
%     rotkit:rot2eul:tooLarge         a count of Q of 2^31 or more
%     rotkit:rot2eul:qRows            Q without 4 rows
%     rotkit:rot2eul:seqForm          seq not a 1 x 3 char row
%     rotkit:rot2eul:seqLetters       a letter other than x, y, z
%     rotkit:rot2eul:seqCase          upper and lower case mixed
%     rotkit:rot2eul:seqRepeat        an axis twice in a row (ZZX)
%   Arrays with more than two dimensions count their trailing dimensions as
%   columns. A call without an output returns A into ans.
%
%   Examples: the angles of a quarter turn about z, then a rotation at
%   gimbal lock: the second angle pi/2, the third 0, the first the rest.
%     >> a = rot2eul([cos(pi/4); 0; 0; sin(pi/4)], 'ZYX')   % 90 degrees about z
%     a =
%        1.5708
%             0
%             0
%     >> q = eul2rot([0.5; pi/2; 0.25], 'ZYX');
%     >> [a, locked] = rot2eul(q, 'ZYX')
%     a =
%        0.2500
%        1.5708
%             0
%     locked = 1
%
%
%   See also EUL2ROT, ROT2VEC, ROTREVERSE.

% This file holds the help text; the function itself is compiled (an oct-file
% in Octave, a MEX file in MATLAB).
