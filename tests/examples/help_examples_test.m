% Every example in a help text runs and prints what the help text says,
% checked by doctest (Debian octave-doctest). The files are found here, not
% listed: the help file beside every compiled function of the build (its
% oct-files or its MEX files), and every m-file of the toolbox. A help text
% without an example fails, as does an example whose output differs from
% the one written below it.
%
% The form doctest reads, in a help text (the % of the comment left out):
%     >> k = rotcompose(i, j)           % a comment may follow the code
%     k =
%        0
%        ...
% - Every line of code starts with ">> "; a statement that goes on over
%   lines ends its line with "..." and starts the next with ".. ".
% - The expected output follows, as Octave prints it in format short;
%   its blank lines may be left out, and any run of spaces counts as one.
%   A line that prints nothing (ending in ;) is followed by the next ">>".
%   "..." in an output matches anything.
% - The output ends at the next ">>" or at two empty comment lines: write
%   prose above the examples or as comments on the ">>" lines, and leave two
%   empty comment lines between the last output and "See also".
% - "% doctest: +SKIP" at the end of a ">>" line keeps that line from
%   running (a plot).
% - Assign the result of the MEX functions (k = rotcompose(i, j)): they
%   refuse a call that requests no output.

%!test
%! pkg load doctest
%! % tests/support is on the path (the runner puts it there): the repository
%! % is two folders up from it; the runner puts the build's toolbox folder
%! % (MEX files, their help texts, the m-files) first.
%! toolbox = fileparts (which ("rotcompose"));
%! compiled = compiled_functions (toolbox);
%! for k = 1:numel (compiled)
%!   assert (exist (fullfile (toolbox, [compiled{k} ".m"]), "file") == 2, "%s has no help file beside it", compiled{k});
%! end
%! mfiles = dir (fullfile (toolbox, "*.m"));
%! files = fullfile (toolbox, {mfiles.name});
%! assert (numel (compiled) > 0 && numel (mfiles) > numel (compiled), "no functions found in %s", toolbox);
%! % An example that plots anyway must not need a display.
%! warning ("off", "Octave:gnuplot-graphics");
%! graphics_toolkit ("gnuplot");
%! set (0, "defaultfigurevisible", "off");
%! % Verbose: a failure prints its code, the expected and the actual output.
%! [passed, total, summary] = doctest (files, "-verbose");
%! close all
%! assert (summary.num_targets, numel (files));
%! assert (summary.num_targets_with_extraction_errors, 0);
%! assert (summary.num_targets_without_tests == 0 && passed == total, ...
%!         ["%d help texts without a >> example (NO TESTS above), " ...
%!          "%d of %d examples print something else (FAIL above)"], ...
%!         summary.num_targets_without_tests, total - passed, total);
