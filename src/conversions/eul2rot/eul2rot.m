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
%   Errors, checked in this order (the first failure is reported):
%     "Not enough input arguments." / "Too many input arguments."
%     "Too many output arguments."
%     "Input must be a real double array."   A not double, or complex
%     "Sparse input is not supported; convert it with full()."
%     "Input is too large: row and column counts must be below 2^31."
%     "A must have 3 rows: three angles per column."
%     "seq must be three axis letters, such as 'ZXY' (intrinsic) or 'zxy'
%      (extrinsic)."                        (one line)
%     "seq must name its axes with the letters x, y and z."
%     "seq must be all upper case (intrinsic) or all lower case (extrinsic)."
%     "seq must not repeat an axis in neighbouring places, as 'ZZX' does."
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

% This file holds the help text; the function itself is a MEX file.
