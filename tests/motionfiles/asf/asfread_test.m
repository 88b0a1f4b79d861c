% asfread: the ASF/AMC pairs of tools/make_asf_test_files.m placed by
% posechain where the Acclaim formulas (computed there with 3 x 3 matrices)
% put every bone's start and end; the layout bvhread gives (root first,
% parents before children, siblings sharing their parent's rotation);
% rotations that are eul2rot's and rotcompose's bits; bvhwrite's BVH of the
% motion placing every joint where asfread does; faults naming file and line.

%!shared root, folder, files
%! root = fileparts (fileparts (fileparts (which ("samebits"))));
%! addpath (fullfile (root, "tools"));
%! folder = fullfile (tempdir (), sprintf ("asfread_test_%d", getpid ()));
%! files = make_asf_test_files (folder);

%!function text = writetext (name, text)
%! fid = fopen (name, "w");
%! fwrite (fid, text);
%! fclose (fid);
%!endfunction

%!function expecterror (id, pattern, varargin)
%! try
%!   if (numel (varargin) == 1)
%!     s = asfread (varargin{:});
%!   else
%!     [s, m] = asfread (varargin{:});
%!   end
%! catch err
%!   assert (err.identifier, id);
%!   assert (! isempty (regexp (err.message, pattern, "once")), err.message);
%!   return;
%! end
%! error ("asfread read a faulty file (%s expected)", id);
%!endfunction

%!test
%! % Every bone's start and end where the matrices put them, within a few
%! % units of the last place of the skeleton's size.
%! for f = files
%!   [skel, motion] = asfread (f.asf, f.amc);
%!   e = f.expected;
%!   P = posechain (skel.parents, skel.offsets, motion.rootPositions, motion.localRotations);
%!   assert (size (P, 2), e.frames);
%!   assert (motion.rootPositions, e.root);
%!   for b = 1:numel (e.bones)
%!     j = find (strcmp (skel.names, e.bones{b}));
%!     assert (P(3 * j - 2:3 * j, :), e.starts(3 * b - 2:3 * b, :), 1e-12);
%!     j = find (strcmp (skel.names, [e.bones{b}, "_end"]));
%!     if (! isempty (j))
%!       assert (P(3 * j - 2:3 * j, :), e.ends(3 * b - 2:3 * b, :), 1e-12);
%!     end
%!   end
%! end

%!test
%! % The layout: root first, parents before children, End Sites at the
%! % ends of bones without children; the root's rows the identity, and
%! % every joint's rows its parent bone's rotation (siblings alike).
%! [skel, motion] = asfread (files(1).asf, files(1).amc);
%! assert (skel.names{1}, "root");
%! assert (all (skel.parents(2:end) < 2:numel (skel.parents)));
%! assert (skel.names(skel.endSites), {"ltibia_end", "rfemur_end", "head_end"});
%! assert (skel.parents(strcmp (skel.names, "lfemur")), find (strcmp (skel.names, "lhipjoint")));
%! J = numel (skel.names);
%! assert (motion.localRotations(1:4, :), repmat ([1; 0; 0; 0], 1, 7));
%! rows = @(name) motion.localRotations(4 * find (strcmp (skel.names, name)) + (-3:0), :);
%! assert (samebits (rows ("lhipjoint"), rows ("lowerback")));    % both turned by the root
%! assert (rows ("lfemur"), repmat ([1; 0; 0; 0], 1, 7));         % lhipjoint has no dofs
%! assert (skel.units, struct ("mass", 1, "length", 0.45, "angle", "deg"));
%! assert (motion.frameTime, 1 / 120);
%! assert (size (motion.leafRotations), [0 7]);

%!test
%! % A bone whose axis frame is not turned: its rotation is eul2rot's of its
%! % three angles, bit for bit (dof rx ry rz: Rz Ry Rx, the sequence 'ZYX').
%! [skel, motion] = asfread (files(1).asf, files(1).amc);
%! amc = strsplit (strrep (fileread (files(1).amc), "\r", ""), "\n");
%! values = zeros (3, 7);  k = 0;
%! for line = amc
%!   words = strsplit (strtrim (line{1}));
%!   if (numel (words) == 1 && ! isempty (regexp (words{1}, '^\d+$', "once")))
%!     k = str2double (words{1});
%!   elseif (strcmp (words{1}, "lowerback"))
%!     values(:, k) = str2double (words(2:4))';
%!   end
%! end
%! q = eul2rot (values([3 2 1], :) * (pi / 180), "ZYX");
%! j = find (strcmp (skel.names, "upperback"));
%! assert (samebits (motion.localRotations(4 * j - 3:4 * j, :), q));

%!test
%! % bvhwrite writes the motion as BVH; bvhread's reading of it places
%! % every joint where asfread's does.
%! for f = files
%!   [skel, motion] = asfread (f.asf, f.amc);
%!   out = fullfile (folder, "out.bvh");
%!   bvhwrite (out, skel, motion);
%!   [s2, m2] = bvhread (out);
%!   assert (s2.names, skel.names);
%!   P = posechain (skel.parents, skel.offsets, motion.rootPositions, motion.localRotations);
%!   Q = posechain (s2.parents, s2.offsets, m2.rootPositions, m2.localRotations);
%!   assert (Q, P, 1e-9 * max (abs (P(:))));
%! end

%!test
%! % The skeleton alone; a bare call.
%! skel = asfread (files(2).asf);
%! assert (skel.units.angle, "rad");
%! assert (numel (skel.names), 1 + 5 + 3);
%! asfread (files(2).asf);
%! assert (ans.parents, skel.parents);

%!test
%! % Faults, each naming its file and line.
%! asf = fullfile (folder, "bad.asf");
%! amc = fullfile (folder, "bad.amc");
%! good = fileread (files(2).asf);
%! writetext (asf, strrep (good, "dof rz rx", "dof rz tx"));
%! expecterror ("rotkit:asfread:asf", "bad.asf, line \\d+: \"tx\": asfread reads turning", asf);
%! writetext (asf, strrep (good, "hips left right up", "hips left right up tip"));
%! expecterror ("rotkit:asfread:asf", "\"tip\" has a second parent", asf);
%! writetext (asf, strrep (good, "name tip", "name hips"));
%! expecterror ("rotkit:asfread:asf", "a second bone named \"hips\"", asf);
%! writetext (asf, strrep (strrep (good, "hips left right up", "hips left right"), "    up tip", "    up tip\n    tip up"));
%! expecterror ("rotkit:asfread:asf", "the :hierarchy has a cycle", asf);
%! writetext (asf, strrep (good, "hips left right up", "hips left right"));
%! expecterror ("rotkit:asfread:asf", "the bone \"up\" is not in the :hierarchy", asf);
%! writetext (asf, strrep (good, "length 3", "length 3x"));
%! expecterror ("rotkit:asfread:number", "line \\d+: length: \"3x\" is not a number", asf);
%! writetext (asf, [good, char(1)]);
%! expecterror ("rotkit:asfread:encoding", "control character", asf);
%! text = fileread (files(2).amc);
%! writetext (amc, strrep (text, "left ", "lefty "));
%! expecterror ("rotkit:asfread:amc", "bad.amc, line \\d+: \"lefty\" is not a bone", files(2).asf, amc);
%! writetext (amc, regexprep (text, "\nright [^\n]*", "", "once"));
%! expecterror ("rotkit:asfread:amc", "bad.amc, line 5: the frame that starts here has no line for \"right\"", files(2).asf, amc);
%! writetext (amc, regexprep (text, "\n(right [^\n]*)", "\n$1\n$1", "once"));
%! expecterror ("rotkit:asfread:amc", "a second line for \"right\"", files(2).asf, amc);
%! writetext (amc, regexprep (text, "\n(left [^ \n]*)[^\n]*", "\n$1", "once"));
%! expecterror ("rotkit:asfread:amc", "\"left\" has 1 values; its degrees of freedom call for 3", files(2).asf, amc);
%! writetext (amc, ["root 1 2 3 4 5 6\n", text]);
%! expecterror ("rotkit:asfread:amc", "line 1: a bone's line before the first frame", files(2).asf, amc);

%!error id=rotkit:asfread:notEnoughInputs [s, m] = asfread ("x.asf")
%!error <Not enough input arguments; the call is \[SKEL, MOTION\] = asfread\(ASFFILE, AMCFILE\)\.> asfread ()
%!error id=rotkit:asfread:tooManyInputs asfread ("a", "b", "c")
%!error id=rotkit:asfread:tooManyOutputs [a, b, c] = asfread ("x.asf", "x.amc")
%!error <AMCFILE must be a file name> asfread ("x.asf", 3)
%!error <cannot open "no such file.asf"> asfread ("no such file.asf")

%!test
%! confirm_recursive_rmdir (false, "local");
%! rmdir (folder, "s");
