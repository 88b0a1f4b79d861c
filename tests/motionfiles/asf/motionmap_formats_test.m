% motionmap over a collection of motion files of every format: each read
% by the reader its extension names, an AMC file with its subject's
% skeleton (<subject>.asf beside <subject>_<trial>.amc, or the one ASF of
% its folder), a file no reader takes failing with its reader's message.

%!test
%! samples = fullfile (fileparts (which ("bvhread")), "samples");
%! folder = fullfile (tempdir (), sprintf ("motionmap_formats_%d", getpid ()));
%! mkdir (folder);
%! unwind_protect
%!   names = {"walk.bvh", "walk.c3d", "walk.trc", "walk.mot", "walk.asf"};
%!   for k = 1:numel (names)
%!     copyfile (fullfile (samples, names{k}), fullfile (folder, names{k}));
%!   end
%!   % The database's names: 07.asf, 07_01.amc; and an AMC named otherwise,
%!   % whose folder's one ASF is its skeleton.
%!   mkdir (fullfile (folder, "07"));
%!   copyfile (fullfile (samples, "walk.asf"), fullfile (folder, "07", "07.asf"));
%!   copyfile (fullfile (samples, "walk.amc"), fullfile (folder, "07", "07_01.amc"));
%!   copyfile (fullfile (samples, "walk.amc"), fullfile (folder, "07", "trial.AMC"));
%!   files = [fullfile(folder, [names, {"walk.STO"}]), fullfile(folder, "07", {"07_01.amc", "trial.AMC"})];
%!   copyfile (fullfile (samples, "walk.mot"), files{6});
%!   what = @(a, m, f) {class(m), numel(fieldnames (a))};
%!   [results, failed] = motionmap (files, what);
%!   assert (! any (failed));
%!   assert (results{1}, {"struct", 6});        % bvhread: skeleton and motion
%!   assert (results{2}, {"double", 13});       % c3dread, MOTION []
%!   assert (results{3}, {"double", 8});        % trcread
%!   assert (results{4}, {"double", 5});        % motread
%!   assert (results{5}, {"double", 7});        % asfread, the skeleton alone
%!   assert (results{6}, {"double", 5});        % .STO in capitals: motread
%!   assert (results{7}, {"struct", 7});        % asfread with 07.asf
%!   assert (results{8}, {"struct", 7});        % the folder's one ASF
%!   % Without a skeleton: the file fails, the others go on.
%!   delete (fullfile (folder, "07", "07.asf"));
%!   copyfile (fullfile (samples, "walk.asf"), fullfile (folder, "07", "a.asf"));
%!   copyfile (fullfile (samples, "walk.asf"), fullfile (folder, "07", "b.asf"));
%!   [results, failed] = motionmap (files([2, 7]), what);
%!   assert (failed, [false, true]);
%!   assert (! isempty (strfind (results{2}, "no skeleton for \"07_01\"")), results{2});
%! unwind_protect_cleanup
%!   confirm_recursive_rmdir (false, "local");
%!   rmdir (folder, "s");
%! end_unwind_protect
