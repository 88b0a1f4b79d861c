% motionmap on a server of Octave's parallel package: a pserver started on
% this machine, reached through 127.0.0.1 only, the collection run through
% netcellfun and compared with a run in the client, bit for bit
% (servers_client.m). It runs as any user, from a checkout anywhere.
%
% Everything runs in namespaces made for this test by `unshare`: a user
% namespace in which the user is root (so that no real root is needed), a
% network namespace that holds nothing but its own loopback (the package's
% fixed ports 12501 and 12502 are then free, and the server, which listens
% on every address, can be reached from nowhere else), a host name of its
% own (the server's pid file is named after it), and a PID namespace, so
% that when the test's shell ends, or `timeout` ends it, every process of
% the server goes with it. The server refuses to run as root, so it runs
% in a second user namespace inside the first, as a uid other than 0 that
% stands for the same user outside: it reads the build and the clips with
% the user's own rights, however private the checkout's folder is.
% Where the system lets this user make no such namespaces, the test is
% skipped and says why.
% ctest LABELS: namespaces

%!function [ok, why] = namespaces_usable ()
%! % The namespaces the test makes, tried once with nothing in them.
%! [status, output] = system (["unshare --user --map-root-user --net --pid --fork --kill-child --uts " ...
%!                             "sh -c 'ip link set lo up && hostname probe && " ...
%!                             "unshare --user --map-user=1000 --map-group=1000 true' 2>&1"]);
%! ok = status == 0;
%! why = sprintf (["it starts a server in user, network and PID namespaces of its own, " ...
%!                 "which this system does not let this user make (%s)"], strtrim (output));
%!endfunction

%!test
%! if (isempty (pkg ("list", "parallel")))
%!   skip_test_file ("it needs Octave's parallel package (Debian: octave-parallel)");
%!   return
%! end
%! [ok, why] = namespaces_usable ();
%! if (! ok)
%!   skip_test_file (why);
%!   return
%! end
%! root = fileparts (fileparts (fileparts (which ("samebits"))));
%! mexDir = fileparts (which ("rotcompose"));
%! addpath (fullfile (root, "tools"));
%! folder = tempname ();
%! make_motion_collection (folder, 12);
%! host = sprintf ("rotkit-servers-test-%d", getpid ());
%! octave = fullfile (OCTAVE_HOME (), "bin", "octave-cli");
%! script = [folder ".sh"];
%! fid = fopen (script, "w");
%! fprintf (fid, "set -e\nip link set lo up\nhostname '%s'\n", host);
%! % The server program itself: pserver (options) of parallel 4.0.1 refuses
%! % every options struct (its argument check compares the struct with
%! % "kill"), so no other port or no-TLS server can be started through it.
%! server = "/usr/libexec/octave-pserver";       % where Debian puts it
%! if (! exist (server, "file"))
%!   server = fullfile (pkg ("list", "parallel"){1}.dir, "bin", "octave-pserver");
%! end
%! % Any uid but 0 will do: it maps to this user outside.
%! fprintf (fid, "unshare --user --map-user=1000 --map-group=1000 '%s' --octave-binary='%s' --no-auth\n", ...
%!          server, octave);
%! fprintf (fid, "'%s' --norc --no-history --quiet '%s' '%s' '%s' '%s'\n", octave, ...
%!          fullfile (root, "tests", "motion", "motionmap", "servers_client.m"), mexDir, root, folder);
%! fclose (fid);
%! unwind_protect
%!   [status, output] = system (sprintf (["timeout -k 10 240 unshare --user --map-root-user " ...
%!                                        "--pid --fork --kill-child --net --uts sh '%s' 2>&1"], script));
%!   printf ("%s", output);
%!   assert (status != 124, "the netcellfun run did not end within 240 s");
%!   assert (status == 0, "the netcellfun run failed (status %d, above)", status);
%!   assert (strfind (output, "netcellfun: same bits as here"));
%! unwind_protect_cleanup
%!   % The server's pid file and logs in /tmp are named after the host name.
%!   delete (script);
%!   leftovers = [glob(sprintf("/tmp/.octave-%s.pid", host)); glob(sprintf("/tmp/octave_error-%s*.log", host))];
%!   for k = 1:numel (leftovers)
%!     delete (leftovers{k});
%!   end
%!   confirm_recursive_rmdir (false, "local");
%!   rmdir (folder, "s");
%! end_unwind_protect
