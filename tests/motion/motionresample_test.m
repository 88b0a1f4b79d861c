% motionresample: the frames it keeps and the ones it makes, bit for bit
% where they are the original's or rotslerp's, and how many there are.

%!shared root, walk
%! root = fileparts (fileparts (fileparts (which ("samebits"))));
%! walk = fullfile (root, "toolbox", "rotkit", "samples", "walk.bvh");

%!test
%! % The same frame time gives the same frames, bit for bit.
%! [~, motion] = bvhread (walk);
%! again = motionresample (motion, motion.frameTime);
%! assert (fieldnames (again), fieldnames (motion));
%! for field = fieldnames (motion)'
%!   assert (samebits (again.(field{1}), motion.(field{1})), field{1});
%! end

%!test
%! % Four times the rate: every fourth frame an original one, those between
%! % rotslerp of their neighbours and the linear blend of the root.
%! [~, motion] = bvhread (walk);
%! fast = motionresample (motion, motion.frameTime / 4);
%! assert (size (fast.localRotations), [104 477]);
%! assert (fast.frameTime, motion.frameTime / 4);
%! assert (samebits (fast.localRotations(:, 1:4:end), motion.localRotations));
%! assert (samebits (fast.rootPositions(:, 1:4:end), motion.rootPositions));
%! for k = [1 37 119]
%!   for part = 1:3
%!     w = part / 4;
%!     q = rotslerp (reshape (motion.localRotations(:, k), 4, []), reshape (motion.localRotations(:, k + 1), 4, []), w);
%!     assert (samebits (fast.localRotations(:, 4 * (k - 1) + 1 + part), q(:)));
%!     a = motion.rootPositions(:, k);  b = motion.rootPositions(:, k + 1);
%!     assert (samebits (fast.rootPositions(:, 4 * (k - 1) + 1 + part), a + w * (b - a)));
%!   end
%! end

%!test
%! % 24 frames per second from the file's 30: 96 frames up to the last
%! % original time, every fourth on every fifth original one when asked in
%! % the file's own frame time; 1/24 gives as many frames.
%! [skel, motion] = bvhread (walk);
%! slow = motionresample (motion, motion.frameTime * 1.25);
%! assert (size (slow.rootPositions), [3 96]);
%! assert (samebits (slow.localRotations(:, 1:4:end), motion.localRotations(:, 1:5:end)));
%! assert (columns (motionresample (motion, 1 / 24).rootPositions), 96);
%! P = posechain (skel.parents, skel.offsets, slow.rootPositions, slow.localRotations);
%! P0 = posechain (skel.parents, skel.offsets, motion.rootPositions, motion.localRotations);
%! assert (samebits (P(:, 1:4:end), P0(:, 1:5:end)));

%!test
%! % Leaf rotations go with the others.
%! [~, motion] = bvhread (fullfile (root, "tests", "motionfiles", "bvh", "files", "no_root_position.bvh"));
%! half = motionresample (motion, motion.frameTime / 2);
%! assert (size (half.leafRotations), [4 7]);
%! assert (samebits (half.leafRotations(:, 1:2:end), motion.leafRotations));
%! assert (samebits (half.leafRotations(:, 2), rotslerp (motion.leafRotations(:, 1), motion.leafRotations(:, 2), 0.5)));

%!test
%! % More than a half turn between two frames: the shorter arc, so the joint
%! % turns back. 200 degrees about y is 160 the other way; halfway is -80.
%! m.rootPositions = zeros (3, 2);
%! m.localRotations = [1, cosd(100); 0, 0; 0, sind(100); 0, 0];
%! m.frameTime = 1;
%! r = motionresample (m, 0.5);
%! q = r.localRotations(:, 2) * sign (r.localRotations(1, 2));
%! assert (2 * atan2d (q(3), q(1)), -80, 1e-12);

%!test
%! % Counting: a time within rounding of the last original time counts, a
%! % motion of one frame keeps it, one of none stays empty.
%! m.rootPositions = [0 1 2; 0 0 0; 0 0 0];
%! m.localRotations = repmat ([1; 0; 0; 0], 1, 3);
%! m.frameTime = 0.1;
%! r = motionresample (m, 0.1 / 3);
%! assert (columns (r.rootPositions), 7);
%! assert (r.rootPositions(1, end), 2);
%! assert (columns (motionresample (m, 0.15).rootPositions), 2);
%! one = m;  one.rootPositions = [1; 2; 3];  one.localRotations = [1; 0; 0; 0];
%! assert (samebits (motionresample (one, 0.01).rootPositions, [1; 2; 3]));
%! none = m;  none.rootPositions = zeros (3, 0);  none.localRotations = zeros (4, 0);
%! assert (size (motionresample (none, 0.01).localRotations), [4 0]);

%!error id=rotkit:motionresample:notMotion motionresample (1, 0.1)
%!error id=rotkit:motionresample:rootPositionsShape motionresample (struct ("rootPositions", 1, "localRotations", 1, "frameTime", 1), 0.1)
%!error id=rotkit:motionresample:localRotationsShape motionresample (struct ("rootPositions", zeros (3, 2), "localRotations", zeros (4, 3), "frameTime", 1), 0.1)
%!error id=rotkit:motionresample:leafRotationsShape motionresample (struct ("rootPositions", zeros (3, 2), "localRotations", zeros (4, 2), "frameTime", 1, "leafRotations", zeros (3, 2)), 0.1)
%!error id=rotkit:motionresample:motionFrameTime motionresample (struct ("rootPositions", zeros (3, 2), "localRotations", zeros (4, 2), "frameTime", 0), 0.1)
%!error id=rotkit:motionresample:frameTime motionresample (struct ("rootPositions", zeros (3, 2), "localRotations", zeros (4, 2), "frameTime", 1), -1)
%!error id=rotkit:motionresample:frameTime motionresample (struct ("rootPositions", zeros (3, 2), "localRotations", zeros (4, 2), "frameTime", 1), [1 2])

%!test
%! % A motion whose joints' translations change: motion.offsets resampled
%! % linearly with the root, the original frames kept bit for bit.
%! root = fileparts (fileparts (fileparts (which ("samebits"))));
%! [skel, motion] = bvhread (fullfile (root, "tests", "motionfiles", "bvh", "files", "joint_positions_changing.bvh"));
%! fast = motionresample (motion, motion.frameTime / 2);
%! assert (size (fast.offsets), [21 13]);
%! assert (fast.offsets(:, 1:2:end), motion.offsets);
%! assert (fast.offsets(:, 2), (motion.offsets(:, 1) + motion.offsets(:, 2)) / 2, 1e-12);
%! bad = motion;  bad.offsets = bad.offsets(:, 1:3);
%! try
%!   motionresample (bad, 0.01);
%!   error ("no error");
%! catch err
%!   assert (err.identifier, "rotkit:motionresample:offsetsShape");
%! end
