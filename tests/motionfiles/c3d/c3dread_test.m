% c3dread on C3D files of every shape capture systems write, each written
% from numbers by tools/c3d_test_bytes.m (a writer of the format of its
% own): every value bit for bit as the numbers say, every processor format
% and storage decoding to the same numbers, files cut short read with a
% warning, and every fault an error with its identifier naming the file.

%!shared root, folder, files
%! root = fileparts (fileparts (fileparts (which ("samebits"))));
%! addpath (fullfile (root, "tools"));
%! folder = fullfile (tempdir (), sprintf ("c3dread_test_%d", getpid ()));
%! files = make_c3d_test_files (folder);

%!function check (d, e, name)
%! for f = {"points", "residuals", "cameras", "analog", "pointRate", "firstFrame", "analogRate"}
%!   assert (samebits (d.(f{1}), e.(f{1})), "%s: %s differs", name, f{1});
%! end
%! for f = {"labels", "units", "analogLabels", "analogUnits"}
%!   assert (isequal (d.(f{1}), e.(f{1})), "%s: %s differs", name, f{1});
%! end
%! assert (samebits (d.events.times, e.events.times), "%s: event times differ", name);
%! assert (isequal (d.events.labels, e.events.labels) && isequal (d.events.contexts, e.events.contexts), ...
%!         "%s: event labels or contexts differ", name);
%!endfunction

%!function file = writebytes (bytes)
%! file = fullfile (tempdir (), sprintf ("c3dread_test_%d.c3d", getpid ()));
%! fid = fopen (file, "w");
%! fwrite (fid, bytes, "uint8");
%! fclose (fid);
%!endfunction

%!function expecterror (file, id, pattern)
%! try
%!   d = c3dread (file);
%! catch err
%!   assert (err.identifier, id);
%!   assert (! isempty (strfind (err.message, file)), "the message does not name the file: %s", err.message);
%!   assert (! isempty (regexp (err.message, pattern, "once")), err.message);
%!   return;
%! end
%! error ("c3dread read a faulty file (%s expected)", id);
%!endfunction

%!test
%! % Every file: the numbers it was written from, bit for bit; a warning
%! % exactly for the files cut short, naming both counts.
%! for f = files
%!   lastwarn ("");
%!   d = c3dread (f.path);
%!   [message, id] = lastwarn ();
%!   check (d, f.expected, f.name);
%!   if (f.warns)
%!     assert (id, "rotkit:c3dread:frameCount");
%!     assert (! isempty (strfind (message, sprintf ("announce 40 frames and the file holds %d", f.expected.frames))), message);
%!   else
%!     assert (isempty (id), "%s: unexpected warning %s", f.name, message);
%!   end
%! end

%!test
%! % The same values in Intel, DEC and MIPS, integers and floats: the same bits.
%! first = c3dread (files(1).path);
%! for k = 2:6
%!   d = c3dread (files(k).path);
%!   for f = {"points", "residuals", "cameras", "analog"}
%!     assert (samebits (d.(f{1}), first.(f{1})), "%s: %s differs from intel_float", files(k).name, f{1});
%!   end
%!   assert (isequal (d.parameters.ANALOG.LABELS, first.parameters.ANALOG.LABELS));
%! end
%! assert (nnz (isnan (first.points)), 3 * 5);   % the missing samples are NaN, and nothing else is

%!test
%! % 70,000 frames: the counts of TRIAL:ACTUAL_START_FIELD and END_FIELD.
%! d = c3dread (files(strcmp ({files.name}, "long")).path);
%! assert (size (d.points), [3 70000]);
%! assert (d.points(:, end)', [1 + 999 / 4, 2, 3 - 6 / 4]);
%! assert (d.parameters.POINT.FRAMES, -1);           % 65535 as the file stores it
%! assert (d.parameters.TRIAL.ACTUAL_END_FIELD, [70000 - 65536, 1]);

%!test
%! % Every parameter, with its dimensions: groups the reader knows nothing of
%! % too, in a section past its declared size with locked names.
%! d = c3dread (files(strcmp ({files.name}, "past_declared")).path);
%! p = d.parameters;
%! assert (fieldnames (p)', {"POINT", "ANALOG", "EVENT", "SUBJECTS", "MANUFACTURER"});
%! assert (p.SUBJECTS.NAMES, {"Subject One"});
%! assert (p.SUBJECTS.NOTES, strtrim (repmat ("long text ", 1, 24)));
%! assert (p.MANUFACTURER.SOFTWARE, "tools/c3d_test_bytes.m");
%! assert (p.POINT.SCALE, -0.125);
%! assert (p.ANALOG.SCALE, [0.5 0.25 2]);
%! assert (p.EVENT.TIMES, [0 1; 0.25 1.5]);
%! assert (p.POINT.DATA_START, 4);   % two blocks of parameters, where the section declares one

%!test
%! % A file cut short is an error where the user makes the warning one.
%! warning ("error", "rotkit:c3dread:frameCount");
%! unwind_protect
%!   expecterror (files(strcmp ({files.name}, "cut_short")).path, "rotkit:c3dread:frameCount", "holds 33 complete");
%! unwind_protect_cleanup
%!   warning ("on", "rotkit:c3dread:frameCount");
%! end_unwind_protect

%!test
%! % Faults of the header and the parameter section, made from a good file.
%! good = fileread (files(1).path);
%! bytes = double (good);
%! file = writebytes (bytes(1:300));
%! expecterror (file, "rotkit:c3dread:header", "shorter than the header");
%! b = bytes;  b(2) = 0;
%! expecterror (writebytes (b), "rotkit:c3dread:header", "not a C3D file");
%! b = bytes;  b(512 + 4) = 99;
%! expecterror (writebytes (b), "rotkit:c3dread:parameters", "unknown processor type 99");
%! b = bytes;  b(1) = 200;
%! expecterror (writebytes (b), "rotkit:c3dread:parameters", "beyond the end");
%! % The first record (the group POINT): its offset to the next record negative.
%! b = bytes;  b(512 + 4 + 2 + 5 + (1:2)) = [0 255];
%! expecterror (writebytes (b), "rotkit:c3dread:parameters", "points back");
%! % Its name 100 characters long where the file ends after 20.
%! b = bytes(1:512 + 24);  b(512 + 5) = 100;
%! expecterror (writebytes (b), "rotkit:c3dread:parameters", "runs past");
%! % The header's marker count differs from POINT:USED.
%! b = bytes;  b(3) = 9;
%! expecterror (writebytes (b), "rotkit:c3dread:layout", "POINT:USED says 4 markers and the header 9");
%! delete (file);

%!error <FILE must be a file name> c3dread (42)
%!error <cannot open> c3dread ("no such file.c3d")
%!error <Not enough input arguments; the call is D = c3dread\(FILE\)\.> c3dread ()
%!error id=rotkit:c3dread:tooManyInputs c3dread ("x.c3d", 1)
%!error id=rotkit:c3dread:tooManyOutputs [a, b] = c3dread ("x.c3d")
%!test
%! try
%!   c3dread ("no such file.c3d");
%! catch err
%!   assert (err.identifier, "rotkit:c3dread:cannotOpen");
%! end

%!test
%! confirm_recursive_rmdir (false, "local");
%! rmdir (folder, "s");
