% Every MEX function of the build works, with the same bits, in a child
% made by fork() after its worker threads ran in the parent, and in
% parcellfun's worker processes: fork_safety_child.m does the calls, in an
% octave-cli of its own under `timeout` (which ends the whole process
% group), so that a deadlock fails this test instead of hanging it. The
% functions are found by listing the build's MEX folder; their inputs come
% from tests/parallel/large_call.m, with 2^20 columns.

%!test
%! root = fileparts (fileparts (fileparts (which ("samebits"))));
%! mexDir = fileparts (which ("rotcompose"));
%! octave = fullfile (OCTAVE_HOME (), "bin", "octave-cli");
%! child = fullfile (root, "tests", "motion", "motionmap", "fork_safety_child.m");
%! % Three threads, so that the pools start on a machine of any size.
%! command = sprintf (["ROTKIT_NUM_THREADS=3 timeout -k 10 300 '%s' --norc --no-history --quiet " ...
%!                     "'%s' '%s' '%s' 2>&1"], octave, child, mexDir, root);
%! [status, output] = system (command);
%! printf ("%s", output);
%! assert (status != 124, "the fork-safety run did not end within 300 s (deadlock?)");
%! assert (status == 0, "a function gave other bits, or a process died (status %d, above)", status);
