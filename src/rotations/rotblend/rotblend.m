%ROTBLEND Spherical interpolation between two rotations along the shorter arc.
%   Q = ROTBLEND(Q1, Q2, T) gives the rotation at each parameter T(i) on the
%   great circle from Q1 (T = 0) to Q2 (T = 1), one per column of Q.
%   Quaternions are stored scalar first, [w; x; y; z].
%
%   Q1 and Q2 are full double arrays; only their first four elements, in
%   storage order, are read (a 4 x 1 or 1 x 4 vector, or the first column
%   of a 4 x K matrix). T is a full double array with N columns, and its
%   first N elements in storage order are the parameters: a 1 x N row gives
%   all of them, a column gives N = 1 and only its first element, an M x N
%   matrix gives its first N elements down the columns. Q is 4 x N; an
%   empty T (no columns) gives a 4 x 0 Q. A complex input counts with its
%   real parts.
%
%   Shorter arc: when the dot product d of Q1 and Q2 is negative, -Q2 is
%   used in place of Q2, so a column at T = 1 may be -Q2, the same rotation.
%   When |d| < 0.999 the result is the spherical formula, not normalised;
%   at and above 0.999 (and for a NaN d) it is the linear blend
%   (1 - T)*Q1 + T*Q2, normalised to unit length. T is not clamped: values
%   outside [0, 1] continue along the same path. Every result is defined
%   bit for bit: the arc tangent is the toolbox's own, within 1 ulp, and so
%   are the sines for arguments up to 16 in magnitude (T from -9 to 10 at
%   the widest arc), the math library's beyond; so the bits are the same on
%   every processor. NaN and Inf are not guarded: a NaN in Q1, Q2 or T(i)
%   gives NaN columns.
%
%   Errors, checked in this order (the first failure is reported):
%     "Three inputs required."      not exactly three inputs
%     "One output required."        not exactly one output requested
%     "Input must be a full double array."   an input of another class
%     "Sparse input is not supported; convert it with full()."
%     "q1 must hold at least four elements (w, x, y, z)."
%     "q2 must hold at least four elements (w, x, y, z)."
%     "Input is too large: row and column counts must be below 2^31."
%                                   T with 2^31 columns or more
%     "t must hold at least one element per column."   T with columns
%                                   but no rows, such as zeros(0, 5)
%
%   A bare call at the prompt requests no output and is refused: assign
%   the result.
%
%   Example: a quarter turn about z, blended in steps of a fifth, 18
%   degrees each; then the halfway point from -Q2, the same rotation as Q2.
%     >> q1 = [1; 0; 0; 0];
%     >> q2 = [cos(pi/4); 0; 0; sin(pi/4)];     % 90 degrees about z
%     >> q = rotblend(q1, q2, 0:0.2:1)
%     q =
%        1.0000   0.9877   0.9511   0.8910   0.8090   0.7071
%             0        0        0        0        0        0
%             0        0        0        0        0        0
%             0   0.1564   0.3090   0.4540   0.5878   0.7071
%     >> degrees = 2 * atan2(q(4, :), q(1, :)) * 180 / pi
%     degrees =
%         0   18   36   54   72   90
%     >> half = rotblend(q1, -q2, 0.5)          % 45 degrees about z
%     half =
%        0.9239
%             0
%             0
%        0.3827
%
%
%   See also ROTCOMPOSE, ROTREVERSE, POSECHAIN.

% This file holds the help text; the function itself is compiled (an oct-file
% in Octave, a MEX file in MATLAB).
