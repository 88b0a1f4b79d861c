% End-to-end benchmark of bvhread and bvhwrite in Octave, against the
% m-code reader and writer they replaced (mcode_bvhread.m, mcode_bvhwrite.m
% here), all in one run, on files of 1 to 3 MB (make_bench_bvh.m):
%   octave-cli bench/octave/bvh_bench.m BUILDDIR
% Times are medians over rounds with a warm heap (time_calls.m); speeds are
% the file's megabytes (10^6 bytes) per second, the file read or the file
% written. The memory a read takes is measured in a fresh octave-cli: the
% peak resident size during the call less the resident size before it,
% beside the bytes of the call's outputs (Octave's copy of each output on
% return included in the peak).
1;
function results = readAll(files, reader, fun)
  results = cell(size(files));
  for k = 1:numel(files)
    [skel, motion] = reader(files{k});
    results{k} = fun(skel, motion, files{k});
  end
end

% The memory bvhread takes to read FILE, in a fresh octave-cli (where the
% heap holds nothing to reuse): the peak resident size during the call
% (VmHWM, reset just before it) less the resident size before it.
function extra = peakDuring(file, buildDir)
  script = [tempname() '.m'];
  fid = fopen(script, 'w');
  fprintf(fid, 'addpath(''%s'');\n', fullfile(buildDir, 'rotkit'));
  fprintf(fid, 'small = [tempname() ''.bvh''];\n');
  fprintf(fid, 'f = fopen(small, ''w''); fprintf(f, ''HIERARCHY\\nROOT A\\n{\\nOFFSET 0 0 0\\n}\\nMOTION\\nFrames: 0\\nFrame Time: 1\\n''); fclose(f);\n');
  fprintf(fid, '[s, m] = bvhread(small); delete(small);\n');
  fprintf(fid, 'rss = @(f) str2double(regexp(fileread(''/proc/self/status''), [f '':\\s*(\\d+)''], ''tokens'', ''once''){1});\n');
  fprintf(fid, 'c = fopen(''/proc/self/clear_refs'', ''w''); fprintf(c, ''5''); fclose(c);\n');
  fprintf(fid, 'before = rss(''VmRSS''); [s, m] = bvhread(''%s''); printf(''%%d\\n'', 1024 * (rss(''VmHWM'') - before));\n', file);
  fclose(fid);
  [status, output] = system(sprintf('"%s" --norc --no-history --quiet "%s"', ...
                                    fullfile(OCTAVE_HOME(), 'bin', 'octave-cli'), script));
  delete(script);
  extra = str2double(regexp(output, '(\d+)\s*$', 'tokens', 'once'){1});
end


args = argv();
buildDir = args{1};
here = fileparts(mfilename('fullpath'));
addpath(here);
addpath(fullfile(buildDir, 'rotkit'));
folder = tempname();
mkdir(folder);
cleanup = onCleanup(@() confirm_recursive_rmdir(false, 'local') + rmdir(folder, 's'));
budget = 1.5;

% joints, frames, decimals: the issue's 65 joints and 1,295 frames; a
% 31-joint body at 120 frames per second; a 21-joint body written with 4 decimals.
shapes = [65 1295 6; 31 2600 6; 21 6000 4];
printf('%-22s %8s | %9s %9s %7s | %9s %9s %7s\n', 'file', 'MB', 'read MB/s', 'm-code', 'ratio', ...
       'write MB/s', 'm-code', 'ratio');
memory = zeros(0, 3);
for s = 1:rows(shapes)
  file = fullfile(folder, sprintf('bench_%d.bvh', s));
  bytes = make_bench_bvh(file, shapes(s, 1), shapes(s, 2), shapes(s, 3));
  [skel, motion] = bvhread(file);
  [skel0, motion0] = mcode_bvhread(file);
  out = fullfile(folder, 'out.bvh');
  out0 = fullfile(folder, 'out0.bvh');
  bvhwrite(out, skel, motion);
  mcode_bvhwrite(out0, skel0, motion0);
  written = dir(out).bytes;
  written0 = dir(out0).bytes;
  t = time_calls({@() bvhread(file), @() mcode_bvhread(file), ...
                  @() bvhwrite(out, skel, motion), @() mcode_bvhwrite(out0, skel0, motion0)}, budget);
  % bvhread's two outputs: the time of a call that asks for both.
  t(1) = time_calls({@() nthargout(1:2, @bvhread, file)}, budget);
  t(2) = time_calls({@() nthargout(1:2, @mcode_bvhread, file)}, budget);
  name = sprintf('%d joints %d frames', shapes(s, 1), shapes(s, 2));
  printf('%-22s %8.2f | %9.1f %9.2f %6.1fx | %9.1f %9.2f %6.1fx\n', name, bytes / 1e6, bytes / 1e6 / t(1), ...
         bytes / 1e6 / t(2), t(2) / t(1), written / 1e6 / t(3), written0 / 1e6 / t(4), t(4) / t(3));
  % Memory: the peak beyond the resident size before the call.
  outputs = whos('skel').bytes + whos('motion').bytes;
  clear skel motion;
  peak = peakDuring(file, buildDir);
  memory(end + 1, :) = [bytes, outputs, peak]; %#ok<SAGROW>
end
printf('\n%-22s %10s %12s %12s %8s\n', 'bvhread memory', 'file MB', 'outputs MB', 'peak+ MB', 'ratio');
for s = 1:rows(memory)
  printf('%-22s %10.2f %12.2f %12.2f %7.2fx\n', sprintf('%d joints %d frames', shapes(s, 1), shapes(s, 2)), ...
         memory(s, 1) / 1e6, memory(s, 2) / 1e6, memory(s, 3) / 1e6, memory(s, 3) / memory(s, 2));
end


% A collection run: the 36 clips of the sample walk that motionmap's test
% reads (tools/make_motion_collection.m), posed by posechain: motionmap in
% this process, and the same loop with the m-code reader in bvhread's place.
addpath(fullfile(here, '..', '..', 'tools'));
clips = make_motion_collection(fullfile(folder, 'clips'), 36);
pose = @(skel, motion, file) posechain(skel.parents, skel.offsets, motion.rootPositions, motion.localRotations);
t = time_calls({@() motionmap(clips, pose, 'Progress', false), @() readAll(clips, @bvhread, pose), ...
                @() readAll(clips, @mcode_bvhread, pose)}, 3);
printf('\ncollection of %d clips (posechain on each): motionmap %.0f files/s; a loop with bvhread %.0f files/s, with the m-code reader %.1f files/s\n', ...
       numel(clips), numel(clips) / t(1), numel(clips) / t(2), numel(clips) / t(3));
