%ROTUNWRAP Quaternion signs made continuous along a motion.
%   Q2 = ROTUNWRAP(Q) gives the same rotations as Q (quaternions, scalar
%   first, [w; x; y; z], one sample per column) with signs chosen so that
%   each column lies on the same side as the one before it: no jump from q
%   to -q between neighbouring samples, which a plot of the components, a
%   filter or a linear blend needs. Q is 4 x N, or 4J x N for J joints
%   (joint by joint); Q2 has its size.
%
%   The first column is kept; column k is negated where the sign changes
%   so far leave it on the other side of column k - 1 (their dot product
%   negative; a dot product of zero or NaN changes nothing). Only signs
%   change: every value of Q2 is Q's, or Q's negated, bit for bit.
%
%   Errors, checked in this order (err.identifier in a catch):
%     rotkit:rotunwrap:notEnoughInputs, rotkit:rotunwrap:tooManyInputs,
%     rotkit:rotunwrap:tooManyOutputs
%         argument counts
%     rotkit:rotunwrap:notRealDouble, rotkit:rotunwrap:sparse
%         Q not a real full double array
%     rotkit:rotunwrap:tooLarge
%         a count beyond 2^31
%     rotkit:rotunwrap:qRows
%         rows of Q not a multiple of 4
%   A call without an output returns Q2 into ans.
%
%   Example: a turn about z whose samples alternate in sign.
%     >> t = [0 0.5 1 1.5];
%     >> Q = [cos(t); zeros(2, 4); sin(t)] .* [1 -1 1 -1];
%     >> Q2 = rotunwrap(Q)
%     Q2 =
%        1.0000   0.8776   0.5403   0.0707
%             0        0        0        0
%             0        0        0        0
%             0   0.4794   0.8415   0.9975
%
%
%   See also ROTVEL, ROTINTERP, ROTSLERP.

% This file holds the help text; the function itself is compiled (an oct-file
% in Octave, a MEX file in MATLAB).
