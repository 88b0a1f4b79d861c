% bvhread, and posechain on what it reads, against forward kinematics with
% 4 x 4 homogeneous matrices computed here from the numbers the test files
% were written from; every value bit for bit as the m-code reader before it
% (bench/octave/mcode_bvhread.m) gave it for the files it read right; every
% fault an error naming the file and the line.

%!shared root
%! % tests/support is on the path (the runner puts it there): the repository
%! % is two folders up from it.
%! root = fileparts (fileparts (fileparts (which ("samebits"))));
%! addpath (fullfile (root, "tools"));
%! addpath (fullfile (root, "bench", "octave"));

%!function file = writebvh (lines)
%! file = fullfile (tempdir (), sprintf ("bvhread_test_%d.bvh", getpid ()));
%! fid = fopen (file, "w");
%! fprintf (fid, "%s\n", lines{:});
%! fclose (fid);
%!endfunction

%!function lines = smallfile ()
%! lines = {"HIERARCHY", "ROOT Hips", "{", "  OFFSET 0 0 0", ...
%!          "  CHANNELS 6 Xposition Yposition Zposition Zrotation Xrotation Yrotation", ...
%!          "  JOINT Leg", "  {", "    OFFSET 1 -2 0", "    CHANNELS 3 Zrotation Xrotation Yrotation", ...
%!          "    End Site", "    {", "      OFFSET 0 -3 0", "    }", "  }", "}", ...
%!          "MOTION", "Frames: 2", "Frame Time: 0.04", ...
%!          "0 1 2 10 20 30 40 50 60", "1 2 3 11 21 31 41 51 61"};
%!endfunction

%!function lines = edited (lines, k, text)
%! if (isempty (text))
%!   lines(k) = [];
%! else
%!   lines{k} = text;
%! end
%!endfunction

%!function M = axisturn (axis, degrees)
%! c = cosd (degrees);  s = sind (degrees);
%! switch (axis)
%!   case "X", R = [1 0 0; 0 c -s; 0 s c];
%!   case "Y", R = [c 0 s; 0 1 0; -s 0 c];
%!   case "Z", R = [c -s 0; s c 0; 0 0 1];
%! end
%! M = [R, zeros(3, 1); 0 0 0 1];
%!endfunction

%!function M = shift (v)
%! M = [eye(3), v(:); 0 0 0 1];
%!endfunction

%!function [lines, X] = randomfile (seed, rootChannels, orders, frames)
%! % A random tree: joint j's parent is one of the joints before it; every
%! % joint without children ends in an End Site. Joint j takes the channel
%! % list orders{mod(j - 2, numel (orders)) + 1}. Returns the file and, by
%! % matrices, the position of every joint and End Site in file order.
%! rand ("seed", seed);
%! J = 9;
%! parents = [0, arrayfun(@(j) floor (rand () * (j - 1)) + 1, 2:J)];
%! offsets = 40 * rand (3, J) - 20;
%! ends = 40 * rand (3, J) - 20;
%! channels = [{rootChannels}, orders(mod ((2:J) - 2, numel (orders)) + 1)];
%! values = cell (1, J);
%! for j = 1:J
%!   values{j} = 360 * rand (numel (channels{j}), frames) - 180;
%! end
%! [lines, order] = emitjoint (1, "", parents, offsets, ends, channels, {"HIERARCHY"}, []);
%! lines{end + 1} = "MOTION";
%! lines{end + 1} = sprintf ("Frames: %d", frames);
%! lines{end + 1} = "Frame Time: 0.0083333";
%! % A frame lists the channels in the order the hierarchy gives them.
%! table = cat (1, values{order(order > 0)});
%! for k = 1:frames
%!   lines{end + 1} = sprintf ("%.17g ", table(:, k));
%! end
%! % Forward kinematics, frame by frame, with 4 x 4 matrices.
%! X = zeros (3 * numel (order), frames);
%! for k = 1:frames
%!   world = cell (1, J);
%!   for j = 1:J
%!     move = offsets(:, j);
%!     turn = eye (4);
%!     for c = 1:numel (channels{j})
%!       name = channels{j}{c};
%!       value = values{j}(c, k);
%!       if (strcmp (name(2:end), "position"))
%!         move("XYZ" == name(1)) = value;
%!       else
%!         turn = turn * axisturn (name(1), value);
%!       end
%!     end
%!     if (parents(j) == 0)
%!       world{j} = shift (move) * turn;
%!     else
%!       world{j} = world{parents(j)} * shift (move) * turn;
%!     end
%!   end
%!   for n = 1:numel (order)
%!     j = abs (order(n));
%!     if (order(n) > 0)
%!       p = world{j} * [0; 0; 0; 1];
%!     else
%!       p = world{j} * [ends(:, j); 1];
%!     end
%!     X(3 * n - 2:3 * n, k) = p(1:3);
%!   end
%! end
%!endfunction

%!function [lines, order] = emitjoint (j, pad, parents, offsets, ends, channels, lines, order)
%! % Joint j and everything below it; ORDER lists j, and -j for its End Site.
%! if (j == 1)
%!   lines{end + 1} = "ROOT j1";
%! else
%!   lines{end + 1} = sprintf ("%sJOINT j%d", pad, j);
%! end
%! order(end + 1) = j;
%! lines{end + 1} = [pad "{"];
%! lines{end + 1} = sprintf ("%s  OFFSET %.17g %.17g %.17g", pad, offsets(:, j));
%! if (! isempty (channels{j}))
%!   lines{end + 1} = sprintf ("%s  CHANNELS %d %s", pad, numel (channels{j}), strjoin (channels{j}, " "));
%! end
%! children = find (parents == j);
%! for c = children
%!   [lines, order] = emitjoint (c, [pad "  "], parents, offsets, ends, channels, lines, order);
%! end
%! if (isempty (children))
%!   order(end + 1) = -j;
%!   lines = [lines, {[pad "  End Site"], [pad "  {"], ...
%!            sprintf("%s    OFFSET %.17g %.17g %.17g", pad, ends(:, j)), [pad "  }"]}];
%! end
%! lines{end + 1} = [pad "}"];
%!endfunction

%!function r = quat (a, b)
%! r = [a(1)*b(1) - a(2:4)'*b(2:4); a(1)*b(2:4) + b(1)*a(2:4) + cross(a(2:4), b(2:4))];
%!endfunction

%!function P = posed (file)
%! [skel, motion] = bvhread (file);
%! P = posechain (skel.parents, skel.offsets, motion.rootPositions, motion.localRotations);
%!endfunction

%!test
%! % Every rotation order, channels before and after the positions, joints
%! % with one, two or no rotation channels: posechain on what bvhread reads
%! % places every joint and End Site where the matrices do.
%! xyz = {"Xrotation", "Yrotation", "Zrotation"};
%! orders = [num2cell(perms (1:3), 2)', {1, [3 1], [], [2 2 1]}];
%! orders = cellfun (@(o) xyz(o), orders, "UniformOutput", false);
%! roots = {{"Xposition", "Yposition", "Zposition", "Zrotation", "Xrotation", "Yrotation"}, ...
%!          {"Yrotation", "Xrotation", "Zrotation", "Zposition", "Xposition", "Yposition"}, ...
%!          {"Xrotation", "Yposition"}, {"Zposition", "Xposition"}, {}};
%! % Joints with position channels too, among their rotations.
%! orders = [orders, {{"Yposition", "Zrotation", "Xrotation", "Yrotation"}, {"Xrotation", "Zposition", "Xposition"}}];
%! for r = 1:numel (roots)
%!   for seed = 1:3
%!     [lines, X] = randomfile (10 * r + seed, roots{r}, circshift (orders, [0, r + seed]), 6);
%!     [skel, motion] = bvhread (writebvh (lines));
%!     if (isfield (motion, "offsets"))
%!       P = poseglobal (skel.parents, motion.offsets, motion.rootPositions, motion.localRotations);
%!     else
%!       P = posechain (skel.parents, skel.offsets, motion.rootPositions, motion.localRotations);
%!     end
%!     assert (size (P), size (X));
%!     assert (max (abs (P(:) - X(:))) < 1e-9);
%!   end
%! end

%!test
%! % The layout, spelled out on a small file: End Sites are joints, and
%! % each rotation sits in the rows of its joint's children.
%! [skel, motion] = bvhread (writebvh (smallfile ()));
%! assert (skel.parents, [0 1 2]);
%! assert (skel.names, {"Hips", "Leg", "Leg_end"});
%! assert (skel.offsets, [0 1 0; 0 -2 -3; 0 0 0]);
%! assert (motion.rootPositions, [0 1; 1 2; 2 3]);
%! assert (motion.frameTime, 0.04);
%! q = @(axis, d) [cosd(d / 2); sind(d / 2) * ("XYZ" == axis)'];
%! zxy = @(z, x, y) quat (quat (q ("Z", z), q ("X", x)), q ("Y", y));
%! L = motion.localRotations;
%! assert (size (L), [12 2]);
%! assert (L(1:4, :), [1 1; 0 0; 0 0; 0 0]);
%! assert (L(5:8, :), [zxy(10, 20, 30), zxy(11, 21, 31)], 1e-15);
%! assert (L(9:12, :), [zxy(40, 50, 60), zxy(41, 51, 61)], 1e-15);

%!test
%! % What a file may look like: CRLF, tabs, braces beside the names, lower
%! % case keywords, a name with a space, blank lines among the frames.
%! text = ["hierarchy\r\nroot My Hips {\r\n\toffset 1 2 3\r\n\tchannels 3 xposition yposition zposition\r\n", ...
%!         "\tend site {\r\n\t\tOFFSET 0 1 0\r\n\t}\r\n}\r\nMOTION\r\nFrames:\t2\r\nFrame Time:  0.5\r\n", ...
%!         "1 2 3\r\n\r\n4 5 6\r\n\r\n"];
%! file = writebvh ({text});
%! [skel, motion] = bvhread (file);
%! assert (skel.names, {"My Hips", "My Hips_end"});
%! assert (motion.rootPositions, [1 4; 2 5; 3 6]);     % the channels, not OFFSET + channels
%! assert (motion.localRotations, repmat ([1; 0; 0; 0], 2, 2));
%! [skel, motion] = bvhread (writebvh (edited (edited (edited (smallfile (), 20, ""), 19, ""), 17, "Frames: 0")));
%! assert (size (motion.rootPositions), [3 0]);
%! assert (size (motion.localRotations), [12 0]);

%!test
%! % The shipped sample: what its generator writes, a humanoid of 21 joints
%! % and 5 End Sites, 4 s at 30 frames per second.
%! sample = fullfile (root, "toolbox", "rotkit", "samples", "walk.bvh");
%! fresh = [tempname() ".bvh"];
%! make_sample_motion (fresh);
%! same = strcmp (fileread (fresh), fileread (sample));
%! delete (fresh);
%! assert (same, "toolbox/rotkit/samples/walk.bvh differs from what tools/make_sample_motion.m writes");
%! [skel, motion] = bvhread (sample);
%! assert (numel (skel.names), 26);
%! assert (sum (cellfun (@isempty, regexp (skel.names, "_end$"))), 21);
%! assert (size (motion.localRotations), [104 120]);
%! assert (motion.frameTime, 1 / 30, 1e-7);

%!test
%! % Every value of the m-code reader, bit for bit, for the files it read
%! % right: the sample, the test files whose root has no position channel
%! % where its OFFSET is not zero, and random files of every channel order.
%! bits = @(x) typecast (x(:), "uint64");
%! files = {fullfile(root, "toolbox", "rotkit", "samples", "walk.bvh"), ...
%!          fullfile(root, "tests", "motionfiles", "bvh", "files", "no_root_position.bvh")};
%! xyz = {"Xrotation", "Yrotation", "Zrotation"};
%! orders = cellfun (@(o) xyz(o), [num2cell(perms (1:3), 2)', {1, [3 1], [2 2 1], [1 2 3 1]}], "UniformOutput", false);
%! for seed = 1:4
%!   lines = randomfile (seed, {"Xposition", "Zrotation", "Yposition", "Xrotation", "Zposition"}, orders, 5);
%!   lines{4} = "  OFFSET 0 0 0";    % the root's: a root OFFSET adds to its channels in the m-code reader
%!   files{end + 1} = writebvh (lines);
%!   copyfile (files{end}, [files{end} num2str(seed)]);
%!   files{end} = [files{end} num2str(seed)];
%! end
%! for k = 1:numel (files)
%!   [skel, motion] = bvhread (files{k});
%!   [skel0, motion0] = mcode_bvhread (files{k});
%!   assert (isequal (skel, skel0), files{k});
%!   assert (fieldnames (motion), fieldnames (motion0));
%!   for field = {"rootPositions", "localRotations", "frameTime", "leafRotations"}
%!     assert (isequal (bits (motion.(field{1})), bits (motion0.(field{1}))), "%s: %s", files{k}, field{1});
%!   end
%!   assert (isequal (bits (skel.offsets), bits (skel0.offsets)));
%! end
%! for k = 3:numel (files)
%!   delete (files{k});
%! end

%!test
%! % Every number as the m-code reader's str2double reads it: correctly
%! % rounded, a signed zero below the subnormals. The values are a root's
%! % positions whose OFFSET is not zero, so they are the numbers as read.
%! forms = {"0", "-0", "+0", "1", "-1", "1e5", "-2.5e-3", "1e308", "-1e308", "1e-320", "-1e-400", "1e-400", ...
%!          "4.9406564584124654e-324", "2.4703282292062327e-324", "2.4703282292062328e-324", "-2.4703282292062328e-324", ...
%!          "2.2250738585072011e-308", "1.7976931348623157e308", "1.7976931348623158e308", "99999999999", "3.", ".5", ...
%!          "+7", "0.1", "-.3e+2", "1E1", "1e-5", "0000123.4500", "9007199254740993", "123456789012345678901234567890", ...
%!          "0.30000000000000004", "1.00000000000000011102230246251565404236316680908203125", ...
%!          "1.000000000000000111022302462515654042363166809082031251", "6.02214076e23"};
%! rand ("seed", 5);
%! for k = 1:300
%!   forms{end + 1} = sprintf ("%.17g", (rand () - 0.5) * 10 ^ randi ([-300 300]));
%!   forms{end + 1} = sprintf ("%.*f", randi ([0 12]), (rand () - 0.5) * 10 ^ randi ([-3 8]));
%!   forms{end + 1} = [sprintf("%d", randi ([0 9], 1, randi ([1 25]))), ".", sprintf("%d", randi ([0 9], 1, randi ([0 25])))];
%! end
%! % and every number of the test files
%! folder = fullfile (root, "tests", "motionfiles", "bvh", "files");
%! for f = dir (fullfile (folder, "*.bvh"))'
%!   words = regexp (fileread (fullfile (folder, f.name)), '[-+]?(\d+\.?\d*|\.\d+)([eE][-+]?\d+)?', "match");
%!   forms = [forms, words];
%! end
%! forms(end + 1:3 * ceil (numel (forms) / 3)) = {"0"};
%! values = reshape (forms, 3, []);
%! lines = {"HIERARCHY", "ROOT A", "{", "OFFSET 1 1 1", "CHANNELS 3 Xposition Yposition Zposition", ...
%!          "End Site", "{", "OFFSET 0 1 0", "}", "}", "MOTION", sprintf("Frames: %d", columns (values)), "Frame Time: 1"};
%! for k = 1:columns (values)
%!   lines{end + 1} = strjoin (values(:, k)', " ");
%! end
%! [~, motion] = bvhread (writebvh (lines));
%! expected = str2double (values);
%! assert (isequal (typecast (motion.rootPositions(:), "uint64"), typecast (expected(:), "uint64")));

%!error <FILE must be a file name> bvhread (3)
%!error <cannot open "no such file.bvh"> bvhread ("no such file.bvh")
%!error id=rotkit:bvhread:cannotOpen bvhread ("no such file.bvh")
%!error id=rotkit:bvhread:notEnoughInputs bvhread ()
%!error id=rotkit:bvhread:tooManyOutputs [a, b, c] = bvhread ("x.bvh")

%!error <line 1: expected HIERARCHY, found "ROOT"> bvhread (writebvh (edited (smallfile (), 1, "ROOT X")))
%!error <line 2: unexpected "BONE"> bvhread (writebvh (edited (smallfile (), 2, "BONE Hips")))
%!error <line 2: ROOT without a name> bvhread (writebvh (edited (smallfile (), 2, "ROOT")))
%!error <line 3: expected "\{" after ROOT Hips> bvhread (writebvh (edited (smallfile (), 3, "")))
%!error <line 6: ROOT inside a joint> bvhread (writebvh (edited (smallfile (), 6, "  ROOT Leg")))
%!error <line 16: a second ROOT> bvhread (writebvh ([smallfile()(1:15), {"ROOT B", "{", "OFFSET 0 0 0", "}"}, smallfile()(16:end)]))
%!error <line 16: unexpected "\}" after the root's closing brace> bvhread (writebvh ([smallfile()(1:15), {"}"}, smallfile()(16:end)]))
%!error <line 4: OFFSET takes 3 numbers, found 2> bvhread (writebvh (edited (smallfile (), 4, "  OFFSET 0 0")))
%!error <line 8: OFFSET: "-2,0" is not a number> bvhread (writebvh (edited (smallfile (), 8, "  OFFSET 1 -2,0 0")))
%!error id=rotkit:bvhread:number bvhread (writebvh (edited (smallfile (), 8, "  OFFSET 1 1e999 0")))
%!error <line 9: a second OFFSET in "Leg"> bvhread (writebvh ([smallfile()(1:8), {"OFFSET 1 1 1"}, smallfile()(9:end)]))
%!error <line 12: "Leg_end" closes without an OFFSET> bvhread (writebvh (edited (smallfile (), 12, "")))
%!error <line 9: CHANNELS 3 lists 2 channel names> bvhread (writebvh (edited (smallfile (), 9, "CHANNELS 3 Zrotation Xrotation")))
%!error <line 9: CHANNELS must be followed by the number> bvhread (writebvh (edited (smallfile (), 9, "CHANNELS Zrotation")))
%!error <line 9: unknown channel "Wrotation"> bvhread (writebvh (edited (smallfile (), 9, "CHANNELS 1 Wrotation")))
%!error <line 5: position channel Xposition is listed twice> bvhread (writebvh (edited (smallfile (), 5, "CHANNELS 2 Xposition Xposition")))
%!error id=rotkit:bvhread:hierarchy bvhread (writebvh (edited (smallfile (), 9, "CHANNELS 4 Yposition Zrotation yPOSITION Yrotation")))
%!error <line 12: "Leg_end" has CHANNELS; an End Site> bvhread (writebvh ([smallfile()(1:11), {"CHANNELS 1 Xrotation"}, smallfile()(12:end)]))
%!error <line 12: "Leg_end" holds a JOINT> bvhread (writebvh ([smallfile()(1:11), {"JOINT x"}, smallfile()(12:end)]))
%!error <line 15: MOTION while "Hips" is still open> bvhread (writebvh (edited (smallfile (), 15, "")))
%!error <line 15: no MOTION line> bvhread (writebvh (smallfile ()(1:15)))
%!error <line 17: expected "Frames: N" after MOTION> bvhread (writebvh (edited (smallfile (), 17, "Frame: 2")))
%!error <line 17: Frames: "2.5" is not a whole number> bvhread (writebvh (edited (smallfile (), 17, "Frames: 2.5")))
%!error <line 18: expected "Frame Time: T"> bvhread (writebvh (edited (smallfile (), 18, "")))
%!error <line 18: Frame Time must be positive> bvhread (writebvh (edited (smallfile (), 18, "Frame Time: 0")))
%!error id=rotkit:bvhread:motion bvhread (writebvh (edited (smallfile (), 18, "Frame Time: 0")))
%!error <line 20: frame 2 has 8 values; the CHANNELS call for 9> bvhread (writebvh (edited (smallfile (), 20, "1 2 3 11 21 31 41 51")))
%!error <line 19: frame 1 has 10 values> bvhread (writebvh (edited (smallfile (), 19, "0 1 2 10 20 30 40 50 60 70")))
%!error <line 20: frame 2, value 5: "abc" is not a number> bvhread (writebvh (edited (smallfile (), 20, "1 2 3 11 abc 31 41 51 61")))
%!error <line 20: frame 2, value 9: "1.2.3" is not a number> bvhread (writebvh (edited (smallfile (), 20, "1 2 3 11 21 31 41 51 1.2.3")))
%!error <line 19: frame 1, value 5: "2.0.1" is not a number> bvhread (writebvh (edited (smallfile (), 19, "0 1 2 10 2.0.1 30 40 50 60")))
%!error <line 20: frame 2, value 3: "-Inf" is not a number> bvhread (writebvh (edited (smallfile (), 20, "1 2 -Inf 11 21 31 41 51 61")))
%!error <line 19: frame 1, value 1: "NaN" is not a number> bvhread (writebvh (edited (smallfile (), 19, "NaN 1 2 10 20 30 40 50 60")))
%!error <line 19: frame 1, value 1: "0x10" is not a number> bvhread (writebvh (edited (smallfile (), 19, "0x10 1 2 10 20 30 40 50 60")))
%!error <line 19: frame 1, value 2 is out of range> bvhread (writebvh (edited (smallfile (), 19, "0 1e999 2 10 20 30 40 50 60")))
%!error <line 3: the text holds a control character \(byte 0\)> bvhread (writebvh ({"HIERARCHY", "ROOT A", ["{" char(0)]}))

%!test
%! % Frame lines more or fewer than announced are read, with a warning;
%! % a frame line cut short is an error. No channels: a frame per line.
%! state = warning ("off", "rotkit:bvhread:frameCount");
%! restore = onCleanup (@() warning (state));
%! [~, motion] = bvhread (writebvh (edited (smallfile (), 17, "Frames: 1")));
%! assert (columns (motion.rootPositions), 2);
%! [~, motion] = bvhread (writebvh (edited (smallfile (), 17, "Frames: 3")));
%! assert (columns (motion.rootPositions), 2);
%! [msg, id] = lastwarn ();
%! none = {"HIERARCHY", "ROOT A", "{", "OFFSET 0 0 0", "}", "MOTION", "Frames: 5", "Frame Time: 1", "", ""};
%! [~, motion] = bvhread (writebvh (none));
%! assert (size (motion.localRotations), [4 2]);
%! none{7} = "Frames: 1";
%! [~, motion] = bvhread (writebvh (none));
%! assert (size (motion.localRotations), [4 1]);

%!test
%! % No frames, and a joint whose turns are chained one by one (two
%! % channels): empty rotations (this once read a column of nothing).
%! lines = edited (edited (smallfile (), 17, "Frames: 0"), 9, "    CHANNELS 2 Zrotation Yrotation");
%! [skel, motion] = bvhread (writebvh (lines(1:18)));
%! assert (size (motion.localRotations), [12 0]);
%! assert (size (motion.leafRotations), [0 0]);

%!test
%! % Position channels on a joint other than the root: its translation.
%! lines = edited (smallfile (), 9, "    CHANNELS 5 Zrotation Xposition Xrotation Yrotation Zposition");
%! lines{19} = "0 1 2 10 20 30 40 7 50 60 -3";
%! lines{20} = "1 2 3 11 21 31 41 7 51 61 -3";
%! [skel, motion] = bvhread (writebvh (lines));
%! assert (skel.offsets(:, 2), [7; -2; -3]);
%! assert (! isfield (motion, "offsets"));
%! lines{20} = "1 2 3 11 21 31 41 8 51 61 -3";
%! [skel, motion] = bvhread (writebvh (lines));
%! assert (isnan (skel.offsets(:, 2)));
%! assert (motion.offsets(4:6, :), [7 8; -2 -2; -3 -3]);

%!test
%! delete (fullfile (tempdir (), sprintf ("bvhread_test_%d.bvh", getpid ())));
