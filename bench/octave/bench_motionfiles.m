% End-to-end speed of the motion-file readers and writers in Octave, in
% one run beside the time Octave takes to read (fread, fileread) and to
% write (fwrite) the same bytes:
%   octave-cli bench_motionfiles.m BUILDDIR [MEGABYTES]
% Writes, into a temporary folder, a C3D file of floats (and one of 16-bit
% integers), a TRC file, a MOT file and an AMC file of about MEGABYTES
% (default 100) each, from smooth curves rounded as capture software
% writes them (markers to 1/1000 mm, angles to 1/10000 degree), then times
% each reader and writer with time_calls.m (rounds, medians, a call first
% to warm caches and the heap). Run it with glibc's malloc tuned as
% run_bench.sh does: a first touch of fresh memory costs about 10 us per
% 4 KiB page here, which the figures then leave out (a warm heap).
args = argv();

function bytes = freadAll(path)
  fid = fopen(path, 'r');
  bytes = fread(fid, Inf, 'uint8=>uint8');
  fclose(fid);
end

function count = fwriteAll(path, bytes)
  fid = fopen(path, 'w');
  count = fwrite(fid, bytes, 'uint8');
  fclose(fid);
end

here = fileparts(mfilename('fullpath'));
addpath(here);
buildDir = args{1};
addpath(fullfile(buildDir, 'rotkit'));
megabytes = 100;
if numel(args) >= 2
  megabytes = str2double(args{2});
end
folder = tempname();
mkdir(folder);
budget = 2;
target = megabytes * 1e6;

% C3D: 50 markers, 16 analog channels at 10 samples a frame.
M = 50;
C = 16;
perFrame = (4 * M + 10 * C) * 4;
N = round(target / perFrame);
[r, k] = ndgrid(1:3 * M, 0:N - 1);
d = struct('points', round(1000 * (800 * sin(1e-3 * k .* (1 + 0.01 * r) + r) + 100 * r)) / 1000, 'pointRate', 200);
clear r k
d.points = double(single(d.points));
d.labels = arrayfun(@(m) sprintf('M%02d', m), 1:M, 'UniformOutput', false);
d.residuals = mod(reshape(1:M * N, M, N), 200) / 8;
d.analog = double(single(sin(reshape(1:C * 10 * N, C, 10 * N) * 1e-3)));
d.analogRate = 2000;
files = struct('name', {}, 'path', {}, 'read', {}, 'write', {}, 'value', {});
files(end + 1) = struct('name', 'C3D, floats', 'path', fullfile(folder, 'floats.c3d'), 'read', @c3dread, ...
                        'write', @c3dwrite, 'value', d);
c3dwrite(files(end).path, d);
% The same frames in 16-bit integers: written here, by the toolbox's test writer.
addpath(fullfile(here, '..', '..', 'tools'));
small = struct('points', round(d.points(1:3 * 10, 1:min(N, 20000)) * 8) / 8, 'labels', {d.labels(1:10)}, ...
               'storage', 'integer', 'rate', 200);
[bytes, expected] = c3d_test_bytes(small);
fid = fopen(fullfile(folder, 'integers.c3d'), 'w');
fwrite(fid, bytes, 'uint8');
fclose(fid);
files(end + 1) = struct('name', 'C3D, 16-bit integers', 'path', fullfile(folder, 'integers.c3d'), 'read', @c3dread, ...
                        'write', [], 'value', []);
clear bytes expected small

% TRC: 40 markers in millimetres, 3 decimals.
M = 40;
N = round(target / (3 * M * 9.5 + 20));
[r, k] = ndgrid(1:3 * M, 0:N - 1);
m = struct('points', round(1000 * (800 * sin(1e-3 * k .* (1 + 0.01 * r) + r) + 100 * r)) / 1000, 'pointRate', 200);
clear r k
m.labels = arrayfun(@(i) sprintf('MARKER%02d', i), 1:M, 'UniformOutput', false);
files(end + 1) = struct('name', 'TRC', 'path', fullfile(folder, 'markers.trc'), 'read', @trcread, ...
                        'write', @trcwrite, 'value', m);
trcwrite(files(end).path, m);
clear m

% MOT: 40 columns of angles, 4 decimals.
Cm = 40;
R = round(target / (Cm * 9));
[c, k] = ndgrid(1:Cm, 0:R - 1);
t = struct('labels', {[{'time'}, arrayfun(@(i) sprintf('angle_%02d', i), 1:Cm - 1, 'UniformOutput', false)]}, ...
           'data', round(1e4 * 60 * sin(1e-3 * k .* c + c)) / 1e4, 'inDegrees', true);
clear c k
t.data(1, :) = (0:R - 1) / 100;
files(end + 1) = struct('name', 'MOT', 'path', fullfile(folder, 'angles.mot'), 'read', @motread, ...
                        'write', @motwrite, 'value', t);
motwrite(files(end).path, t);
clear t

% AMC: the sample subject's motion repeated, with its ASF.
samples = fullfile(buildDir, 'rotkit', 'samples');
asf = fullfile(samples, 'walk.asf');
text = fileread(fullfile(samples, 'walk.amc'));
body = regexp(text, '(?m)^1\s*$', 'start');
head = text(1:body - 1);
frames = strsplit(text(body:end), char(10));
copies = max(1, round(target / numel(text)));
fid = fopen(fullfile(folder, 'motion.amc'), 'w');
fwrite(fid, head);
frame = 0;
for copy = 1:copies
  for line = frames
    if ~isempty(regexp(line{1}, '^\d+$', 'once'))
      frame = frame + 1;
      fprintf(fid, '%d\n', frame);
    elseif ~isempty(line{1})
      fprintf(fid, '%s\n', line{1});
    end
  end
end
fclose(fid);
clear text frames
files(end + 1) = struct('name', 'AMC (with its ASF)', 'path', fullfile(folder, 'motion.amc'), ...
                        'read', @(f) nthargout(2, @asfread, asf, f), 'write', [], 'value', []);

printf('\n| file | MB | reader ms | reader MB/s | fread ms | fileread ms | reader / fread | writer ms | writer MB/s | fwrite ms |\n');
printf('|---|---:|---:|---:|---:|---:|---:|---:|---:|---:|\n');
for f = files
  info = dir(f.path);
  mb = info.bytes / 1e6;
  path = f.path;
  reader = f.read;
  viaFread = @() freadAll(path);
  viaFileread = @() fileread(path);
  seconds = time_calls({@() reader(path), viaFread, viaFileread}, budget);
  writeText = '| | |';
  if ~isempty(f.write)
    out = fullfile(folder, ['out_', info.name]);
    writer = f.write;
    value = f.value;
    raw = freadAll(path);
    writes = time_calls({@() writer(out, value), @() fwriteAll(out, raw)}, budget);
    writeText = sprintf('%.0f | %.0f | %.0f |', 1e3 * writes(1), mb / writes(1), 1e3 * writes(2));
    clear raw value
  end
  printf('| %s | %.1f | %.0f | %.0f | %.0f | %.0f | %.2f | %s\n', f.name, mb, 1e3 * seconds(1), mb / seconds(1), ...
         1e3 * seconds(2), 1e3 * seconds(3), seconds(1) / seconds(2), writeText);
  fflush(stdout);
end
confirm_recursive_rmdir(false);
rmdir(folder, 's');
