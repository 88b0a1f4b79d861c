% rotkit: fast rotations and skeletal motion, bit for bit
% Version 1.0.0
%
% Quaternions are stored scalar first, [w; x; y; z], one per column; the
% product is Hamilton's (i*j = k).
%
% Rotations
%   rotcompose - Hamilton product of two quaternion arrays, column by column.
%   rotreverse - Inverse of every quaternion of an array.
%   rotblend   - Spherical interpolation between two rotations, shorter arc.
%   rotslerp   - Spherical interpolation between rotations, column by column.
%
% Conversions
%   rotapply     - Turn vectors by quaternions, column by column.
%   rotnormalize - Quaternions divided by their lengths.
%   rot2mat      - Rotation matrices of quaternions.
%   mat2rot      - Quaternions of rotation matrices.
%   eul2rot      - Unit quaternions from Euler angles (12 sequences).
%   rot2eul      - Euler angles of quaternions, gimbal lock flagged.
%   vec2rot      - Unit quaternions from rotation vectors (axis times angle).
%   rot2vec      - Rotation vectors of quaternions, angle in [0, pi].
%
% Time series
%   rotvel       - Angular velocity of a motion of quaternions at every sample.
%   rotintegrate - Orientations from sampled angular velocities (a gyroscope's).
%   rotinterp    - Rotations of a motion at any time: great arcs or a C2 spline.
%   rotunwrap    - Quaternion signs made continuous along a motion.
%
% Skeletons and motion
%   posechain  - Forward kinematics: every joint's position in every frame.
%   poseglobal - Forward kinematics: every joint's position and global rotation.
%   bvhread    - Read a BVH motion file into the inputs of posechain and poseglobal.
%   bvhwrite   - Write a skeleton and its motion as a BVH file.
%   motionresample - The same motion at another frame time.
%   motionmap  - Apply a function to every motion of a collection of BVH files,
%                on worker processes or cluster servers if asked.
%
% Every result of the MEX functions is defined bit for bit; no input can
% crash the host: a wrong one gets a clear error.
%
% Sample motion: samples/walk.bvh beside bvhread.m, a humanoid of 21 joints
% (26 with its End Sites) walking for 4 seconds and turning to the left;
% posechain gives 3 coordinates of 26 joints in each of its 120 frames:
%   >> file = fullfile(fileparts(which('bvhread')), 'samples', 'walk.bvh');
%   >> [skel, motion] = bvhread(file);
%   >> P = posechain(skel.parents, skel.offsets, motion.rootPositions, ...
%   ..               motion.localRotations);
%   >> sizeP = size(P)
%   sizeP =
%       78   120
