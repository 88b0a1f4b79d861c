% bvhwrite: what bvhread reads comes back the same (the sample walk and
% every test file), a skeleton built by hand gets the default layout, and
% every refusal leaves the target file as it was.

%!shared root, folder, walk
%! root = fileparts (fileparts (fileparts (which ("samebits"))));
%! addpath (fullfile (root, "tools"));
%! folder = fullfile (root, "tests", "motionfiles", "bvh", "files");
%! walk = fullfile (root, "toolbox", "rotkit", "samples", "walk.bvh");

%!function [skel, motion] = arm ()
%! % Shoulder, elbow, hand and the hand's End Site, built by hand.
%! skel.parents = [0 1 2 3];
%! skel.offsets = [0 10 8 2; 0 0 0 0; 0 0 0 0];
%! skel.names = {"Shoulder", "Elbow", "Hand", "Hand_end"};
%! t = linspace (0, 1, 5);
%! turn = @(axis, a) [cos(a / 2); sin(a / 2) .* ("xyz" == axis)'];
%! motion.rootPositions = [t; 2 * t; zeros(1, 5)];
%! motion.localRotations = [repmat([1; 0; 0; 0], 1, 5); turn("z", t); turn("y", t / 2); turn("x", t)];
%! motion.frameTime = 0.25;
%!endfunction

%!function expectRefused (pattern, file, varargin)
%! try
%!   bvhwrite (file, varargin{:});
%! catch err
%!   assert (! isempty (regexp (err.message, pattern, "once")), err.message);
%!   return;
%! end
%! error ("bvhwrite did not refuse: %s", pattern);
%!endfunction

%!test
%! % The sample walk and every test file: the same tree, and posechain
%! % within 1e-9 of the skeleton's size (bvh_round_trip says how it checks).
%! files = [{walk}, fullfile(folder, {"crlf_tabs.bvh", "colon_names.bvh", "no_root_position.bvh", "odd_channels.bvh"})];
%! for k = 1:numel (files)
%!   [skel, motion] = bvhread (files{k});
%!   [same, report] = bvh_round_trip (skel, motion);
%!   assert (same, "%s: %s differs", files{k}, report.what);
%!   [~, name] = fileparts (files{k});
%!   printf ("round trip %-17s positions within %.2g of the skeleton's size\n", name, report.positionRatio);
%! end

%!test
%! % A hand-built skeleton gets the default layout and comes back posed the same.
%! [skel, motion] = arm ();
%! file = [tempname() ".bvh"];
%! [skel2, motion2] = bvhread (bvhwrite (file, skel, motion));
%! text = fileread (file);
%! delete (file);
%! assert (skel2.parents, skel.parents);
%! assert (skel2.names, skel.names);
%! assert (skel2.offsets, skel.offsets);
%! assert (skel2.channels, {{"Xposition", "Yposition", "Zposition", "Zrotation", "Xrotation", "Yrotation"}, ...
%!                          {"Zrotation", "Xrotation", "Yrotation"}, {"Zrotation", "Xrotation", "Yrotation"}, cell(1, 0)});
%! assert (skel2.endSites, logical ([0 0 0 1]));
%! P = posechain (skel.parents, skel.offsets, motion.rootPositions, motion.localRotations);
%! P2 = posechain (skel2.parents, skel2.offsets, motion2.rootPositions, motion2.localRotations);
%! assert (max (abs (P(:) - P2(:))) < 1e-12);
%! % 17 significant digits: every double of the file reads back as itself.
%! assert (! isempty (strfind (text, "Frame Time: 0.25")));

%!test
%! % Joints numbered otherwise than depth first come back in that order.
%! [skel, motion] = arm ();
%! skel.parents = [0 1 1 2];
%! skel.names = {"Root", "A", "B", "A_end"};
%! skel.endSites = logical ([0 0 0 1]);
%! skel.channels = {{"Zrotation"}, {"Xrotation"}, {"Yrotation"}, {}};
%! motion.leafRotations = [cos(0.1); 0; sin(0.1); 0] .* ones (1, 5);
%! motion.localRotations = repmat ([1; 0; 0; 0], 4, 5);
%! file = [tempname() ".bvh"];
%! [skel2, motion2] = bvhread (bvhwrite (file, skel, motion));
%! delete (file);
%! assert (skel2.names, {"Root", "A", "A_end", "B"});
%! assert (skel2.parents, [0 1 2 1]);
%! assert (skel2.leafJoints, 4);
%! assert (motion2.leafRotations, motion.leafRotations, 1e-15);

%!test
%! % The walk turned a quarter turn about y: the turn in the root's rows is
%! % composed into the root's rotation, so the turned poses come back.
%! [skel, motion] = bvhread (walk);
%! quarter = [cos(pi / 4); 0; sin(pi / 4); 0];
%! turned = motion;
%! turned.localRotations(1:4, :) = rotcompose (quarter, motion.localRotations(1:4, :));
%! pure = rotcompose (rotcompose (quarter, [zeros(1, 120); motion.rootPositions]), rotreverse (quarter));
%! turned.rootPositions = pure(2:4, :);
%! file = [tempname() ".bvh"];
%! [skel2, motion2] = bvhread (bvhwrite (file, skel, turned));
%! delete (file);
%! P = posechain (skel.parents, skel.offsets, turned.rootPositions, turned.localRotations);
%! P2 = posechain (skel2.parents, skel2.offsets, motion2.rootPositions, motion2.localRotations);
%! assert (max (abs (P(:) - P2(:))) < 1e-9 * 170);
%! assert (motion2.localRotations(1:4, :), repmat ([1; 0; 0; 0], 1, 120));

%!test
%! % A root that moves along an axis without a position channel gets one,
%! % in front of its channels; nothing else of the layout changes.
%! [skel, motion] = bvhread (fullfile (folder, "no_root_position.bvh"));
%! motion.rootPositions(1, :) += 1:4;
%! file = [tempname() ".bvh"];
%! [skel2, motion2] = bvhread (bvhwrite (file, skel, motion));
%! delete (file);
%! assert (skel2.channels{1}, [{"Xposition"}, skel.channels{1}]);
%! assert (skel2.channels(2:end), skel.channels(2:end));
%! assert (motion2.rootPositions, motion.rootPositions, 1e-12);

%!test
%! % The shortest digits that read back: every number of a file that
%! % bvhwrite writes reads back as the same double, and a short number
%! % stays short.
%! [skel, motion] = arm ();
%! motion.rootPositions(1, 2) = 0.1;
%! motion.rootPositions(2, 3) = 1 / 3;
%! motion.rootPositions(3, 4) = -0;
%! file = [tempname() ".bvh"];
%! [skel2, motion2] = bvhread (bvhwrite (file, skel, motion));
%! text = fileread (file);
%! delete (file);
%! assert (! isempty (strfind (text, "\n0.1 ")) && ! isempty (strfind (text, " 0.3333333333333333 ")));
%! assert (isequal (typecast (motion2.rootPositions(:), "uint64"), typecast (motion.rootPositions(:) + 0, "uint64")));

%!test
%! % Translations that change from frame to frame: written as position
%! % channels, read back the same.
%! [skel, motion] = arm ();
%! motion.offsets = repmat (skel.offsets(:), 1, 5);
%! motion.offsets(4, :) = 10 + (0:4) / 8;            % the elbow's bone stretches along x
%! motion.offsets(1:3, :) = motion.rootPositions;
%! skel.offsets(:, 2) = NaN;
%! file = [tempname() ".bvh"];
%! [skel2, motion2] = bvhread (bvhwrite (file, skel, motion));
%! delete (file);
%! assert (skel2.channels{2}, {"Xposition", "Zrotation", "Xrotation", "Yrotation"});
%! assert (isnan (skel2.offsets(:, 2)) && isequal (skel2.offsets(:, [1 3 4]), skel.offsets(:, [1 3 4])));
%! assert (motion2.offsets, motion.offsets);
%! P = poseglobal (skel.parents, motion.offsets, motion.rootPositions, motion.localRotations);
%! P2 = poseglobal (skel2.parents, motion2.offsets, motion2.rootPositions, motion2.localRotations);
%! assert (max (abs (P(:) - P2(:))) < 1e-12);

%!test
%! % Fewer digits: a smaller file whose numbers read back to about 1e-6.
%! [skel, motion] = bvhread (walk);
%! full = [tempname() ".bvh"];  short = [tempname() ".bvh"];
%! bvhwrite (full, skel, motion);
%! [skel2, motion2] = bvhread (bvhwrite (short, skel, motion, "Digits", 6));
%! sizes = [numel(fileread(short)), numel(fileread(full))];
%! delete (full); delete (short);
%! assert (sizes(1) < 0.6 * sizes(2));
%! assert (skel2.offsets, skel.offsets);
%! assert (motion2.rootPositions, motion.rootPositions, 1e-3);

%!test
%! % No channels at all: one empty line per frame, read back as frames.
%! [skel, motion] = arm ();
%! skel.channels = {{}, {}, {}, {}};
%! motion.rootPositions = zeros (3, 5);
%! motion.localRotations = repmat ([1; 0; 0; 0], 4, 5);
%! file = [tempname() ".bvh"];
%! [skel2, motion2] = bvhread (bvhwrite (file, skel, motion));
%! delete (file);
%! assert (size (motion2.localRotations), [16 5]);

%!test
%! % A refusal leaves the target as it was and no temporary file beside it.
%! [skel, motion] = bvhread (fullfile (folder, "no_root_position.bvh"));
%! knee = find (strcmp (skel.names, "Knee"));
%! motion.localRotations(4 * (knee + 1) - 3:4 * (knee + 1), 3) = [cos(0.3); 0; 0; sin(0.3)];  % Knee_end's rows
%! place = tempname ();
%! mkdir (place);
%! file = fullfile (place, "out.bvh");
%! fid = fopen (file, "w"); fputs (fid, "as it was"); fclose (fid);
%! expectRefused ('"Knee" in frame 3 cannot be written in its rotation channels \(Xrotation\)', file, skel, motion);
%! assert (fileread (file), "as it was");
%! listing = dir (place);
%! assert (sort ({listing.name}), {".", "..", "out.bvh"});
%! confirm_recursive_rmdir (false, "local");
%! rmdir (place, "s");

%!test
%! [skel, motion] = bvhread (walk);
%! file = [tempname() ".bvh"];
%! % Two children of the chest that disagree on the chest's rotation.
%! chest = find (strcmp (skel.names, "Chest"));
%! kids = find (skel.parents == chest);
%! bent = motion;
%! bent.localRotations(4 * kids(2) - 3:4 * kids(2), 7) = [0; 1; 0; 0];
%! expectRefused ('"Neck" and "LeftShoulder" hold different rotations of their parent "Chest" in frame 7', file, skel, bent);
%! % A joint without rotation channels turned.
%! [skel, motion] = bvhread (fullfile (folder, "no_root_position.bvh"));
%! motion.localRotations(4 * 3 - 3:4 * 3, 2) = [0; 0; 1; 0];      % Torso's rows: Waist's rotation
%! expectRefused ('"Waist" in frame 2 cannot be written in its rotation channels \(none\)', file, skel, motion);
%! [skel, motion] = arm ();
%! bad = skel;  bad.names{2} = "two  spaces";
%! expectRefused ('name "two  spaces" would not read back', file, bad, motion);
%! bad.names{2} = "a{b";
%! expectRefused ('would not read back', file, bad, motion);
%! bad = motion;  bad.rootPositions(2, 3) = NaN;
%! expectRefused ('rootPositions must be a 3 x N matrix of finite', file, skel, bad);
%! bad = motion;  bad.localRotations(5:8, 2) = 0;
%! expectRefused ('"Shoulder" in frame 2 is not a rotation', file, skel, bad);
%! bad = skel;  bad.parents = [0 1 3 2];
%! expectRefused ('parents must list 0 for the root', file, bad, motion);
%! bad = skel;  bad.channels = {{"Xposition", "Zrotation", "xposition"}, {"Zrotation"}, {"Yrotation"}, {}};
%! expectRefused ('SKEL.channels\{1\}: a position channel is listed twice', file, bad, motion);
%! bad = skel;  bad.offsets(2, 3) = NaN;
%! expectRefused ('a NaN column needs MOTION.offsets', file, bad, motion);
%! bad = motion;  bad.offsets = repmat (skel.offsets(:), 1, 5);  bad.offsets(11, 3) = 1;      % Hand_end moves
%! expectRefused ('the translation of the End Site "Hand_end" changes in frame 3', file, skel, bad);
%! bad.offsets = zeros (12, 4);
%! expectRefused ('MOTION.offsets must be a 12 x 5 matrix', file, skel, bad);
%! try
%!   bvhwrite (file, skel, 3);
%!   error ("no error");
%! catch err
%!   assert (err.identifier, "rotkit:bvhwrite:motion");
%! end
%! expectRefused ('Digits must be a whole number from 1 to 17', file, skel, motion, "Digits", 18);
%! expectRefused ('unknown option', file, skel, motion, "Precision", 5);
%! expectRefused ('cannot write in the folder', fullfile (tempname (), "no", "x.bvh"), skel, motion);
%! assert (! exist (file, "file"));
