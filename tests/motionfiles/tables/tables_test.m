% trcread, trcwrite, motread, motwrite: the files of
% tools/make_table_test_files.m read to the numbers they were written from,
% bit for bit; the header's counts that differ from the rows read with a
% warning; writing and reading back gives every double back (signed zeros,
% subnormals, the largest, NaN); every fault an error naming file and line.

%!shared root, folder, files
%! root = fileparts (fileparts (fileparts (which ("samebits"))));
%! addpath (fullfile (root, "tools"));
%! folder = fullfile (tempdir (), sprintf ("tables_test_%d", getpid ()));
%! files = make_table_test_files (folder);

%!function text = writetext (name, text)
%! fid = fopen (name, "w");
%! fwrite (fid, text);
%! fclose (fid);
%!endfunction

%!function expecterror (reader, file, id, pattern)
%! try
%!   d = reader (file);
%! catch err
%!   assert (err.identifier, id);
%!   assert (! isempty (regexp (err.message, pattern, "once")), err.message);
%!   return;
%! end
%! error ("%s read a faulty file (%s expected)", func2str (reader), id);
%!endfunction

%!test
%! % Every file: the values it was written from; a warning exactly where the
%! % header's count differs from the rows.
%! for f = files
%!   lastwarn ("");
%!   if (strcmp (f.kind, "trc"))
%!     d = trcread (f.path);
%!     id = "rotkit:trcread:frameCount";
%!   else
%!     d = motread (f.path);
%!     id = "rotkit:motread:rowCount";
%!   end
%!   [~, warned] = lastwarn ();
%!   assert (isequal (strcmp (warned, id), f.warns), "%s: warning %s", f.name, warned);
%!   for n = fieldnames (f.expected)'
%!     v = d.(n{1});  w = f.expected.(n{1});
%!     if (isnumeric (w) && ! isempty (w))
%!       assert (samebits (v, w), "%s: %s differs", f.name, n{1});
%!     else
%!       assert (isequal (v, w), "%s: %s differs", f.name, n{1});
%!     end
%!   end
%! end

%!test
%! % TRC: the header's names and values; the first frame number.
%! d = trcread (fullfile (folder, "count_mismatch.trc"));
%! assert (d.header.NumMarkers, 3);
%! assert (d.header.Units, "m");
%! assert (d.firstFrame, 11);
%! assert (size (d.points), [12 5]);

%!test
%! % MOT: the header's lines, the name, inDegrees.
%! t = motread (fullfile (folder, "opensim.mot"));
%! assert (t.header(1:4), {"version=1", "nRows=5", "nColumns=4", "inDegrees=yes"});
%! assert (t.header{6}, "Units are S.I. units (second, meters, Newtons, ...)");
%! t = motread (fullfile (folder, "storage.sto"));
%! assert (t.name, "");
%! assert (t.header{2}, "OpenSimVersion=4.1");

%!test
%! % Written and read back: every double as it was, NaN an empty TRC field.
%! values = [0, -0, 5e-324, -2.2250738585072014e-308, 1.7976931348623157e308, 0.1, 1/3, -123.456, NaN, 1e22, 2^-1074 * 3, pi];
%! out = fullfile (folder, "out.trc");
%! d = struct ("points", values(:), "pointRate", 120, "labels", {{"A", "B b", "C", "D"}}, "units", "mm");
%! assert (strcmp (trcwrite (out, d), out));
%! e = trcread (out);
%! assert (samebits (e.points, d.points));
%! assert (e.labels, d.labels);
%! assert ([e.frameNumbers, e.time, e.firstFrame, e.pointRate], [1, 0, 1, 120]);
%! assert (e.header.OrigNumFrames, 1);
%! % c3dread's struct, frame numbers from its first frame.
%! c = c3dread (fullfile (root, "toolbox", "rotkit", "samples", "walk.c3d"));
%! c.firstFrame = 7;
%! trcwrite (out, c);
%! e = trcread (out);
%! assert (samebits (e.points, c.points) && isequal (e.labels, c.labels));
%! assert (e.frameNumbers(1:2), [7 8]);
%! assert (e.time(1:2), [6 7] / 30);
%! out = fullfile (folder, "out.mot");
%! t = struct ("labels", {{"time", "x y", "z"}}, "data", [1:4; values(1:4); values(9:12)], "inDegrees", false);
%! t.data(3, 2) = -Inf;
%! motwrite (out, t);
%! u = motread (out);
%! assert (samebits (u.data, t.data));
%! assert (u.labels, t.labels);
%! assert (u.inDegrees, false);
%! assert (u.name, "out");
%! assert (u.header, {"version=1", "nRows=4", "nColumns=3", "inDegrees=no"});

%!test
%! % Faults, with their lines.
%! bad = fullfile (folder, "bad.trc");
%! head = sprintf ("PathFileType\t4\t(X/Y/Z)\tbad.trc\nDataRate\tUnits\n60\tmm\nFrame#\tTime\tA\t\t\n\t\tX1\tY1\tZ1\n");
%! writetext (bad, [head, sprintf("1\t0\t1\t2\t3\n2\t0.1\t1\tx\t3\n")]);
%! expecterror (@trcread, bad, "rotkit:trcread:number", "bad.trc, line 7: value 4, \"x\", is not a number");
%! writetext (bad, [head, sprintf("1\t0\t1\t2\t3\t4\n")]);
%! expecterror (@trcread, bad, "rotkit:trcread:frameValues", "line 6: a value in field 6");
%! writetext (bad, [head, sprintf("1\t0\t1\t2\t1e999\n")]);
%! expecterror (@trcread, bad, "rotkit:trcread:number", "line 6: value 5 is beyond");
%! writetext (bad, strrep (head, "DataRate", "Rate"));
%! expecterror (@trcread, bad, "rotkit:trcread:header", "line 3: the header gives no DataRate");
%! writetext (bad, "Frame#\tTime\n");
%! expecterror (@trcread, bad, "rotkit:trcread:header", "line 1: not a TRC file");
%! bad = fullfile (folder, "bad.mot");
%! writetext (bad, sprintf ("name\nendheader\ntime a\n0 1\n1 2 3\n"));
%! expecterror (@motread, bad, "rotkit:motread:rowValues", "bad.mot, line 5: 3 values; the header calls for 2");
%! writetext (bad, sprintf ("name\nnRows=1\ntime a\n0 1\n"));
%! expecterror (@motread, bad, "rotkit:motread:header", "no endheader");
%! writetext (bad, sprintf ("name\ninDegrees=maybe\nendheader\ntime\n"));
%! expecterror (@motread, bad, "rotkit:motread:header", "line 2: inDegrees is \"maybe\"");
%! writetext (bad, sprintf ("name\nendheader\n\n\n"));
%! expecterror (@motread, bad, "rotkit:motread:header", "no column labels");

%!function [ok, id] = trywrite (writer, file, d)
%! ok = true;  id = "";
%! try
%!   writer (file, d);
%! catch err
%!   ok = false;  id = err.identifier;
%! end
%!endfunction

%!test
%! % Refusals of the writers leave the file as it was.
%! out = fullfile (folder, "keep.trc");
%! trcwrite (out, struct ("points", [1; 2; 3], "pointRate", 1));
%! before = fileread (out);
%! expectrefused = @(id, d) assert (nthargout (2, @() trywrite (@trcwrite, out, d)), id);
%! expectrefused ("rotkit:trcwrite:points", struct ("points", [1; Inf; 3], "pointRate", 1));
%! expectrefused ("rotkit:trcwrite:labels", struct ("points", [1; 2; 3], "pointRate", 1, "labels", {{"a\tb"}}));
%! expectrefused ("rotkit:trcwrite:rate", struct ("points", [1; 2; 3], "pointRate", 0));
%! expectrefused ("rotkit:trcwrite:time", struct ("points", [1; 2; 3], "pointRate", 1, "time", [1 2]));
%! assert (strcmp (fileread (out), before));
%! out = fullfile (folder, "keep.mot");
%! motwrite (out, struct ("labels", {{"a"}}, "data", 1));
%! before = fileread (out);
%! expectrefused = @(id, t) assert (nthargout (2, @() trywrite (@motwrite, out, t)), id);
%! expectrefused ("rotkit:motwrite:data", struct ("labels", {{"a", "b"}}, "data", 1));
%! expectrefused ("rotkit:motwrite:labels", struct ("labels", {{""}}, "data", 1));
%! expectrefused ("rotkit:motwrite:inDegrees", struct ("labels", {{"a"}}, "data", 1, "inDegrees", 2));
%! expectrefused ("rotkit:motwrite:name", struct ("labels", {{"a"}}, "data", 1, "name", "a=b"));
%! assert (strcmp (fileread (out), before));

%!error <Not enough input arguments; the call is D = trcread\(FILE\)\.> trcread ()
%!error id=rotkit:trcwrite:tooManyInputs trcwrite ("a.trc", struct (), 3)
%!error id=rotkit:motread:tooManyOutputs [a, b] = motread ("a.mot")
%!error id=rotkit:motwrite:notEnoughInputs motwrite ("a.mot")
%!error <FILE must be a file name> motread ({"a.mot"})
%!error <cannot open> motread ("no such file.mot")

%!test
%! confirm_recursive_rmdir (false, "local");
%! rmdir (folder, "s");
