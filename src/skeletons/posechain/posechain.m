%POSECHAIN Forward kinematics: every joint's position in every frame.
%   P = POSECHAIN(PARENTS, OFFSETS, ROOTPOSITIONS, LOCALROTATIONS) places
%   the J joints of a skeleton, joint 1 the root, in each of N frames of a
%   motion. Frame by frame, a joint's global rotation is its parent's global
%   rotation times its own local rotation (Hamilton product, parent on the
%   left), and its position is its parent's position plus its offset turned
%   by its own global rotation. The root keeps its given position and its
%   local rotation.
%
%   The skeleton, the same in every frame:
%     PARENTS         J elements (row or column): PARENTS(j) is the parent
%                     of joint j as a joint number, 1 being the root. Every
%                     parent comes before its child: 1 <= PARENTS(j) < j.
%                     PARENTS(1), the root's, is never used. Numbers are
%                     truncated toward zero (2.9 names joint 2).
%     OFFSETS         3 x J: column j is joint j's offset (x; y; z) from its
%                     parent. Column 1, the root's, is never used.
%   The motion, one column per frame:
%     ROOTPOSITIONS   3 x N: column k is the root's position in frame k.
%     LOCALROTATIONS  4J x N: rows 4j-3 to 4j of column k are joint j's
%                     local rotation in frame k as a quaternion, scalar
%                     first [w; x; y; z].
%   The result:
%     P               3J x N: rows 3j-2 to 3j of column k are joint j's
%                     position (x; y; z) in frame k.
%
%   With M rows in LOCALROTATIONS, J is floor(M/4) and P has floor(3M/4)
%   rows; rows from 3J+1 on stay zero. Quaternions are not normalised: a
%   non-unit rotation scales the offsets as well as turning them. Results
%   are defined bit for bit; NaN and Inf pass through into the joints they
%   reach. With N = 0 the result is empty, floor(3M/4) x 0.
%
%   Errors, checked in this order (the first failure is reported):
%     "Four inputs required."            not exactly four inputs
%     "One output required."             not exactly one output requested
%     "Input Dimension missmatch"        ROOTPOSITIONS and LOCALROTATIONS
%                                        have different column counts
%     "Input is too large: ..."          a row or column count of 2^31 or more
%     "localRotations has too many rows: ..."  3M is 2^32 or more
%   and, when there is at least one frame:
%     "Input must be a full double array."   an input that is not double
%     "Sparse input is not supported; convert it with full()."
%     "rootPositions must have 3 rows: ..."
%     "localRotations must have at least 4 rows: ..."
%     "parents must have one element per joint, at least J."
%     "offsets must have 3 elements per joint, at least 3J (3 x J)."
%     "parents(j) must name an earlier joint (1 to j-1)."
%   A complex input contributes its real parts.
%
%   A bare call at the prompt requests no output and is refused: assign
%   the result.
%
%   Example: a three-joint arm, shoulder (the root), elbow and hand, with
%   an upper arm of length 1 and a forearm of 0.5, both along x. Frame 1 is
%   the rest pose; in frame 2 the shoulder turns a quarter turn about z,
%   which carries the whole arm; in frame 3 only the hand's rotation turns,
%   which swings the forearm, the hand's own offset. The -0.0000 are
%   -2.2e-16 and -3.3e-16: sqrt(0.5) is not exact.
%     >> parents = [0 1 2];                   % PARENTS(1) is not used
%     >> offsets = [0 1 0.5; 0 0 0; 0 0 0];
%     >> none = [1; 0; 0; 0];  quarter = [sqrt(0.5); 0; 0; sqrt(0.5)];
%     >> rot1 = [none; none; none];           % frame 1: the rest pose
%     >> rot2 = [quarter; none; none];        % frame 2: the shoulder turns
%     >> rot3 = [none; none; quarter];        % frame 3: the hand turns
%     >> P = posechain(parents, offsets, zeros(3, 3), [rot1, rot2, rot3]);
%     >> shoulder = P(1:3, :)                 % frames 1, 2, 3 side by side
%     shoulder =
%        0   0   0
%        0   0   0
%        0   0   0
%     >> elbow = P(4:6, :)                    % (1,0,0), (0,1,0), (1,0,0)
%     elbow =
%        1.0000  -0.0000   1.0000
%             0   1.0000        0
%             0        0        0
%     >> hand = P(7:9, :)                     % (1.5,0,0), (0,1.5,0), (1,0.5,0)
%     hand =
%        1.5000  -0.0000   1.0000
%             0   1.5000   0.5000
%             0        0        0
%
%
%   See also POSEGLOBAL, ROTCOMPOSE, ROTREVERSE, ROTBLEND.

% This file holds the help text; the function itself is compiled (an oct-file
% in Octave, a MEX file in MATLAB).
