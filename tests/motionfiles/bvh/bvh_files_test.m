% The small files of tests/motionfiles/bvh/files, in the shapes other tools write:
% they are what tools/make_bvh_test_files.m makes, bvhread reads what each
% is about, and posechain on what it reads places every joint where 4 x 4
% matrix kinematics, computed here from the file's own numbers, do.

%!shared root, folder, names
%! root = fileparts (fileparts (fileparts (which ("samebits"))));
%! addpath (fullfile (root, "tools"));
%! folder = fullfile (root, "tests", "motionfiles", "bvh", "files");
%! names = {"crlf_tabs.bvh", "colon_names.bvh", "no_root_position.bvh", "odd_channels.bvh"};

%!function M = axisturn (axis, degrees)
%! c = cosd (degrees);  s = sind (degrees);
%! switch (axis)
%!   case "X", R = [1 0 0; 0 c -s; 0 s c];
%!   case "Y", R = [c 0 s; 0 1 0; -s 0 c];
%!   case "Z", R = [c -s 0; s c 0; 0 0 1];
%! end
%! M = [R, zeros(3, 1); 0 0 0 1];
%!endfunction

%!function values = frameValues (file)
%! % The numbers after "Frame Time:", frame by frame, read here on their own.
%! text = strrep (fileread (file), "\r", "");
%! lines = strsplit (text, "\n");
%! at = find (strncmp (lines, "Frame Time:", 11));
%! values = [];
%! for k = at + 1:numel (lines)
%!   if (! isempty (strtrim (lines{k})))
%!     values(:, end + 1) = sscanf (lines{k}, "%f");
%!   end
%! end
%!endfunction

%!function X = matrixPositions (skel, values)
%! % Forward kinematics with matrices: each joint's channels in file order.
%! J = numel (skel.parents);
%! X = zeros (3 * J, columns (values));
%! for k = 1:columns (values)
%!   world = cell (1, J);
%!   c = 0;
%!   for j = 1:J
%!     move = skel.offsets(:, j);
%!     turn = eye (4);
%!     for name = skel.channels{j}
%!       c += 1;
%!       if (strcmp (name{1}(2:end), "position"))
%!         move("XYZ" == name{1}(1)) += values(c, k);
%!       else
%!         turn = turn * axisturn (name{1}(1), values(c, k));
%!       end
%!     end
%!     if (j == 1)
%!       world{j} = [eye(3), move; 0 0 0 1] * turn;
%!     else
%!       world{j} = world{skel.parents(j)} * [eye(3), move; 0 0 0 1] * turn;
%!     end
%!     X(3 * j - 2:3 * j, k) = world{j}(1:3, 4);
%!   end
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
%! % Every file, posed, against the matrices.
%! for k = 1:numel (names)
%!   file = fullfile (folder, names{k});
%!   [skel, motion] = bvhread (file);
%!   P = posechain (skel.parents, skel.offsets, motion.rootPositions, motion.localRotations);
%!   X = matrixPositions (skel, frameValues (file));
%!   assert (size (P), size (X));
%!   assert (max (abs (P(:) - X(:))) < 1e-9, names{k});
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
%! values = frameValues (file);
%! assert (columns (values), 5);
%! assert (motion.rootPositions(:, 5), skel.offsets(:, 1) + values(1:3, 5));

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
%! values = frameValues (file);
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

%!test
%! % Text that is not UTF-8 is refused with its line, as every other fault.
%! file = [tempname() ".bvh"];
%! fid = fopen (file, "w");
%! fwrite (fid, ["HIERARCHY\nROOT A\n{\nOFFSET 0 0 0\n}\nJOINT \xff\nMOTION\n"]);
%! fclose (fid);
%! try
%!   bvhread (file);
%!   error ("no error");
%! catch err
%!   assert (regexp (err.message, "line 6: the text is not UTF-8"));
%! end
%! delete (file);
