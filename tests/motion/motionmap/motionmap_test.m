% motionmap over a collection of clips written by tools/make_motion_collection:
% two parcellfun workers give the bits of a run in this process, in the
% order of the files; failing files give bvhread's message and do not stop
% the others; every refusal of the arguments.

%!shared root, folder, files, pose
%! % tests/support is on the path (the runner puts it there): the repository
%! % is two folders up from it.
%! root = fileparts (fileparts (fileparts (which ("samebits"))));
%! addpath (fullfile (root, "tools"));
%! folder = tempname ();
%! files = make_motion_collection (folder, 36);
%! pose = @(skel, motion, file) posechain (skel.parents, skel.offsets, ...
%!                                         motion.rootPositions, motion.localRotations);

%!test
%! % Serially and on 2 workers: the same bits, in the same order. The
%! % rates go into docs/performance.md (cores here are shared: noisy).
%! tic;  serial = motionmap (files, pose, "Progress", false);  here = toc;
%! tic;  [parallel, failed] = motionmap (files, pose, "Workers", 2);  cold = toc;
%! tic;  again = motionmap (files, pose, "Workers", 2);  warm = toc;
%! printf ("motionmap, %d clips: %.1f files/s here, %.1f files/s on 2 workers (%.1f with their start)\n", ...
%!         numel (files), numel (files) / here, numel (files) / warm, numel (files) / cold);
%! assert (size (parallel), size (files));
%! assert (! any (failed));
%! for k = 1:numel (files)
%!   [skel, motion] = bvhread (files{k});
%!   assert (size (serial{k}), [3 * numel(skel.parents), size(motion.rootPositions, 2)]);
%!   assert (samebits (parallel{k}, serial{k}) && samebits (again{k}, serial{k}), "clip %d differs", k);
%! end

%!test
%! % Failing files among good ones: bvhread's own message, the others read.
%! broken = fullfile (folder, "broken.bvh");
%! fid = fopen (broken, "w");
%! fprintf (fid, "HIERARCHY\nROOT Hips\n{\n  OFFSET 0 0\n}\nMOTION\n");
%! fclose (fid);
%! missing = fullfile (folder, "missing.bvh");
%! list = [files(1:3), {broken}, files(4), {missing}];
%! expected = cell (size (list));
%! for k = 1:numel (list)
%!   try
%!     [skel, motion] = bvhread (list{k});
%!     expected{k} = numel (skel.names);
%!   catch err
%!     expected{k} = err.message;
%!   end
%! end
%! joints = @(skel, motion, file) numel (skel.names);
%! for workers = [0 2]
%!   [r, failed] = motionmap (list, joints, "Workers", workers);
%!   assert (failed, logical ([0 0 0 1 0 1]));
%!   assert (r, expected);
%! end
%! assert (strncmp (r{4}, ["bvhread: " broken ", line 4"], numel (broken) + 17));

%!test
%! % The order of the files, kept whatever finishes first; an error of FUN
%! % counts as a failure of its file; a 2 x 3 cell gives a 2 x 3 result.
%! list = reshape (files([6 1 5 2 4 3]), 2, 3);
%! fun = @(skel, motion, file) file;
%! for workers = [0 2]
%!   assert (motionmap (list, fun, "Workers", workers), list);
%! end
%! [r, failed] = motionmap (files(1:2), @(skel, motion, file) error ("mine:id", "no %d", numel (file)));
%! assert (failed, [true true]);
%! assert (r, {sprintf("no %d", numel (files{1})), sprintf("no %d", numel (files{2}))});

%!test
%! % One name, dir's struct array, an empty list.
%! frames = @(skel, motion, file) size (motion.rootPositions, 2);
%! assert (motionmap (files{2}, frames), {34});
%! listing = dir (fullfile (folder, "clip_00*.bvh"));
%! assert (motionmap (listing, frames), motionmap (fullfile (folder, {listing.name}'), frames));
%! [r, failed] = motionmap ({}, frames, "Workers", 2);
%! assert (size (r), [0 0]);
%! assert (size (failed), [0 0]);
%! assert (class (failed), "logical");

%!test
%! % Progress: on request, in the form of parcellfun's line; none on a
%! % short run by default.
%! frames = @(skel, motion, file) size (motion.rootPositions, 2);
%! shown = evalc ("motionmap (files(1:3), frames, 'Progress', true);");
%! assert (strfind (shown, "motionmap: 3/3 files done"));
%! assert (evalc ("motionmap (files(1:3), frames);"), "");
%! assert (evalc ("motionmap (files(1:3), frames, 'Progress', false);"), "");

%!test
%! % A worker that dies gives an error that says so, and the next call
%! % starts new workers. (The package prints "could not load variable",
%! % "could not receive result" and "could not save variable." meanwhile.)
%! die = @(skel, motion, file) kill (getpid (), 9);
%! try
%!   motionmap (files(1:2), die, "Workers", 2);
%!   error ("no error");
%! catch err
%!   assert (err.identifier, "rotkit:motionmap:workerStopped");
%!   assert (strfind (err.message, "stopped without returning its result"));
%! end
%! frames = @(skel, motion, file) size (motion.rootPositions, 2);
%! assert (motionmap (files(1:4), frames, "Workers", 2), motionmap (files(1:4), frames));

%!test
%! % Worker processes share the cores: a compiled function runs on one
%! % thread in each, unless ROTKIT_NUM_THREADS is set by the caller; the
%! % caller's own setting is left as it was, and the one here is untouched.
%! threads = @(skel, motion, file) getenv ("ROTKIT_NUM_THREADS");
%! previous = getenv ("ROTKIT_NUM_THREADS");
%! unwind_protect
%!   unsetenv ("ROTKIT_NUM_THREADS");
%!   assert (motionmap (files(1:3), threads, "Workers", 2), {"1", "1", "1"});
%!   assert (motionmap (files(1:2), threads), {"", ""});
%!   assert (getenv ("ROTKIT_NUM_THREADS"), "");
%!   setenv ("ROTKIT_NUM_THREADS", "3");
%!   assert (motionmap (files(1:3), threads, "Workers", 2), {"3", "3", "3"});
%!   assert (getenv ("ROTKIT_NUM_THREADS"), "3");
%! unwind_protect_cleanup
%!   setenv ("ROTKIT_NUM_THREADS", previous);
%! end_unwind_protect

%!test
%! % The identifier, and a message that names what it refuses.
%! try
%!   motionmap ("a.bvh", @(s, m, f) 1, "Threads", 2);
%!   error ("no error");
%! catch err
%!   assert (err.identifier, "rotkit:motionmap:unknownOption");
%!   assert (err.message, 'motionmap: unknown option "Threads"; the options are Workers, Servers and Progress.');
%! end

%!error id=rotkit:motionmap:files motionmap (3, @(s, m, f) 1)
%!error id=rotkit:motionmap:files motionmap ({"a.bvh", 3}, @(s, m, f) 1)
%!error id=rotkit:motionmap:files motionmap (["ab"; "cd"], @(s, m, f) 1)
%!error id=rotkit:motionmap:fun motionmap ("a.bvh", "numel")
%!error id=rotkit:motionmap:optionPairs motionmap ("a.bvh", @(s, m, f) 1, "Workers")
%!error id=rotkit:motionmap:unknownOption motionmap ("a.bvh", @(s, m, f) 1, "Threads", 2)
%!error id=rotkit:motionmap:workersValue motionmap ("a.bvh", @(s, m, f) 1, "Workers", -1)
%!error id=rotkit:motionmap:workersValue motionmap ("a.bvh", @(s, m, f) 1, "Workers", 1.5)
%!error id=rotkit:motionmap:workersValue motionmap ("a.bvh", @(s, m, f) 1, "Workers", [1 2])
%!error id=rotkit:motionmap:serversValue motionmap ("a.bvh", @(s, m, f) 1, "Servers", {"127.0.0.1"})
%!error id=rotkit:motionmap:progressValue motionmap ("a.bvh", @(s, m, f) 1, "Progress", "yes")

%!test
%! % Last: the clips go.
%! confirm_recursive_rmdir (false, "local");
%! rmdir (folder, "s");
%! assert (! exist (folder, "dir"));
