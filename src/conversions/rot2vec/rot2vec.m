%ROT2VEC Rotation vectors of quaternions, column by column.
%   V = ROT2VEC(Q) gives the rotation vector V(:,k), the axis of the turn
%   times its angle in radians, of each quaternion Q(:,k), scalar first
%   [w; x; y; z], such that VEC2ROT(V) is that rotation (Q/norm(Q) or its
%   negative). The angle norm(V(:,k)) lies in [0, pi]. Q is 4 x N real
%   double and need not be unit (a common factor changes nothing); V is
%   3 x N (a 4 x 0 Q gives a 3 x 0 V).
%
%   Q and -Q are the same rotation and give the same V: Q is taken with
%   w >= 0, and for a half turn (w = 0, where both signs give an angle of
%   pi) with the first nonzero of x, y, z positive. The angle is
%   2*atan2(norm(Q(2:4,k)), w), which keeps every digit near 0 and near pi
%   (where acos(w) loses them); near 0 the ratio of angle to norm comes from
%   its series, so the identity gives exactly 0 and Q = [1; 1e-300*axis]
%   gives 2e-300*axis. V lies within 1.5 units of 2^-52 of the exact
%   vector, relative to its length (docs/accuracy.md); its computed norm
%   may exceed pi by an ulp or two. Every result is
%   defined bit for bit: each operation is rounded on its own, in a fixed
%   order, the arc tangent is the toolbox's own. A zero column, which is no
%   rotation, and NaN components give NaN.
%
%   Errors, checked in this order (the first failure is reported), with
%   their identifiers (err.identifier in a catch); each message names the
%   argument, as "Q must be a real, full double array." does:
%     rotkit:rot2vec:notEnoughInputs  no input
%     rotkit:rot2vec:tooManyInputs    more than one input
%     rotkit:rot2vec:tooManyOutputs   more than one output
%     rotkit:rot2vec:notRealDouble    Q of another class, or complex
%     rotkit:rot2vec:sparse           Q sparse
%     rotkit:rot2vec:tooLarge         a count of Q of 2^31 or more
%     rotkit:rot2vec:qRows            Q without 4 rows
%   Arrays with more than two dimensions count their trailing dimensions as
%   columns. A call without an output returns V into ans.
%
%   Examples: a quarter turn about z, given as q and as -q; then a half turn
%   about x and the identity.
%     >> v = rot2vec([cos(pi/4) -cos(pi/4); 0 0; 0 0; sin(pi/4) -sin(pi/4)])
%     v =
%             0        0
%             0        0
%        1.5708   1.5708
%     >> v = rot2vec([0 1; -1 0; 0 0; 0 0])
%     v =
%        3.1416        0
%             0        0
%             0        0
%
%
%   See also VEC2ROT, ROT2EUL, ROTREVERSE.

% This file holds the help text; the function itself is compiled (an oct-file
% in Octave, a MEX file in MATLAB).
