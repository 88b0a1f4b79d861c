%POSELOCAL  Local rotations of a skeleton from its global rotations.
%   L = POSELOCAL(PARENTS, G) undoes POSECHAIN's chaining: in POSECHAIN a
%   joint's global rotation is its parent's global rotation times its own
%   local one (Hamilton product, parent on the left), and POSELOCAL gives
%   the local rotations L of a skeleton whose global rotations are G, frame
%   by frame, so that chaining L gives G back to rounding. This is the step
%   from measured segment orientations (a fit per segment by ROTFIT,
%   inertial sensors) to a motion that POSECHAIN poses and BVHWRITE writes.
%
%     PARENTS  J elements (row or column), as POSECHAIN takes them:
%              PARENTS(j) is the parent of joint j as a joint number, 1
%              being the root; every parent comes before its child,
%              1 <= PARENTS(j) < j; PARENTS(1) is never used; numbers are
%              truncated toward zero (2.9 names joint 2).
%     G        4J x N: rows 4j-3 to 4j of column k are joint j's global
%              rotation in frame k, a quaternion scalar first [w; x; y; z].
%     L        4J x N, in the layout of G: the root's rows are its global
%              rotation, copied; joint j's are ROTCOMPOSE(ROTREVERSE(
%              G(parent)), G(j)), to the bit.
%
%   Quaternions are not normalised: the inverse is the conjugate over the
%   squared norm, as ROTREVERSE has it, so for any nonzero G chaining L
%   gives G back to rounding. For unit G each element of L lies within two
%   units of 2^-52 of the exact one (docs/accuracy.md). NaN and Inf go
%   through IEEE arithmetic into the joints they reach. Every result is
%   defined bit for bit; vector paths and threads change speed, never bits.
%
%   Errors, checked in this order (the first failure is reported; nothing
%   is created before it), with their identifiers (err.identifier in a
%   catch); each message names the argument, as "G must be a real, full
%   double array." does:
%     rotkit:poselocal:notEnoughInputs  fewer than two inputs
%     rotkit:poselocal:tooManyInputs    more than two inputs
%     rotkit:poselocal:tooManyOutputs   more than one output
%     rotkit:poselocal:notRealDouble    PARENTS or G of another class, or
%                                       complex
%     rotkit:poselocal:sparse           PARENTS or G sparse
%     rotkit:poselocal:tooLarge         a count of PARENTS or G of 2^31 or
%                                       more, or 2^29 joints or more
%     rotkit:poselocal:gRows            G without 4 rows per element of
%                                       PARENTS
%     rotkit:poselocal:parentOrder      PARENTS(j) not naming an earlier
%                                       joint
%   Arrays with more than two dimensions count their trailing dimensions as
%   columns. A call without an output returns L into ans.
%
%   Example: an arm of three joints along x, shoulder (the root), elbow
%   and hand, whose global rotations turn 30, 90 and 90 degrees about z:
%   the elbow turns 60 degrees on its own, the hand not at all; POSECHAIN
%   of L turns each offset by the joint's global rotation again.
%     >> parents = [0 1 2];
%     >> z = @(deg) [cosd(deg / 2); 0; 0; sind(deg / 2)];
%     >> G = [z(30); z(90); z(90)];
%     >> L = poselocal(parents, G);
%     >> angles = 2 * atan2(L([4 8 12]), L([1 5 9]))' * 180 / pi
%     angles =
%        30   60    0
%     >> back = rotcompose(L(1:4), L(5:8));          % the elbow's global
%     >> same = max(abs(back - G(5:8))) < 1e-15
%     same = 1
%     >> P = posechain(parents, [0 1 1; 0 0 0; 0 0 0], zeros(3, 1), L);
%     >> hand = round(P(7:9)' * 1e12) / 1e12
%     hand =
%        0   2   0
%
%
%   See also POSECHAIN, ROTFIT, BVHWRITE, ROTCOMPOSE, ROTREVERSE.

% This file holds the help text; the function itself is a MEX file.
