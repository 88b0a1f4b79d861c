%ASFREAD  Read an ASF skeleton and its AMC motion into the inputs of POSECHAIN.
%   [SKEL, MOTION] = ASFREAD(ASFFILE, AMCFILE) reads the skeleton ASFFILE
%   and the motion AMCFILE (the Acclaim formats in which the largest motion
%   capture database publishes its subjects) and returns them laid out as
%   BVHREAD lays out a BVH file, so that
%     P = posechain(skel.parents, skel.offsets, ...
%                   motion.rootPositions, motion.localRotations);
%   places every bone's start and end in every frame, and
%   BVHWRITE(FILE, SKEL, MOTION) writes the motion as BVH. SKEL =
%   ASFREAD(ASFFILE) reads the skeleton alone; a bare call returns SKEL
%   into ans. Numbers are read correctly rounded.
%
%   SKEL, the joint tree, depth first in the order of :hierarchy (parents
%   before their children, whatever order :bonedata lists the bones in):
%     parents   1 x J: 0 for the root, joint 1.
%     offsets   3 x J: each joint's translation from its parent in the
%               rest pose (the file's axes): a bone's joint stands at its
%               parent bone's end, so its offset is the parent's direction
%               times its length (0 for the root's bones); column 1 is the
%               root's position.
%     names     1 x J cell: 'root', then each bone's name; a bone without
%               children ends in an End Site named '<bone>_end'.
%     channels  1 x J cell: what BVHWRITE writes, the root's position and
%               rotation, Zrotation Yrotation Xrotation for every bone with
%               degrees of freedom, none for the others.
%     endSites  1 x J logical: true for the End Sites.
%     leafJoints  1 x 0: every bone without children has an End Site.
%     units     struct: mass, length, angle ('deg' or 'rad') of :units.
%   MOTION, one column per frame of the AMC file:
%     rootPositions   3 x N: the root's position plus its TX, TY, TZ.
%     localRotations  4J x N: scalar-first quaternions, rows 4j-3 to 4j
%                     the rotation that turns joint j's offset (the
%                     rotation of the bone joint j's parent stands for,
%                     as BVHREAD gives it); the root's rows the identity.
%     frameTime       1/120: AMC files hold no rate; the database captured
%                     at 120 frames per second. Set it for other files.
%     leafRotations   0 x N.
%
%   A bone's rotation: with C its axis frame (the "axis" angles about x, y
%   and z, turned in the order given, the first letter first: axis a b c
%   XYZ is Rz(c) Ry(b) Rx(a)) and M the product of its degrees of freedom
%   in the frame's values, first listed turning first (dof rx ry rz is
%   Rz Ry Rx), the bone turns its rest-pose direction by C M C^-1 within
%   its parent's turn; the root likewise with its orientation, its axis
%   order and the rotations of its order. These are the Acclaim formulas
%   the database's own player uses. Angles are in degrees or radians as
%   the ASF's ":units angle" says, and the AMC's :DEGREES or :RADIANS where
%   it has one. The quaternions are EUL2ROT's and ROTCOMPOSE's bits.
%
%   Lengths: positions are in the file's length unit. An ASF that says
%   ":units length 0.45", as the database's do, has its lengths in units
%   of 1/0.45 inch: multiply by 0.0254/0.45 to get metres.
%
%   The files: lines may end in LF, CR LF or CR; '#' starts a comment;
%   keywords (:units, :root, :bonedata, :hierarchy, begin, end, ...) and
%   channel names (tx ty tz rx ry rz) are matched in any case; sections
%   other than those (:documentation, :skin, ...) are skipped, as are the
%   keys that do not place a bone (id, limits, bodymass, ...). An AMC frame
%   is a line holding its number alone, then a line for the root and for
%   every bone with degrees of freedom, in any order. Bones with
%   translation or length degrees of freedom (tx ty tz l) are refused.
%
%   Errors name the file and the line:
%     rotkit:asfread:notEnoughInputs  no input, or MOTION asked for
%                                     without AMCFILE
%     rotkit:asfread:tooManyInputs    more than two inputs
%     rotkit:asfread:tooManyOutputs   more than two outputs
%     rotkit:asfread:fileName     a file name that is not a character row
%     rotkit:asfread:cannotOpen   a file cannot be opened or read
%     rotkit:asfread:encoding     a byte that is not UTF-8, or a control
%                                 character other than tab and line ends
%     rotkit:asfread:asf          no :root section, a bone without name,
%                                 direction or length,
%                                 two bones of one name, an unknown degree
%                                 of freedom or one asfread does not read,
%                                 a :hierarchy naming an unknown bone, a
%                                 bone with two parents or none
%     rotkit:asfread:amc          a bone line before the first frame, an
%                                 unknown bone, a bone given twice in a
%                                 frame or missing from one, a line with
%                                 more or fewer values than its dofs
%     rotkit:asfread:number       a value that is not a number, or beyond
%                                 the largest double
%     rotkit:asfread:tooLarge     more bones or frames than the toolbox counts
%     rotkit:asfread:outOfMemory  not enough memory
%
%   Example: the sample subject, 22 bones over 120 frames; the left thigh
%   is 7.2 units long in every frame.
%     >> folder = fullfile(fileparts(which('asfread')), 'samples');
%     >> [skel, motion] = asfread(fullfile(folder, 'walk.asf'), fullfile(folder, 'walk.amc'));
%     >> first = strjoin(skel.names(1:5), ' ')
%     first = root lhipjoint lfemur ltibia lfoot
%     >> sizes = [numel(skel.names), size(motion.localRotations)]   % J, 4J, N
%     sizes =
%         28   112   120
%     >> lengthUnit = skel.units.length
%     lengthUnit = 0.4500
%     >> P = posechain(skel.parents, skel.offsets, motion.rootPositions, ...
%     ..               motion.localRotations);
%     >> hip = find(strcmp(skel.names, 'lfemur'));
%     >> knee = find(strcmp(skel.names, 'ltibia'));
%     >> thigh = norm(P(3*knee-2:3*knee, 60) - P(3*hip-2:3*hip, 60))
%     thigh = 7.2000
%     >> bvhwrite(fullfile(tempdir, 'walk_from_amc.bvh'), skel, motion);   % doctest: +SKIP
%
%
%   See also BVHREAD, BVHWRITE, POSECHAIN, MOTIONMAP.

% This file holds the help text; the function itself is a MEX file.
