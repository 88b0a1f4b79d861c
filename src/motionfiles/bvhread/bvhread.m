%BVHREAD  Read a BVH motion file into the inputs of POSECHAIN and POSEGLOBAL.
%   [SKEL, MOTION] = BVHREAD(FILE) reads the skeleton (HIERARCHY) and the
%   motion (MOTION) of the BVH file FILE and returns them laid out the way
%   POSECHAIN and POSEGLOBAL take them, so that
%     P = posechain(skel.parents, skel.offsets, ...
%                   motion.rootPositions, motion.localRotations);
%   gives the position of every joint in every frame, in the file's units:
%   rows 3j-2 to 3j of column k are joint j in frame k. SKEL = BVHREAD(FILE)
%   reads the skeleton alone (the rotations are not computed); a bare call
%   returns SKEL into ans.
%
%   SKEL, the joint tree. Every ROOT, JOINT and End Site of the file is a
%   joint, numbered in the order of the file, so parents come before their
%   children and joint 1 is the root:
%     parents   1 x J: parents(j) is the number of joint j's parent; 0 for
%               the root.
%     offsets   3 x J: column j is joint j's translation from its parent
%               (its OFFSET, or its position channels where it has them and
%               they hold the same values in every frame). A column of NaN
%               marks a joint whose translation changes from frame to
%               frame: then MOTION.offsets holds it, POSECHAIN gives NaN
%               for that joint and every joint below it, and POSEGLOBAL
%               with MOTION.offsets poses it. Column 1 holds the root's own
%               OFFSET, which POSECHAIN does not read.
%     names     1 x J cell of the joint names; an End Site takes the name
%               of its joint followed by '_end' (the End Site of 'Head' is
%               'Head_end').
%     channels  1 x J cell: channels{j} is joint j's channel list in the
%               order of its CHANNELS statement, a 1 x C cell of
%               'Xposition', 'Yposition', 'Zposition', 'Xrotation',
%               'Yrotation', 'Zrotation' (spelt so whatever the file's
%               case); 1 x 0 for End Sites and joints without CHANNELS.
%     endSites  1 x J logical: true for the End Sites.
%     leafJoints  1 x L: the joints (ROOT or JOINT, not End Sites) that
%               have no children, in file order.
%   MOTION, one column per frame:
%     rootPositions   3 x N: the root's position: its position channels,
%                     and its OFFSET on an axis without one.
%     localRotations  4J x N: one quaternion per joint, scalar first
%                     [w; x; y; z] in rows 4j-3 to 4j (see below).
%     frameTime       seconds per frame, from "Frame Time:".
%     leafRotations   4L x N: the BVH rotation of each joint of
%                     skel.leafJoints, rows 4l-3 to 4l for leafJoints(l).
%                     Such a joint turns nothing, so its rotation has no
%                     rows in localRotations; it is kept here so that
%                     BVHWRITE can write it back.
%     offsets         3J x N, only where some joint's translation changes
%                     from frame to frame: rows 3j-2 to 3j of column k are
%                     joint j's translation in frame k (the root's rows are
%                     rootPositions), what POSEGLOBAL takes in place of
%                     SKEL.offsets.
%   Channels, endSites, leafJoints and leafRotations are what BVHWRITE
%   needs to write the file's layout again; POSECHAIN does not read them.
%
%   Positions. A joint's position channels are its translation in that
%   frame: each takes the place of the OFFSET's coordinate on its axis, the
%   root's included (the root stands at its channels, not at its OFFSET
%   plus its channels); on an axis without a position channel the OFFSET's
%   coordinate stays. Any joint may have position channels, each axis at
%   most once, anywhere among its channels.
%
%   Rotations. The rotation channels of a joint, in degrees, become one
%   unit quaternion: the product of the channels' rotations in the order
%   the file lists them. "CHANNELS 3 Zrotation Xrotation Yrotation" gives
%   qZ * qX * qY (the matrix Rz*Rx*Ry), the usual reading of BVH: EUL2ROT
%   of the three angles with the sequence 'ZXY'. Rotation channels may come
%   in any order and number on any joint: three whose neighbours differ are
%   one EUL2ROT sequence (proper Euler ones such as 'ZXZ' too), any other
%   list the product of its single-axis turns by ROTCOMPOSE; the bits are
%   those of EUL2ROT and ROTCOMPOSE.
%
%   How BVH's convention is mapped onto POSECHAIN's. In a BVH file a
%   joint's rotation turns its children: a child lies at its parent's
%   position plus the child's translation turned by the parent's global
%   rotation. POSECHAIN turns a joint's offset by that joint's own global
%   rotation. So every rotation moves one joint down the tree: for each
%   joint j but the root, rows 4j-3 to 4j of localRotations hold the BVH
%   rotation of j's parent, and the root's rows hold the identity
%   [1; 0; 0; 0]. The global rotation that POSECHAIN chains for joint j is
%   then the BVH global rotation of j's parent, the one that turns j's
%   offset. The root's own rotation thus stands in the rows of its
%   children. To turn the whole motion by a rotation q, put q in the root's
%   rows and turn rootPositions by q. A joint with several children has
%   its rotation in the rows of each of them (BVHWRITE reads it from the
%   first child's rows). A JOINT without children or End Site turns
%   nothing, so its rotation has no rows in localRotations: it is in
%   motion.leafRotations.
%
%   The file: one ROOT; JOINT and End Site blocks nested in braces, each
%   with one OFFSET; then MOTION, "Frames: N", "Frame Time: T" and one line
%   per frame with one number per channel, in the order of the CHANNELS
%   statements (with no channels at all, one line per frame all the same,
%   empty). Keywords and channel names are matched regardless of case.
%   Lines may end in LF, CR LF or CR, the last one without; words are
%   parted by any run of spaces and tabs; a name is the rest of its line
%   ("mixamorig:Hips", "Left Hand"); numbers may have an exponent
%   (1.5e+01) and are read correctly rounded. The text is ASCII or UTF-8.
%   Nothing is skipped but blank lines.
%
%   Frame counts. A file whose frame lines are more or fewer than
%   "Frames:" announces is read as it is, every complete frame line, with
%   the warning rotkit:bvhread:frameCount, which names the file and both
%   counts; warning('error', 'rotkit:bvhread:frameCount') makes such files
%   errors. A frame line with too few or too many values (a file cut off
%   in its last line) is an error.
%
%   Errors name the file and, for a fault of its text, the line:
%     rotkit:bvhread:notEnoughInputs  no input
%     rotkit:bvhread:tooManyInputs    more than one input
%     rotkit:bvhread:tooManyOutputs   more than two outputs
%     rotkit:bvhread:fileName     FILE is not a character row
%     rotkit:bvhread:cannotOpen   the file cannot be opened or read
%     rotkit:bvhread:encoding     a byte that is not UTF-8, or a control
%                                 character other than tab and line ends
%     rotkit:bvhread:hierarchy    a missing or unexpected keyword or brace,
%                                 a joint without OFFSET, OFFSET without 3
%                                 numbers, unknown channels, a position
%                                 channel listed twice on a joint
%     rotkit:bvhread:motion       no "Frames: N" or "Frame Time: T" (T > 0)
%                                 after MOTION, data without channels
%     rotkit:bvhread:frameValues  a frame line with too few or too many values
%     rotkit:bvhread:number       a value that is not a decimal number, or
%                                 beyond the largest double
%     rotkit:bvhread:tooLarge     joints or frames beyond 2^29 or 2^31 - 1
%     rotkit:bvhread:outOfMemory  not enough memory
%   and the warning rotkit:bvhread:frameCount (above).
%
%   Example: the sample walk, 21 joints and 5 End Sites, 120 frames of
%   1/30 second. The root starts where the first frame line of the file
%   puts it, and the head's End Site lies 18 from the head, the length of
%   its OFFSET. The plot, not run by the tests, draws the head's path seen
%   from above.
%     >> file = fullfile(fileparts(which('bvhread')), 'samples', 'walk.bvh');
%     >> [skel, motion] = bvhread(file);
%     >> first = strjoin(skel.names(1:5), ' ')
%     first = Hips Spine Chest Neck Head
%     >> sizes = [numel(skel.names), size(motion.localRotations)]   % J, 4J, N
%     sizes =
%         26   104   120
%     >> frameTime = motion.frameTime
%     frameTime = 0.033333
%     >> start = motion.rootPositions(:, 1)'
%     start =
%              0   94.5712         0
%     >> P = posechain(skel.parents, skel.offsets, motion.rootPositions, ...
%     ..               motion.localRotations);
%     >> head = find(strcmp(skel.names, 'Head'));
%     >> top = find(strcmp(skel.names, 'Head_end'));
%     >> headLength = norm(P(3*top-2:3*top, 1) - P(3*head-2:3*head, 1))
%     headLength = 18.000
%     >> plot(P(3*head-2, :), P(3*head, :))          % doctest: +SKIP
%
%
%   See also BVHWRITE, POSEGLOBAL, POSECHAIN, MOTIONRESAMPLE, ROTCOMPOSE.

% This file holds the help text; the function itself is compiled (an oct-file
% in Octave, a MEX file in MATLAB).
