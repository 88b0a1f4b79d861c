function files = make_c3d_test_files(outDir)
%MAKE_C3D_TEST_FILES Write C3D files in every shape capture systems write.
%   FILES = MAKE_C3D_TEST_FILES(DIR) writes them into DIR (made if need be)
%   and returns a struct array: name, the file's path, and expected, what
%   c3dread must give for it (c3d_test_bytes.m says what each field holds;
%   warns is true where c3dread must warn that the file is cut short).
%   Every file is written here from numbers, by c3d_test_bytes.m, a writer
%   of the format of its own; the toolbox keeps no files of other tools:
%     octave-cli --eval "addpath tools; make_c3d_test_files('/tmp/c3d')"
%
%   intel_float, intel_integer, dec_float, dec_integer, mips_float,
%   mips_integer  the same markers (one missing now and then, with
%                 residuals and camera masks), analog channels (2 samples
%                 a frame, offsets and scales) and events in each
%                 processor format and storage: each decodes to the same
%                 numbers.
%   first_frame   the first frame is 120, not 1.
%   long          70,000 frames: POINT:FRAMES and the header's last frame
%                 saturated, TRIAL:ACTUAL_START_FIELD and ACTUAL_END_FIELD
%                 hold the counts.
%   labels2       labels continued in LABELS2 and LABELS3, labels with
%                 spaces.
%   no_analog     no ANALOG group at all.
%   no_rate       no POINT:RATE: the header's rate.
%   past_declared the parameter section runs past the one block its first
%                 bytes declare, parameters before their groups, locked
%                 group names (negative lengths).
%   block_end     the last record points to the end of the section's
%                 block, past the section; no descriptions in the records.
%   missing_fields  no POINT:UNITS, ANALOG:OFFSET, ANALOG:GEN_SCALE, fewer
%                 labels than markers and channels.
%   header_events events in the header (4-character labels), none in an
%                 EVENT group.
%   unsigned_analog  ANALOG:FORMAT UNSIGNED: counts above 32767 and
%                 unsigned offsets, integer storage.
%   cut_short     the file cut in its last frames: the complete ones read,
%                 with a warning.
%   mips_long_cut MIPS, integer storage, first frame 7, cut short.

  if ~exist(outDir, 'dir')
    mkdir(outDir);
  end
  base = baseSpec();
  specs = {};
  names = {};
  processors = {'intel', 'dec', 'mips'};
  storages = {'float', 'integer'};
  for p = 1:3
    for t = 1:2
      spec = base;
      spec.processor = processors{p};
      spec.storage = storages{t};
      names{end + 1} = [processors{p}, '_', storages{t}]; %#ok<AGROW>
      specs{end + 1} = spec; %#ok<AGROW>
    end
  end
  spec = base;
  spec.firstFrame = 120;
  [names, specs] = add(names, specs, 'first_frame', spec);
  [names, specs] = add(names, specs, 'long', longSpec());
  spec = base;
  spec.points = [base.points; base.points(1:6, :) + 2];
  spec.residuals = [base.residuals; base.residuals(1:2, :)];
  spec.cameras = [base.cameras; base.cameras(1:2, :)];
  spec.labels = {'LASI', 'RASI', 'LEFT KNEE', ' R TOE ', 'C7', 'T10'};
  spec.labelsPerParameter = 2;
  [names, specs] = add(names, specs, 'labels2', spec);
  spec = base;
  spec.analog = [];
  spec.analogGroup = false;
  [names, specs] = add(names, specs, 'no_analog', spec);
  spec = base;
  spec.pointRateParameter = false;
  spec.rate = 250;
  spec.analogRate = 500;
  [names, specs] = add(names, specs, 'no_rate', spec);
  spec = base;
  spec.declaredBlocks = 1;
  spec.recordOrder = 'parametersFirst';
  spec.lockedNames = true;
  spec.extraGroups = struct('name', {'SUBJECTS', 'MANUFACTURER'}, ...
                            'parameters', {struct('NAMES', {{'Subject One'}}, 'MARKER_SETS', {{'Full Body'}}, ...
                                                  'NOTES', repmat('long text ', 1, 24)), ...
                                           struct('COMPANY', 'Nobody', 'SOFTWARE', 'tools/c3d_test_bytes.m', ...
                                                  'VERSION_LABEL', '1.0')});
  [names, specs] = add(names, specs, 'past_declared', spec);
  spec = base;
  spec.nextStyle = 'blockEnd';
  spec.noDescriptions = true;
  spec.processor = 'mips';
  [names, specs] = add(names, specs, 'block_end', spec);
  spec = base;
  spec.units = '';
  spec.analogOffset = [];
  spec.genScale = [];
  spec.labels = base.labels(1:2);
  spec.analogLabels = base.analogLabels(1);
  spec.analogUnits = {};
  [names, specs] = add(names, specs, 'missing_fields', spec);
  spec = base;
  spec.eventsIn = 'header';
  spec.processor = 'dec';
  [names, specs] = add(names, specs, 'header_events', spec);
  spec = base;
  spec.storage = 'integer';
  spec.analogFormat = 'UNSIGNED';
  spec.analog = mod(base.analog * 37 + 40000, 65536);
  spec.analogOffset = [2048, 40000, 65535];
  [names, specs] = add(names, specs, 'unsigned_analog', spec);
  spec = base;
  spec.cutBytes = 512 + 100;
  [names, specs] = add(names, specs, 'cut_short', spec);
  spec = base;
  spec.processor = 'mips';
  spec.storage = 'integer';
  spec.firstFrame = 7;
  spec.cutBytes = 530;
  [names, specs] = add(names, specs, 'mips_long_cut', spec);

  files = struct('name', {}, 'path', {}, 'expected', {}, 'warns', {});
  for k = 1:numel(specs)
    [bytes, expected] = c3d_test_bytes(specs{k});
    path = fullfile(outDir, [names{k}, '.c3d']);
    fid = fopen(path, 'w');
    if fid < 0
      error('make_c3d_test_files: cannot write "%s".', path);
    end
    fwrite(fid, bytes, 'uint8');
    fclose(fid);
    files(end + 1) = struct('name', names{k}, 'path', path, 'expected', expected, ...
                            'warns', expected.frames < size(specs{k}.points, 2)); %#ok<AGROW>
  end
end

function [names, specs] = add(names, specs, name, spec)
  names{end + 1} = name;
  specs{end + 1} = spec;
end

% Four markers over 40 frames at 100 Hz, on a grid of 1/8 so that integer
% storage holds them exactly; three analog channels at 200 Hz; two events.
function spec = baseSpec()
  N = 40;
  M = 4;
  [k, r] = ndgrid(0:N - 1, 1:3 * M);
  spec.points = round(8 * (300 * sin(0.07 * k' .* (1 + 0.13 * r') + r') + 50 * r')) / 8;
  missing = false(M, N);
  missing(2, 5:7) = true;
  missing(4, [1, N]) = true;
  spec.points(repelem(missing, 3, 1)) = NaN;
  spec.residuals = mod(3 * (1:M)' + (0:N - 1), 200) * 0.125;
  spec.cameras = mod(5 * (1:M)' + 3 * (0:N - 1), 128);
  spec.labels = {'LASI', 'RASI', 'LEFT KNEE', 'R TOE'};
  spec.rate = 100;
  spec.analogRate = 200;
  [k, c] = ndgrid(0:2 * N - 1, 1:3);
  spec.analog = round(2000 * sin(0.05 * k' .* c') + 100 * c');
  spec.analogScale = [0.5, 0.25, 2];
  spec.analogOffset = [10, -3, 0];
  spec.genScale = 0.125;
  spec.analogLabels = {'Force X', 'Force Y', 'EMG 1'};
  spec.analogUnits = {'N', 'N', 'V'};
  spec.events = struct('times', [0.25, 61.5], 'labels', {{'Foot Strike', 'Foot Off'}}, ...
                       'contexts', {{'Left', 'Right'}});
end

function spec = longSpec()
  N = 70000;
  spec.points = repmat([1; 2; 3], 1, N) + [mod(0:N - 1, 1000); zeros(1, N); -mod(0:N - 1, 7)] / 4;
  spec.labels = {'ONE'};
  spec.firstFrame = 1;
  spec.longFrames = true;
  spec.rate = 1000;
end
