% Every ```matlab block of README.md, CONTRIBUTING.md and docs/*.md runs,
% as pasted at the prompt, in a fresh octave-cli started in the
% repository's folder, with the build's toolbox folder on the path; figures
% are invisible and drawn with gnuplot, so no display is needed. Any error
% fails the test, with the document, the block's line and what Octave
% printed.
%
% A block that is not meant to run (it needs files or a set-up of its own)
% has as its first line a comment that starts with "not run" and says why:
%     ```matlab
%     % not run: needs the tarball that make dist writes
% Blocks of other languages (```sh) are not run. Write the results that a
% reader should see as comments beside the code (% [0; 0; 0; 1]: i*j = k),
% and assign the results of the MEX functions (k = rotcompose(i, j)):
% they refuse a call that requests no output.

%!test
%! % tests/support is on the path (the runner puts it there): the repository
%! % is two folders up from it; the runner puts the build's toolbox folder first.
%! root = fileparts (fileparts (fileparts (which ("samebits"))));
%! mexDir = fileparts (which ("rotcompose"));
%! docs = dir (fullfile (root, "docs", "*.md"));
%! documents = [{"README.md", "CONTRIBUTING.md"}, strcat("docs/", {docs.name})];
%! % The set-up on one line, so a message's "line N" is the block's line N - 1.
%! prelude = sprintf (["addpath ('%s'); " ...
%!                     "warning ('off', 'Octave:gnuplot-graphics'); graphics_toolkit ('gnuplot'); " ...
%!                     "set (0, 'defaultfigurevisible', 'off');\n"], ...
%!                    mexDir);
%! octave = fullfile (OCTAVE_HOME (), "bin", "octave-cli");
%! work = tempname ();
%! mkdir (work);
%! failed = {};
%! unwind_protect
%!   for d = 1:numel (documents)
%!     text = fileread (fullfile (root, documents{d}));
%!     [blocks, starts] = regexp (text, '^```matlab[ \t]*\n(.*?)^```[ \t]*$', ...
%!                                "tokens", "start", "lineanchors");
%!     assert (numel (blocks) > 0 || ! strcmp (documents{d}, "README.md"), "no ```matlab block in README.md");
%!     skipped = 0;
%!     for k = 1:numel (blocks)
%!       code = blocks{k}{1};
%!       line = 1 + sum (text(1:starts(k)) == "\n");
%!       if (regexpi (code, '^\s*%\s*not run', "once"))
%!         skipped += 1;
%!         continue
%!       end
%!       script = fullfile (work, sprintf ("doc_block_%d_%d.m", d, k));
%!       fid = fopen (script, "w");
%!       fputs (fid, [prelude code]);
%!       fclose (fid);
%!       [status, output] = system (sprintf ("cd '%s' && '%s' --norc --no-history --quiet '%s' 2>&1", ...
%!                                           root, octave, script));
%!       if (status != 0)
%!         printf ("%s, the block at line %d failed (status %d):\n%s\n%s\n", documents{d}, line, status, code, output);
%!         failed{end+1} = sprintf ("%s line %d", documents{d}, line);
%!       end
%!     end
%!     if (numel (blocks) > 0)
%!       printf ("%s: %d blocks run, %d marked not run\n", documents{d}, numel (blocks) - skipped, skipped);
%!     end
%!   end
%! unwind_protect_cleanup
%!   confirm_recursive_rmdir (false, "local");
%!   rmdir (work, "s");
%! end_unwind_protect
%! assert (isempty (failed), "blocks failed at %s", strjoin (failed, ", "));
