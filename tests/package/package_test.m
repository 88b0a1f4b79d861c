% The Octave package: tools/make_dist.sh builds the tarball, a fresh
% octave-cli installs it with pkg install -local into a prefix of its own
% (HOME there too, so nothing of the user's is read or written), loads it,
% and calls every function; its results must match the build's bit for bit.
% It builds the toolbox its own way, so it runs once, not per build.
% ctest BUILDS: oct

%!shared root
%! % tests/support is on the path (the runner puts it there): the repository
%! % is two folders up from it.
%! root = fileparts (fileparts (fileparts (which ("samebits"))));

%!test
%! % One version everywhere: the package, the CMake project, Contents.m.
%! description = fileread (fullfile (root, "package", "DESCRIPTION"));
%! version = regexp (description, '(?m)^Version:\s*(\S+)', "tokens", "once"){1};
%! project = fileread (fullfile (root, "CMakeLists.txt"));
%! assert (regexp (project, 'project\(rotkit VERSION (\S+)', "tokens", "once"){1}, version);
%! assert (! isempty (strfind (fileread (fullfile (root, "toolbox", "rotkit", "Contents.m")), ["Version " version])));

%!function status = run (command)
%! [status, output] = system (command);
%! if (status != 0)
%!   printf ("%s\n%s\n", command, output);
%! end
%!endfunction

%!test
%! % Every compiled function of the manifest and every m-file of the toolbox.
%! mfiles = dir (fullfile (root, "toolbox", "rotkit", "*.m"));
%! functions = [manifest_functions(root), regexprep({mfiles.name}, '\.m$', '')];
%! functions(strcmp (functions, "Contents")) = [];
%! work = tempname ();
%! mkdir (work);
%! unwind_protect
%!   assert (run (sprintf ("bash '%s' '%s'", fullfile (root, "tools", "make_dist.sh"), work)), 0);
%!   tarball = dir (fullfile (work, "rotkit-*.tar.gz"));
%!   assert (numel (tarball), 1);
%!   script = fullfile (work, "use_package.m");
%!   fid = fopen (script, "w");
%!   fprintf (fid, "%s\n", ...
%!     sprintf ("pkg prefix '%s' '%s';", fullfile (work, "prefix"), fullfile (work, "prefix")), ...
%!     sprintf ("pkg local_list '%s';", fullfile (work, "octave_packages")), ...
%!     sprintf ("pkg install -local '%s';", fullfile (work, tarball.name)), ...
%!     "pkg load rotkit;", ...
%!     sprintf ("functions = {%s};", strjoin (strcat ("'", functions, "'"), ", ")), ...
%!     "for f = functions", ...
%!     "  text = help (f{1});", ...
%!     "  if isempty (strfind (text, upper (f{1}))), error ('no help for %s', f{1}); end", ...
%!     "  if isempty (strfind (which (f{1}), pwd ())), error ('%s not from the package', f{1}); end", ...
%!     "  if exist (f{1}) == 3 && isempty (regexp (which (f{1}), '\\.oct$')), error ('%s is no oct-file', f{1}); end", ...
%!     "end", ...
%!     "contents = evalc ('help rotkit');", ...
%!     "for f = functions", ...
%!     "  if isempty (regexp (contents, [f{1} ' +- '], 'once')), error ('help rotkit does not list %s', f{1}); end", ...
%!     "end", ...
%!     "[skel, motion] = bvhread (fullfile (fileparts (which ('bvhread')), 'samples', 'walk.bvh'));", ...
%!     "P = posechain (skel.parents, skel.offsets, motion.rootPositions, motion.localRotations);", ...
%!     "Q = motion.localRotations(5:8, :);", ...
%!     "C = rotcompose (Q(:, 1), Q);", ...
%!     "R = rotreverse (Q);", ...
%!     "B = rotblend (Q(:, 1), Q(:, end), linspace (0, 1, 9));", ...
%!     "M = rot2mat (Q); A = rotapply (Q, skel.offsets(:, 2)); N = rotnormalize (3 * Q); Z = mat2rot (M);", ...
%!     "[E1, L] = rot2eul (Q, 'ZXY');  E = eul2rot (E1, 'ZXY');  V = rot2vec (Q);  W = vec2rot (V);", ...
%!     "try, rotcompose (1, 2, 3); catch err, refusal = err.message; end", ...
%!     "save ('-binary', 'results.bin', 'P', 'C', 'R', 'B', 'M', 'A', 'N', 'Z', 'E1', 'L', 'E', 'V', 'W', 'refusal');", ...
%!     "pkg unload rotkit;", ...
%!     "if exist ('rotcompose'), error ('pkg unload left rotcompose on the path'); end");
%!   fclose (fid);
%!   octave = fullfile (OCTAVE_HOME (), "bin", "octave-cli");
%!   assert (run (sprintf ("cd '%s' && HOME='%s' '%s' --norc --no-history --quiet use_package.m", ...
%!                         work, work, octave)), 0);
%!   % pkg install compiled oct-files, Octave's native interface, which
%!   % hold no fused multiply-add either.
%!   [~, installed] = system (sprintf ("find '%s' -name '*.oct'", fullfile (work, "prefix")));
%!   installed = strsplit (strtrim (installed), "\n");
%!   assert (numel (installed), numel (manifest_functions (root)));
%!   assert (run (sprintf ("bash '%s' %s", fullfile (root, "tools", "check_no_fma.sh"), ...
%!                         strjoin (strcat ("'", installed, "'"), " "))), 0);
%!   got = load (fullfile (work, "results.bin"));
%!   % The same sources and flags as the build: the same bits.
%!   [skel, motion] = bvhread (fullfile (fileparts (which ("bvhread")), "samples", "walk.bvh"));
%!   Q = motion.localRotations(5:8, :);
%!   assert (samebits (got.P, posechain (skel.parents, skel.offsets, motion.rootPositions, motion.localRotations)));
%!   assert (samebits (got.C, rotcompose (Q(:, 1), Q)));
%!   assert (samebits (got.R, rotreverse (Q)));
%!   assert (samebits (got.B, rotblend (Q(:, 1), Q(:, end), linspace (0, 1, 9))));
%!   assert (samebits (got.M, rot2mat (Q)));
%!   assert (samebits (got.A, rotapply (Q, skel.offsets(:, 2))));
%!   assert (samebits (got.N, rotnormalize (3 * Q)));
%!   assert (samebits (got.Z, mat2rot (rot2mat (Q))));
%!   [E1, L] = rot2eul (Q, 'ZXY');
%!   assert (samebits (got.E1, E1) && isequal (got.L, L) && samebits (got.E, eul2rot (E1, 'ZXY')));
%!   assert (samebits (got.V, rot2vec (Q)) && samebits (got.W, vec2rot (rot2vec (Q))));
%!   assert (! isempty (strfind (got.refusal, "Two inputs required.")));
%! unwind_protect_cleanup
%!   confirm_recursive_rmdir (false, "local");
%!   rmdir (work, "s");
%! end_unwind_protect
