%BVHWRITE  Write a skeleton and its motion as a BVH file.
%   BVHWRITE(FILE, SKEL, MOTION) writes SKEL and MOTION, laid out as BVHREAD
%   returns them, into the BVH file FILE, so that BVHREAD(FILE) gives back
%   the same joint tree (parents, offsets, names, End Sites, each joint's
%   channels) and a motion that POSEGLOBAL and POSECHAIN pose the same, to
%   rounding. F = BVHWRITE(...) also returns FILE, so that
%     [skel2, motion2] = bvhread(bvhwrite(file, skel, motion));
%   reads back what was written. Quaternions are scalar first, [w; x; y; z],
%   Hamilton's product, as everywhere in the toolbox. Every number is
%   written in the shortest form that reads back as the same double.
%   BVHWRITE(FILE, SKEL, MOTION, 'Digits', D) writes D significant digits
%   (1 to 17) instead: smaller files that read back to about 10^-D of each
%   number.
%
%   What is read. SKEL.parents (1 <= parents(j) < j for all but the root,
%   joint 1, whose parent is 0), SKEL.offsets (3 x J) and SKEL.names (1 x J
%   cell); MOTION.rootPositions (3 x N), MOTION.localRotations (4J x N) and
%   MOTION.frameTime. Where MOTION.offsets (3J x N, each joint's translation
%   in each frame) is given, it is what the joints' position channels write,
%   and a NaN column of SKEL.offsets stands for a joint whose translation
%   changes (its OFFSET is written as its first frame's). The layout of the
%   file comes from what BVHREAD keeps: SKEL.channels (each joint's
%   channels in file order), SKEL.endSites and MOTION.leafRotations (the
%   rotations of joints without children that are not End Sites). A
%   skeleton built by hand, without SKEL.channels, gets the default layout:
%   the root "CHANNELS 6 Xposition Yposition Zposition Zrotation Xrotation
%   Yrotation", every other joint with children "CHANNELS 3 Zrotation
%   Xrotation Yrotation", and every joint without children an End Site.
%   Without SKEL.endSites, a joint without children and without channels is
%   an End Site; without MOTION.leafRotations, a joint without children
%   that is not one turns by the identity.
%
%   Rotations. Each joint's rows of localRotations hold the BVH rotation of
%   its parent (see BVHREAD), so a joint's rotation is read from the rows
%   of its first child; other children must hold the same rotation (up to
%   sign, to 1e-9), or BVHWRITE raises an error naming them, since a BVH
%   joint has one rotation for all its children. The root's own rows (the
%   identity, from BVHREAD) are composed into the root's rotation:
%   rotcompose(root's rows, first child's rows). A joint's rotation is
%   written as angles in degrees, one per rotation channel, whose product in
%   channel order is the rotation: for three channels on three axes (or a
%   proper Euler list such as Zrotation Xrotation Zrotation) from ROT2EUL
%   with the channels' sequence, "Zrotation Xrotation Yrotation" being
%   rot2eul(q, 'ZXY'); at gimbal lock the third angle is 0. Neighbouring
%   channels on the same axis act as one, the angle in the first of them
%   and 0 in the others; channels beyond the first three such axes get 0.
%   A joint with fewer than three axes can turn only about them: a
%   rotation that its channels cannot express to within 1e-9 (a joint with
%   only a Zrotation channel turned about x, a joint without rotation
%   channels turned at all) raises an error naming the joint and the frame;
%   nothing is rounded to the nearest expressible turn. Quaternions are
%   normalised first: BVH has no scale.
%
%   Positions. A joint's position channels are written as its translation:
%   for the root MOTION.rootPositions, for the others MOTION.offsets (or
%   SKEL.offsets), which BVHREAD reads back as they are. A joint that moves
%   off its OFFSET along an axis it has no position channel for gets that
%   channel: the missing position channels are put in front of its
%   channels, in the order X, Y, Z. Nothing else of the layout is changed.
%
%   The file. Joints are written depth first, each joint's children in
%   the order of their numbers, so a skeleton numbered in that order (any
%   that BVHREAD returns) comes back numbered the same; any other comes
%   back in that order. An End Site is written as "End Site" without a
%   name: it reads back as its joint's name followed by '_end'. A name
%   must read back as itself: not empty, no "{", no line break, words
%   parted by single spaces, UTF-8 text. The file is written to a
%   temporary file beside FILE and then renamed onto FILE, so FILE is never
%   left half written; on an error the temporary file is removed and FILE
%   is as it was.
%
%   Errors:
%     rotkit:bvhwrite:notEnoughInputs  fewer than three inputs
%     rotkit:bvhwrite:tooManyInputs    more than five inputs
%     rotkit:bvhwrite:tooManyOutputs   more than one output
%     rotkit:bvhwrite:options      options not 'Digits', D (1 to 17) pairs
%     rotkit:bvhwrite:fileName     FILE is not a character row
%     rotkit:bvhwrite:skeleton     SKEL not as above (parents, offsets,
%                                  names, channels, endSites)
%     rotkit:bvhwrite:motion       MOTION not as above (non-finite
%                                  positions or offsets included)
%     rotkit:bvhwrite:names        a name that would not read back
%     rotkit:bvhwrite:rotation     children that disagree, a rotation that
%                                  is zero or not finite, or that the
%                                  channels cannot express
%     rotkit:bvhwrite:translation  an End Site whose translation changes
%     rotkit:bvhwrite:cannotWrite  FILE cannot be written
%     rotkit:bvhwrite:outOfMemory  not enough memory
%
%   Example: a skeleton of two joints and an End Site, built by hand, turns
%   its shoulder a quarter turn about z in the second frame; written with
%   the default layout and read back, the elbow's End Site is where it was.
%     >> skel.parents = [0 1 2];
%     >> skel.offsets = [0 10 5; 0 0 0; 0 0 0];
%     >> skel.names = {'Shoulder', 'Elbow', 'Elbow_end'};
%     >> quarter = [cos(pi/4); 0; 0; sin(pi/4)];
%     >> none = [1; 0; 0; 0];
%     >> motion.rootPositions = zeros(3, 2);
%     >> motion.localRotations = [none, none; none, quarter; none, none];
%     >> motion.frameTime = 0.5;
%     >> file = [tempname() '.bvh'];
%     >> [skel2, motion2] = bvhread(bvhwrite(file, skel, motion));
%     >> channels = skel2.channels{1}
%     channels =
%     {
%       [1,1] = Xposition
%       [1,2] = Yposition
%       [1,3] = Zposition
%       [1,4] = Zrotation
%       [1,5] = Xrotation
%       [1,6] = Yrotation
%     }
%     >> P = posechain(skel2.parents, skel2.offsets, motion2.rootPositions, ...
%     ..               motion2.localRotations);
%     >> tip = round(P(7:9, :))'        % frame 1 along x, frame 2 along y
%     tip =
%        15    0    0
%         0   15    0
%     >> delete(file);
%
%
%   See also BVHREAD, POSEGLOBAL, MOTIONRESAMPLE, ROT2EUL, POSECHAIN.

% This file holds the help text; the function itself is compiled (an oct-file
% in Octave, a MEX file in MATLAB).
