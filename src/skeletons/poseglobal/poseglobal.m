%POSEGLOBAL  Forward kinematics: every joint's position and global rotation.
%   [P, G] = POSEGLOBAL(PARENTS, OFFSETS, ROOTPOSITIONS, LOCALROTATIONS)
%   places the J joints of a skeleton, joint 1 the root, in each of N
%   frames of a motion, as POSECHAIN does, and returns every joint's global
%   rotation beside its position. Frame by frame, a joint's global rotation
%   is its parent's global rotation times its own local rotation (Hamilton
%   product, parent on the left), and its position is its parent's position
%   plus its offset turned by its own global rotation. The root keeps its
%   given position and its local rotation. Quaternions are scalar first,
%   [w; x; y; z]. P = POSEGLOBAL(...) returns the positions alone; a bare
%   call returns P into ans.
%
%   The inputs:
%     PARENTS         J elements (row or column): PARENTS(j) is the parent
%                     of joint j, a whole number from 1 to j-1. PARENTS(1),
%                     the root's, is never used.
%     OFFSETS         3 x J, the same in every frame: column j is joint j's
%                     offset (x; y; z) from its parent; or 3J x N, a set
%                     per frame: rows 3j-2 to 3j of column k are joint j's
%                     offset in frame k (MOTION.offsets of BVHREAD, for a
%                     file whose joints' translations change). The root's
%                     offset is never used. (With J = N = 1 the two shapes
%                     are one.)
%     ROOTPOSITIONS   3 x N: column k is the root's position in frame k.
%     LOCALROTATIONS  4J x N: rows 4j-3 to 4j of column k are joint j's
%                     local rotation in frame k.
%   The outputs:
%     P               3J x N: rows 3j-2 to 3j of column k are joint j's
%                     position in frame k.
%     G               4J x N: rows 4j-3 to 4j of column k are joint j's
%                     global rotation in frame k (the root's is its local
%                     rotation). For the motion BVHREAD returns, joint j's
%                     rows hold the BVH global rotation of its parent: the
%                     one that turns its bone.
%   Results are defined bit for bit, the same for any number of threads:
%   with 3 x J offsets, P is POSECHAIN's and G the rotations it chains,
%   and a set of offsets per frame that are all equal gives the same bits.
%   Quaternions are not normalised: a non-unit rotation scales the offsets
%   as well as turning them. NaN and Inf pass through into the joints they
%   reach. Large calls split their frames over worker threads
%   (ROTKIT_NUM_THREADS sets how many).
%
%   Errors, checked in this order:
%     rotkit:poseglobal:notEnoughInputs  fewer than four inputs
%     rotkit:poseglobal:tooManyInputs    more than four inputs
%     rotkit:poseglobal:tooManyOutputs   more than two outputs
%     rotkit:poseglobal:notRealDouble    an input that is not a real double
%                                      array (complex, another class)
%     rotkit:poseglobal:sparse           a sparse input
%     rotkit:poseglobal:tooLarge       a count of 2^31 or more, 2^29 joints
%     rotkit:poseglobal:rootRows       ROOTPOSITIONS without 3 rows
%     rotkit:poseglobal:rotationShape  LOCALROTATIONS not 4J x N
%     rotkit:poseglobal:offsetShape    OFFSETS neither 3 x J nor 3J x N
%     rotkit:poseglobal:parents        PARENTS(j) not a whole number from
%                                      1 to j-1
%
%   Example: an arm, shoulder (the root), elbow and hand, whose forearm
%   stretches from 0.5 to 1 in the second frame, while the shoulder turns a
%   quarter turn about z; G gives the hand's global rotation, the
%   shoulder's turn.
%     >> parents = [0 1 2];
%     >> none = [1; 0; 0; 0];  quarter = [sqrt(0.5); 0; 0; sqrt(0.5)];
%     >> offsets = [0 0 0 1 0 0 0.5 0 0; 0 0 0 1 0 0 1 0 0]';   % 9 x 2
%     >> [P, G] = poseglobal(parents, offsets, zeros(3, 2), ...
%     ..                      [none, quarter; none, none; none, none]);
%     >> hand = round(P(7:9, :) * 100) / 100     % frames 1 and 2
%     hand =
%        1.5000        0
%             0   2.0000
%             0        0
%     >> handRotation = G(9:12, 2)'
%     handRotation =
%        0.7071        0        0   0.7071
%     >> Pc = posechain(parents, reshape(offsets(:, 1), 3, 3), zeros(3, 2), ...
%     ..                [none, quarter; none, none; none, none]);
%     >> sameAsPosechain = isequal(P(:, 1), Pc(:, 1))
%     sameAsPosechain = 1
%
%
%   See also POSECHAIN, BVHREAD, ROTCOMPOSE, ROTAPPLY.

% This file holds the help text; the function itself is compiled (an oct-file
% in Octave, a MEX file in MATLAB).
