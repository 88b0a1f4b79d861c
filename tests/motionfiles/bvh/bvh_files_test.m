% The small files of tests/motionfiles/bvh/files, in the shapes other tools
% write: they are what tools/make_bvh_test_files.m makes, bvhread reads what
% each is about, and the positions it gives (posechain, or poseglobal with
% motion.offsets) are where 4 x 4 homogeneous matrices put every joint,
% computed here from the file's text alone by a reader of this test's own.

%!shared root, folder, names, posable
%! root = fileparts (fileparts (fileparts (which ("samebits"))));
%! addpath (fullfile (root, "tools"));
%! folder = fullfile (root, "tests", "motionfiles", "bvh", "files");
%! names = {"crlf_tabs.bvh", "colon_names.bvh", "no_root_position.bvh", "odd_channels.bvh", ...
%!          "root_offset_channels.bvh", "joint_positions_constant.bvh", "joint_positions_changing.bvh", ...
%!          "extra_frame.bvh", "fewer_frames.bvh", "cut_short.bvh"};
%! posable = names(1:9);

%!function M = axisturn (axis, degrees)
%! c = cosd (degrees);  s = sind (degrees);
%! switch (upper (axis))
%!   case "X", R = [1 0 0; 0 c -s; 0 s c];
%!   case "Y", R = [c 0 s; 0 1 0; -s 0 c];
%!   case "Z", R = [c -s 0; s c 0; 0 0 1];
%! end
%! M = [R, zeros(3, 1); 0 0 0 1];
%!endfunction

%!function [joints, values] = readtext (file)
%! % The joints (parent, OFFSET, channel names, End Site or not) and the
%! % frame values of a BVH file, read from its text here, word by word.
%! text = strrep (strrep (fileread (file), "\r\n", "\n"), "\r", "\n");
%! lines = strsplit (text, "\n");
%! joints = struct ("parent", {}, "offset", {}, "channels", {});
%! open = [];  pending = 0;  k = 1;
%! while (k <= numel (lines))
%!   words = regexp (lines{k}, '[{}]|[^\s{}]+', 'match');
%!   k += 1;
%!   if (isempty (words)), continue; end
%!   keyword = upper (words{1});
%!   if (any (strcmp (keyword, {"ROOT", "JOINT", "END"})))
%!     parent = 0;
%!     if (! isempty (open)), parent = open(end); end
%!     joints(end + 1) = struct ("parent", parent, "offset", [0; 0; 0], "channels", {{}});
%!     pending = numel (joints);
%!   elseif (strcmp (keyword, "OFFSET"))
%!     joints(open(end)).offset = str2double (words(2:4))';
%!   elseif (strcmp (keyword, "CHANNELS"))
%!     joints(open(end)).channels = words(3:end);
%!   elseif (strcmp (keyword, "MOTION"))
%!     break;
%!   end
%!   for w = words
%!     if (strcmp (w{1}, "{")), open(end + 1) = pending; end
%!     if (strcmp (w{1}, "}")), open(end) = []; end
%!   end
%! end
%! k += 2;                       % "Frames:" and "Frame Time:"
%! values = zeros (sum (cellfun (@numel, {joints.channels})), 0);
%! for k = k:numel (lines)
%!   if (! isempty (strtrim (lines{k})))
%!     values(:, end + 1) = sscanf (lines{k}, "%f");
%!   end
%! end
%!endfunction

%!function X = matrixpositions (joints, values)
%! % Each joint's world matrix: its parent's, times the translation (the
%! % OFFSET with each position channel's value in place of its coordinate),
%! % times its rotation channels' turns in the order of the file.
%! J = numel (joints);
%! X = zeros (3 * J, columns (values));
%! for k = 1:columns (values)
%!   world = cell (1, J);
%!   c = 0;
%!   for j = 1:J
%!     move = joints(j).offset;
%!     turn = eye (4);
%!     for name = joints(j).channels
%!       c += 1;
%!       if (strcmpi (name{1}(2:end), "position"))
%!         move("XYZ" == upper (name{1}(1))) = values(c, k);
%!       else
%!         turn = turn * axisturn (name{1}(1), values(c, k));
%!       end
%!     end
%!     local = [eye(3), move; 0 0 0 1] * turn;
%!     if (joints(j).parent == 0)
%!       world{j} = local;
%!     else
%!       world{j} = world{joints(j).parent} * local;
%!     end
%!     X(3 * j - 2:3 * j, k) = world{j}(1:3, 4);
%!   end
%! end
%!endfunction

%!function P = posed (skel, motion)
%! if (isfield (motion, "offsets"))
%!   P = poseglobal (skel.parents, motion.offsets, motion.rootPositions, motion.localRotations);
%! else
%!   P = posechain (skel.parents, skel.offsets, motion.rootPositions, motion.localRotations);
%! end
%!endfunction

%!test
%! fresh = tempname ();
%! made = make_bvh_test_files (fresh);
%! assert (sort (made), sort (names));
%! for k = 1:numel (names)
%!   same = strcmp (fileread (fullfile (fresh, names{k})), fileread (fullfile (folder, names{k})));
%!   assert (same, "tests/motionfiles/bvh/files/%s differs from what tools/make_bvh_test_files.m writes", names{k});
%! end
%! confirm_recursive_rmdir (false, "local");
%! rmdir (fresh, "s");

%!test
%! % Every file but the one cut short, posed, against the matrices; the
%! % frame-count warnings of two of them are the next test's.
%! state = warning ("off", "rotkit:bvhread:frameCount");
%! restore = onCleanup (@() warning (state));
%! for k = 1:numel (posable)
%!   file = fullfile (folder, posable{k});
%!   [skel, motion] = bvhread (file);
%!   [joints, values] = readtext (file);
%!   X = matrixpositions (joints, values);
%!   P = posed (skel, motion);
%!   assert (size (P), size (X));
%!   err = max ([0; abs(P(:) - X(:))]);
%!   printf ("%-29s %2d joints %2d frames, positions within %.2g of 4 x 4 matrix kinematics\n", ...
%!           posable{k}, numel (joints), columns (X), err);
%!   assert (err < 1e-10 * max (abs (X(:))), posable{k});
%! end

%!test
%! % A root with a non-zero OFFSET stands at its channels: the first frame
%! % at (0, 103.5, 0), where the file puts it, not twice as high.
%! [skel, motion] = bvhread (fullfile (folder, "root_offset_channels.bvh"));
%! assert (skel.offsets(:, 1), [0; 103.5; 0]);
%! assert (motion.rootPositions(:, 1), [0; 103.5; 0]);
%! assert (! isfield (motion, "offsets"));

%!test
%! % Position channels on every joint, constant: skel.offsets holds each
%! % joint's translation (Head's channels, not its OFFSET), no
%! % motion.offsets, and posechain poses the file.
%! [skel, motion] = bvhread (fullfile (folder, "joint_positions_constant.bvh"));
%! assert (skel.offsets(:, 2:5), [0 0 0 -9; 10 41.25 15 0; 0 2.5 0 0]);
%! assert (! isfield (motion, "offsets"));
%! assert (skel.channels{3}, {"Xposition", "Yposition", "Zposition", "Zrotation", "Yrotation", "Xrotation"});

%!test
%! % Changing translations: NaN columns in skel.offsets for exactly those
%! % joints, motion.offsets with every joint's translation, and posechain
%! % marks them and everything below them with NaN.
%! [skel, motion] = bvhread (fullfile (folder, "joint_positions_changing.bvh"));
%! [joints, values] = readtext (fullfile (folder, "joint_positions_changing.bvh"));
%! changing = logical ([0 1 1 1 0 0 0]);           % Hips, Thigh, Shin
%! assert (all (isnan (skel.offsets(:, changing))(:)));
%! assert (! any (isnan (skel.offsets(:, ! changing))(:)));
%! assert (size (motion.offsets), [21 7]);
%! assert (motion.offsets(1:3, :), motion.rootPositions);
%! assert (motion.offsets(7:9, :), values(7:9, :));            % Thigh: its channels
%! assert (motion.offsets(10:12, :), [zeros(1, 7); values(13, :); zeros(1, 7)]);   % Shin: y from its channel
%! P = posechain (skel.parents, skel.offsets, motion.rootPositions, motion.localRotations);
%! below = logical ([0 1 1 1 1 1 1]);              % Hips and all that hangs below it
%! assert (all (isnan (P(kron (below, [1 1 1]) == 1, :))(:)));
%! assert (P(1:3, :), motion.rootPositions);

%!test
%! % Frame counts other than announced: every complete line, with a
%! % warning that names the file and both counts; as an error on request.
%! state = warning ();
%! restore = onCleanup (@() warning (state));
%! warning ("on", "rotkit:bvhread:frameCount");
%! for f = {{"extra_frame.bvh", 7, "announces 6 frames and the file holds 7"}, ...
%!          {"fewer_frames.bvh", 6, "announces 8 frames and the file holds 6"}}
%!   file = fullfile (folder, f{1}{1});
%!   lastwarn ("");
%!   [skel, motion] = bvhread (file);
%!   [message, id] = lastwarn ();
%!   assert (id, "rotkit:bvhread:frameCount");
%!   assert (! isempty (strfind (message, file)) && ! isempty (strfind (message, f{1}{3})), message);
%!   assert (columns (motion.localRotations), f{1}{2});
%! end
%! warning ("error", "rotkit:bvhread:frameCount");
%! try
%!   bvhread (fullfile (folder, "extra_frame.bvh"));
%!   error ("no error");
%! catch err
%!   assert (err.identifier, "rotkit:bvhread:frameCount");
%! end

%!test
%! % A file cut off in its last line: an error naming the line.
%! file = fullfile (folder, "cut_short.bvh");
%! try
%!   bvhread (file);
%!   error ("no error");
%! catch err
%!   assert (err.identifier, "rotkit:bvhread:frameValues");
%!   assert (err.message, ["bvhread: " file ", line 38: frame 6 has 7 values; the CHANNELS call for 15."]);
%! end

%!test
%! % Round trips: bvhread (bvhwrite (bvhread (f))) poses every file the same.
%! state = warning ("off", "rotkit:bvhread:frameCount");
%! restore = onCleanup (@() warning (state));
%! for k = 1:numel (posable)
%!   [skel, motion] = bvhread (fullfile (folder, posable{k}));
%!   file = [tempname() ".bvh"];
%!   [skel2, motion2] = bvhread (bvhwrite (file, skel, motion));
%!   delete (file);
%!   P = posed (skel, motion);
%!   P2 = posed (skel2, motion2);
%!   assert (isequal (isfield (motion, "offsets"), isfield (motion2, "offsets")), posable{k});
%!   assert (max ([0; abs(P(:) - P2(:))]) < 1e-12 * max (abs (P(:))), posable{k});
%!   assert (skel2.channels, skel.channels);
%! end

%!test
%! % CRLF, tabs, runs of spaces, "End site", tabs after "Frames:" and
%! % "Frame Time:", exponents, and a last frame without a line end.
%! file = fullfile (folder, "crlf_tabs.bvh");
%! text = fileread (file);
%! assert (any (text == "\r") && any (text == "\t") && text(end) != "\n");
%! [skel, motion] = bvhread (file);
%! assert (skel.names, {"Hips", "Spine", "Spine_end", "Leg", "Leg_end"});
%! assert (skel.endSites, logical ([0 0 1 0 1]));
%! assert (skel.offsets(:, [1 2 3]), [0 0 0; 91.5 12 25; 0 -0.5 0]);
%! assert (motion.frameTime, 3.3333333e-02);
%! [~, values] = readtext (file);
%! assert (columns (values), 5);
%! assert (motion.rootPositions(:, 5), values(1:3, 5));

%!test
%! % Names with colons and spaces, kept whole.
%! [skel, motion] = bvhread (fullfile (folder, "colon_names.bvh"));
%! assert (skel.names([1 4 5]), {"mixamorig:Hips", "Left Hand Index 1", "Left Hand Index 1_end"});
%! assert (skel.channels{2}, {"Zrotation", "Yrotation", "Xrotation"});
%! assert (motion.frameTime, 0.0416667);

%!test
%! % A root without position channels stays at its OFFSET; a joint without
%! % CHANNELS and one with "CHANNELS 0" have none; a JOINT without children
%! % keeps its rotation in leafRotations.
%! file = fullfile (folder, "no_root_position.bvh");
%! [skel, motion] = bvhread (file);
%! assert (motion.rootPositions, repmat ([0; 90; 0], 1, 4));
%! assert (skel.channels([2 5 8]), {cell(1, 0), cell(1, 0), {"Xrotation"}});
%! hand = find (strcmp (skel.names, "Hand"));
%! assert (skel.leafJoints, hand);
%! assert (! any (skel.parents == hand));
%! [~, values] = readtext (file);
%! % Hand's channels are values 7 to 9: Zrotation Xrotation Yrotation.
%! for k = 1:4
%!   R = axisturn ("Z", values(7, k)) * axisturn ("X", values(8, k)) * axisturn ("Y", values(9, k));
%!   q = motion.leafRotations(:, k);
%!   w = q(1); v = q(2:4);
%!   Rq = (w^2 - v' * v) * eye (3) + 2 * (v * v') + 2 * w * [0 -v(3) v(2); v(3) 0 -v(1); -v(2) v(1) 0];
%!   assert (Rq, R(1:3, 1:3), 1e-12);
%! end

%!test
%! % Position channels after rotations and on two axes only; two rotation
%! % channels, a repeated axis, a proper Euler list, four channels.
%! [skel, motion] = bvhread (fullfile (folder, "odd_channels.bvh"));
%! assert (skel.channels{1}, {"Yrotation", "Xposition", "Xrotation", "Zposition"});
%! assert (skel.channels{3}, {"Yrotation", "Yrotation", "Xrotation"});
%! assert (skel.channels{5}, {"Zrotation", "Xrotation", "Zrotation"});
%! assert (motion.rootPositions(2, :), repmat (2, 1, 7));
%! assert (isempty (skel.leafJoints));
%! assert (size (motion.leafRotations), [0 7]);
