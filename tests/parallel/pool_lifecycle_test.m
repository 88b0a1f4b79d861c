% The worker threads of a MEX file and the host's own life: a call after
% `clear name`, `clear mex` and `clear all` works and gives the same bits,
% and octave-cli exits at once, with status 0, while the pool is running.
% Each scenario runs in a child octave-cli bounded in time, so that a hang
% fails the test instead of stopping it.

%!function [status, output] = run_child (mexDir, body)
%!  script = [tempname() '.m'];
%!  fid = fopen (script, 'w');
%!  fprintf (fid, "addpath ('%s');\nsetenv ('ROTKIT_NUM_THREADS', '2');\n%s\n", mexDir, body);
%!  fclose (fid);
%!  octave = fullfile (OCTAVE_HOME (), 'bin', 'octave-cli');
%!  [status, output] = system (sprintf ('timeout 120 "%s" --norc --no-history --quiet "%s" 2>&1', octave, script));
%!  delete (script);
%!endfunction

%!function name = threaded_function ()
%!  % A function that splits its columns over threads, with one input.
%!  name = 'rotnormalize';
%!endfunction

%!test
%! mexDir = fileparts (which ('rotcompose'));
%! if (! exist (threaded_function ()))
%!   return;  % nothing here starts threads
%! end
%! f = threaded_function ();
%! body = sprintf (['q = randn (4, 1e6); a = %s (q);\n' ...
%!                  'clear %s; b = %s (q);\n' ...
%!                  'clear mex; c = %s (q);\n' ...
%!                  'if (isequal (a, b, c)), disp (''clear ok''); end\n' ...
%!                  'clear all; q = randn (4, 1e6); d = %s (q); e = %s (q);\n' ...
%!                  'if (isequal (d, e)), disp (''clear all ok''); end\n'], f, f, f, f, f, f);
%! [status, output] = run_child (mexDir, body);
%! assert (status, 0, output);
%! assert (! isempty (strfind (output, 'clear ok')), output);
%! assert (! isempty (strfind (output, 'clear all ok')), output);

%!test
%! mexDir = fileparts (which ('rotcompose'));
%! if (! exist (threaded_function ()))
%!   return;
%! end
%! % Exit while the pool's threads wait for work, and exit right after a call.
%! f = threaded_function ();
%! tic;
%! [status, output] = run_child (mexDir, sprintf ('a = %s (randn (4, 1e6)); exit (0);', f));
%! assert (status, 0, output);
%! [status, output] = run_child (mexDir, sprintf ('a = %s (randn (4, 1e6)); b = %s (randn (4, 1e6));', f, f));
%! assert (status, 0, output);
%! assert (toc < 60, 'octave-cli took %g s to exit with the pool running', toc);
