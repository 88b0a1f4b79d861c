% motionmap on a server of Octave's parallel package: a pserver started on
% this machine, reached through 127.0.0.1 only, the collection run through
% netcellfun and compared with a run in the client, bit for bit
% (servers_client.m). Everything runs in namespaces made for this test by
% `unshare`: a network namespace that holds nothing but its own loopback
% (the package's fixed ports 12501 and 12502 are then free, and the server,
% which listens on every address, can be reached from nowhere else), a
% host name of its own (the server's pid file is named after it), and a
% PID namespace, so that when the test's shell ends, or `timeout` ends it,
% every process of the server goes with it. The server refuses to run as
% root, so it runs as nobody (the clips and the build must be readable).

%!test
%! assert (getuid () == 0, "this test makes network namespaces: run it as root");
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
%! fprintf (fid, "runuser -u nobody -- '%s' --octave-binary='%s' --no-auth\n", server, octave);
%! fprintf (fid, "'%s' --norc --no-history --quiet '%s' '%s' '%s' '%s'\n", octave, ...
%!          fullfile (root, "tests", "motion", "motionmap", "servers_client.m"), mexDir, root, folder);
%! fclose (fid);
%! unwind_protect
%!   [status, output] = system (sprintf (["timeout -k 10 240 unshare --pid --fork --kill-child " ...
%!                                        "--net --uts sh '%s' 2>&1"], script));
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
