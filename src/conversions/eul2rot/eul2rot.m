%EUL2ROT Unit quaternions from Euler angles, column by column.
%   Q = EUL2ROT(A, SEQ) turns each column of angles A(:,k) (radians) into the
%   unit quaternion Q(:,k), scalar first [w; x; y; z], of the rotation that
%   the axis sequence SEQ describes. A is 3 x N real double; Q is 4 x N
%   (a 3 x 0 A gives a 4 x 0 Q).
%
%   SEQ is a char row of three axis letters, no two neighbours equal: the
%   six Tait-Bryan sequences ('XYZ', 'XZY', 'YXZ', 'YZX', 'ZXY', 'ZYX') and
%   the six proper Euler ones ('XYX', 'XZX', 'YXY', 'YZY', 'ZXZ', 'ZYZ').
%   Upper case is intrinsic (the axes turn with the body): 'ZXY' is
%   Rz(A(1))*Rx(A(2))*Ry(A(3)), the reading of a BVH joint with CHANNELS
%   Zrotation Xrotation Yrotation. Lower case is extrinsic (fixed axes):
%   'zxy' is Ry(A(3))*Rx(A(2))*Rz(A(1)). Mixed case is refused.
%
%   Quaternions are Hamilton's (i*j = k); Q turns a vector v into Q*v*Q',
%   the active rotation, so Rz(a) turns x towards y for a > 0. Each
%   component comes from the half-angle sines and cosines in closed form
%   (two rounded products and one sum): within 2 units of 2^-52 of the
%   exact quaternion (docs/accuracy.md). Every result is defined bit for
%   bit: each operation is rounded on its own, in a fixed order, the sines
%   and cosines are the toolbox's own. NaN and Inf angles give NaN columns.
%
%   Errors, checked in this order (the first failure is reported), with
%   their identifiers (err.identifier in a catch); each message names the
%   argument, as "A must be a real, full double array." does:
%     rotkit:eul2rot:notEnoughInputs  fewer than two inputs
%     rotkit:eul2rot:tooManyInputs    more than two inputs
%     rotkit:eul2rot:tooManyOutputs   more than one output
%     rotkit:eul2rot:notRealDouble    A of another class, or complex
%     rotkit:eul2rot:sparse           A sparse
%     rotkit:eul2rot:tooLarge         a count of A of 2^31 or more
%     rotkit:eul2rot:aRows            A without 3 rows
%     rotkit:eul2rot:seqForm          seq not a 1 x 3 char row
%     rotkit:eul2rot:seqLetters       a letter other than x, y, z
%     rotkit:eul2rot:seqCase          upper and lower case mixed
%     rotkit:eul2rot:seqRepeat        an axis twice in a row (ZZX)
%   Arrays with more than two dimensions count their trailing dimensions as
%   columns. A call without an output returns Q into ans.
%
%   Examples: a quarter turn about z, then the same turn as the third angle
%   of an extrinsic sequence.
%     >> q = eul2rot([pi/2; 0; 0], 'ZXY')     % 90 degrees about z
%     q =
%        0.7071
%             0
%             0
%        0.7071
%     >> q = eul2rot([0; 0; pi/2], 'xyz')     % Rz(pi/2)*Ry(0)*Rx(0)
%     q =
%        0.7071
%             0
%             0
%        0.7071
%
%
%   See also ROT2EUL, VEC2ROT, ROTCOMPOSE.

% This file holds the help text; the function itself is compiled (an oct-file
% in Octave, a MEX file in MATLAB).
