% c3dwrite: what c3dread reads comes back the same, bit for bit (every
% shape of tools/make_c3d_test_files.m, its parameters too), structs made
% by hand get the parameters they need, and every refusal leaves the
% target file as it was.

%!shared root, folder, files, out
%! root = fileparts (fileparts (fileparts (which ("samebits"))));
%! addpath (fullfile (root, "tools"));
%! folder = fullfile (tempdir (), sprintf ("c3dwrite_test_%d", getpid ()));
%! warning ("off", "rotkit:c3dread:frameCount");
%! files = make_c3d_test_files (folder);
%! out = fullfile (folder, "out.c3d");

%!function expectrefused (id, pattern, file, d)
%! try
%!   c3dwrite (file, d);
%! catch err
%!   assert (err.identifier, id);
%!   assert (! isempty (regexp (err.message, pattern, "once")), err.message);
%!   return;
%! end
%! error ("c3dwrite did not refuse (%s)", id);
%!endfunction

%!test
%! % Every file read, written and read again: the same values, the same
%! % parameters in the groups c3dwrite does not write itself.
%! for f = files
%!   d = c3dread (f.path);
%!   assert (strcmp (c3dwrite (out, d), out));
%!   e = c3dread (out);
%!   for n = {"points", "residuals", "cameras", "analog", "pointRate", "firstFrame", "analogRate"}
%!     assert (samebits (e.(n{1}), d.(n{1})), "%s: %s differs", f.name, n{1});
%!   end
%!   assert (isequal (e.labels, d.labels) && isequal (e.units, d.units) && isequal (e.analogLabels, d.analogLabels) ...
%!           && isequal (e.analogUnits, d.analogUnits), "%s: the texts differ", f.name);
%!   assert (samebits (e.events.times, d.events.times) && isequal (e.events.labels, d.events.labels) ...
%!           && isequal (e.events.contexts, d.events.contexts), "%s: the events differ", f.name);
%!   for g = setdiff (fieldnames (d.parameters), {"POINT", "ANALOG", "EVENT", "TRIAL"})'
%!     assert (isequal (e.parameters.(g{1}), d.parameters.(g{1})), "%s: parameters %s differ", f.name, g{1});
%!   end
%!   % Written in floats with the file's own scale.
%!   assert (e.parameters.POINT.SCALE, -abs (d.parameters.POINT.SCALE));
%! end

%!test
%! % Made by hand: the frame counts of a long file past 65,535, its first
%! % frame too; a marker with one NaN is missing; NaN residuals and
%! % cameras of present samples are 0.
%! N = 70001;
%! d = struct ("points", [1:N; zeros(1, N); -(1:N)] / 4, "pointRate", 1000, "firstFrame", 65000);
%! d.points(2, 3) = NaN;
%! d.residuals = [2, NaN, 2, 1.4 * ones(1, N - 3)];   % the scale is 1 (coordinates to 17,500)
%! c3dwrite (out, d);
%! e = c3dread (out);
%! assert (e.firstFrame, 65000);
%! assert (size (e.points), [3 N]);
%! assert (all (isnan (e.points(:, 3))) && ! any (isnan (e.points(:, [1:2, 4:end])(:))));
%! assert (e.residuals(1:4), [2 0 NaN 1]);
%! assert (e.cameras(1:4), [0 0 NaN 0]);
%! assert (e.parameters.TRIAL.ACTUAL_START_FIELD, [65000 - 65536, 0]);   % 16-bit words, stored with sign
%! assert (e.parameters.TRIAL.ACTUAL_END_FIELD, [135000 - 2 * 65536, 2]);
%! assert (e.labels, {""});
%! assert (size (e.analog), [0 0]);          % no channels, no samples a frame

%!test
%! % The scale: the smallest power of two that holds residuals of up to
%! % 255 steps and coordinates of up to 32,767; 300 labels in LABELS and
%! % LABELS2; analog channels at 3 samples a frame; events.
%! M = 300;
%! d = struct ("points", 100 * ones (3 * M, 2), "pointRate", 50, "residuals", [1000 * ones(M, 1), zeros(M, 1)]);
%! d.labels = arrayfun (@(m) sprintf ("M%03d", m), 1:M, "UniformOutput", false);
%! d.analog = reshape (1:24, 4, 6);
%! d.analogLabels = {"a", "b", "c", "d"};
%! d.events = struct ("times", [0.5 65], "labels", {{"Foot Strike", "Event"}}, "contexts", {{"Left", ""}});
%! c3dwrite (out, d);
%! e = c3dread (out);
%! assert (e.parameters.POINT.SCALE, -4);                  % 1000 / 255 < 4
%! assert (numel (e.parameters.POINT.LABELS), 255);
%! assert (e.labels, d.labels);
%! assert (e.analog, d.analog);
%! assert ([e.analogRate, size(e.analog, 2) / size(e.points, 2)], [150, 3]);
%! assert (e.events.times, [0.5 65]);
%! assert (e.events.labels, d.events.labels);
%! assert (e.residuals, d.residuals);

%!test
%! % Refusals: the file that was there stays as it was.
%! good = struct ("points", [1; 2; 3], "pointRate", 100);
%! c3dwrite (out, good);
%! before = fileread (out);
%! expectrefused ("rotkit:c3dwrite:data", "must be a struct", out, 42);
%! expectrefused ("rotkit:c3dwrite:points", "3 rows per marker", out, struct ("points", [1; 2], "pointRate", 1));
%! expectrefused ("rotkit:c3dwrite:points", "NaN \\(missing\\) or within", out, setfield (good, "points", [1; Inf; 3]));
%! expectrefused ("rotkit:c3dwrite:rate", "pointRate", out, setfield (good, "pointRate", -1));
%! expectrefused ("rotkit:c3dwrite:residuals", "at least 0", out, setfield (good, "residuals", -1));
%! expectrefused ("rotkit:c3dwrite:cameras", "0 to 127", out, setfield (good, "cameras", 128));
%! expectrefused ("rotkit:c3dwrite:labels", "cell of 1", out, setfield (good, "labels", {"a", "b"}));
%! expectrefused ("rotkit:c3dwrite:analog", "whole number of samples", out, ...
%!                struct ("points", [1 2; 3 4; 5 6], "pointRate", 1, "analog", [1 2 3; 4 5 6]));
%! expectrefused ("rotkit:c3dwrite:analog", "analogRate", out, setfield (setfield (good, "analog", [1 2]), "analogRate", 300));
%! expectrefused ("rotkit:c3dwrite:firstFrame", "whole number", out, setfield (good, "firstFrame", 1.5));
%! expectrefused ("rotkit:c3dwrite:parameters", "at most 255", out, setfield (good, "parameters", struct ("G", struct ("X", zeros (1, 300)))));
%! expectrefused ("rotkit:c3dwrite:parameters", "character row", out, setfield (good, "parameters", struct ("G", struct ("X", {{1}}))));
%! expectrefused ("rotkit:c3dwrite:labels", "255", out, setfield (good, "labels", {repmat("x", 1, 300)}));
%! assert (strcmp (fileread (out), before));
%! expectrefused ("rotkit:c3dwrite:cannotWrite", "cannot write", fullfile (folder, "no folder", "x.c3d"), good);

%!error id=rotkit:c3dwrite:notEnoughInputs c3dwrite ("x.c3d")
%!error id=rotkit:c3dwrite:tooManyOutputs [a, b] = c3dwrite ("x.c3d", struct ())
%!error <FILE must be a file name> c3dwrite (1, struct ("points", [1; 2; 3], "pointRate", 1))

%!test
%! warning ("on", "rotkit:c3dread:frameCount");
%! confirm_recursive_rmdir (false, "local");
%! rmdir (folder, "s");
