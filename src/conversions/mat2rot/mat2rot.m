%MAT2ROT Quaternions of rotation matrices.
%   Q = MAT2ROT(R) gives the unit quaternion of each 3 x 3 rotation matrix
%   of R, the inverse of rot2mat: rot2mat(Q(:,k)) is R(:,:,k) to rounding.
%   Quaternions are stored scalar first, [w; x; y; z], one per column;
%   active rotations, Hamilton product (i*j = k).
%
%   R is 3 x 3 x N, real double (a 3 x 3 matrix is N = 1; dimensions after
%   the third count as pages); Q is 4 x N, and a 3 x 3 x 0 R gives 4 x 0.
%
%   The method is the largest pivot: of 1 + trace(R) and 1 + 2*R(i,i) -
%   trace(R), i = 1..3 (4 w^2, 4 x^2, 4 y^2, 4 z^2 for a rotation), the
%   largest chooses which column of the symmetric 4 x 4 form of R is used;
%   that column is 4 times the pivot component times q, so it is divided by
%   its length, as rotnormalize divides. No component is taken from a small
%   difference, so half turns and the identity keep every digit.
%
%   The sign: w >= 0, and where w is 0 the first nonzero of x, y, z is
%   positive, so a half turn has one canonical quaternion. Zeros come out
%   as +0.
%
%   Accuracy: for rotation matrices rounded to doubles, each component
%   within 1.05 * 2^-52 of the exact quaternion of the nearest rotation,
%   half turns included; mat2rot(rot2mat(q)) is q or -q to within
%   1.05 * 2^-52 for unit q (docs/accuracy.md). Every result is defined
%   bit for bit.
%
%   R must be a rotation matrix up to rounding; nothing refuses one that
%   is not. For a matrix a little off a rotation (drifted by products in
%   floating point) the result is close to the quaternion of the nearest
%   rotation. For any other matrix, scaled ones included, it is the unit
%   quaternion of the chosen column: of unit length, but not the nearest
%   rotation (orthogonalise R first, with an SVD). A NaN in R gives NaN in
%   every component, an Inf NaN in some; elements beyond 2^500 in
%   magnitude do not overflow.
%
%   Errors, checked in this order (the first failure is reported), with
%   their identifiers (err.identifier in a catch); each message names the
%   argument, as "R must be a real, full double array." does:
%     rotkit:mat2rot:notEnoughInputs  no input
%     rotkit:mat2rot:tooManyInputs    more than one input
%     rotkit:mat2rot:tooManyOutputs   more than one output
%     rotkit:mat2rot:notRealDouble    R of another class, or complex
%     rotkit:mat2rot:sparse           R sparse
%     rotkit:mat2rot:tooLarge         a count of R of 2^31 or more
%     rotkit:mat2rot:rShape           R not 3 x 3 x N
%
%   A bare call at the prompt gives its result in ans.
%
%   Examples: a quarter turn about z; a half turn about z and about y,
%   each with its canonical sign.
%     >> q = mat2rot([0 -1 0; 1 0 0; 0 0 1])        % 90 degrees about z
%     q =
%        0.7071
%             0
%             0
%        0.7071
%     >> mat2rot(cat(3, diag([-1 -1 1]), diag([-1 1 -1])))
%     ans =
%        0   0
%        0   0
%        0   1
%        1   0
%
%
%   See also ROT2MAT, ROTNORMALIZE, ROTAPPLY.

% This file holds the help text; the function itself is compiled (an oct-file
% in Octave, a MEX file in MATLAB).
