function counts = bvh_mutation_run(mutants, seed, verbose, baseline)
%BVH_MUTATION_RUN Mutate valid BVH files at random and check every outcome.
%   COUNTS = BVH_MUTATION_RUN(MUTANTS, SEED) makes MUTANTS files from the
%   sample walk (its first 12 frames) and the files of tests/motionfiles/bvh/files,
%   each with one to three random changes: a byte replaced, inserted or
%   removed; a line removed, doubled or swapped with another; a number
%   replaced by another (of any magnitude and sign, in exponent form, out of
%   range, or not a number at all). Every outcome must be one of two:
%     refused   bvhread raises an error whose message names a line
%               ("line N"),
%     parsed    bvhread reads it, and bvhwrite then bvhread give back the
%               same tree and motion (BVH_ROUND_TRIP).
%   Anything else (an error without a line, from bvhread or bvhwrite, or a
%   round trip that changes something) is a fault: it is counted, the first
%   few are printed with the file's text, and the file is kept in a
%   folder that the report names. COUNTS has fields refused, parsed and
%   faults, and the seconds taken. VERBOSE (default true) prints a summary.
%   Frame counts other than announced are read (their warning,
%   rotkit:bvhread:frameCount, is off during the run).
%   BASELINE, a function handle to another reader (the m-code reader,
%   bench/octave/mcode_bvhread.m), adds a third check: where it reads a
%   parsed mutant too and the root has no position channel on an axis where
%   its OFFSET is not zero (the files it read right), every value bvhread
%   gives must be its value bit for bit; counts.agreed counts them.
%     octave-cli --eval "addpath tools build/rotkit bench/octave; bvh_mutation_run(5000, 1)"
%   (make mutate runs a long one.)
  if nargin < 3
    verbose = true;
  end
  if nargin < 4
    baseline = [];
  end
  state = warning('off', 'rotkit:bvhread:frameCount');
  restore = onCleanup(@() warning(state));
  root = fileparts(fileparts(mfilename('fullpath')));
  sources = sourceTexts(root);
  rand('twister', seed);
  counts = struct('refused', 0, 'parsed', 0, 'faults', 0, 'agreed', 0, 'seconds', 0);
  kept = '';
  file = [tempname() '.bvh'];
  written = [tempname() '.bvh'];
  cleanup = onCleanup(@() cellfun(@removeIf, {file, written}));
  started = tic;
  for m = 1:mutants
    text = sources{randi(numel(sources))};
    for change = 1:randi(3)
      text = mutate(text);
    end
    fid = fopen(file, 'w');
    fwrite(fid, text, 'char');
    fclose(fid);
    [outcome, detail] = judge(file, written, baseline);
    switch outcome
      case 'refused'
        counts.refused = counts.refused + 1;
      case 'parsed'
        counts.parsed = counts.parsed + 1;
      case 'agreed'
        counts.parsed = counts.parsed + 1;
        counts.agreed = counts.agreed + 1;
      otherwise
        counts.faults = counts.faults + 1;
        if isempty(kept)
          kept = tempname();
          mkdir(kept);
        end
        copyfile(file, fullfile(kept, sprintf('mutant-%d.bvh', m)));
        if counts.faults <= 3
          printf('FAULT in mutant %d: %s\n', m, detail);
        end
    end
  end
  counts.seconds = toc(started);
  if verbose
    printf('bvh mutants: %d refused with a line, %d parsed and round-tripped (%d of them as the baseline reader reads them, bit for bit), %d faults (%.1f s, seed %d)\n', ...
           counts.refused, counts.parsed, counts.agreed, counts.faults, counts.seconds, seed);
    if ~isempty(kept)
      printf('faulty mutants kept in %s\n', kept);
    end
  end
end

function [outcome, detail] = judge(file, written, baseline)
  detail = '';
  try
    [skel, motion] = bvhread(file);
  catch err
    if ~isempty(regexp(err.message, 'line \d+', 'once'))
      outcome = 'refused';
    else
      outcome = 'fault';
      detail = ['bvhread: ' err.message];
    end
    return;
  end
  try
    [same, report] = bvh_round_trip(skel, motion, written);
  catch err
    outcome = 'fault';
    detail = ['round trip: ' err.message];
    return;
  end
  if same
    outcome = 'parsed';
    if ~isempty(baseline)
      [outcome, detail] = compare(skel, motion, file, baseline);
    end
  else
    outcome = 'fault';
    detail = sprintf('round trip changed %s (positions off by %.3g of %.3g)', report.what, ...
                     report.positionError, report.scale);
  end
end

% Against the baseline reader, where it reads the file right.
function [outcome, detail] = compare(skel, motion, file, baseline)
  outcome = 'parsed';
  detail = '';
  try
    [skel0, motion0] = baseline(file);
  catch
    return;
  end
  axes = cellfun(@(name) find('XYZ' == name(1)), skel.channels{1}(~cellfun(@isempty, regexp(skel.channels{1}, 'position$'))));
  if any(skel.offsets(axes, 1) ~= 0)
    return;            % the baseline adds the root's OFFSET to its channels
  end
  bits = @(x) typecast(x(:), 'uint64');
  same = isequal(skel, skel0) && isequal(fieldnames(motion), fieldnames(motion0));
  for field = {'rootPositions', 'localRotations', 'frameTime', 'leafRotations'}
    same = same && isequal(bits(motion.(field{1})), bits(motion0.(field{1})));
  end
  same = same && isequal(bits(skel.offsets), bits(skel0.offsets));
  if same
    outcome = 'agreed';
  else
    outcome = 'fault';
    detail = 'a value differs from the baseline reader''s';
  end
end

function sources = sourceTexts(root)
  walk = fileread(fullfile(root, 'toolbox', 'rotkit', 'samples', 'walk.bvh'));
  lines = strsplit(walk, char(10));
  motion = find(strcmp(lines, 'MOTION'));
  lines{motion + 1} = 'Frames: 12';
  walk = strjoin(lines(1:motion + 2 + 12), char(10));
  folder = fullfile(root, 'tests', 'motionfiles', 'bvh', 'files');
  files = dir(fullfile(folder, '*.bvh'));
  sources = [{walk}, cellfun(@(name) fileread(fullfile(folder, name)), {files.name}, 'UniformOutput', false)];
end

function text = mutate(text)
  switch randi(7)
    case 1   % a byte replaced
      if ~isempty(text)
        text(randi(numel(text))) = randomByte();
      end
    case 2   % a byte inserted
      at = randi(numel(text) + 1);
      text = [text(1:at - 1), randomByte(), text(at:end)];
    case 3   % a byte removed
      if ~isempty(text)
        text(randi(numel(text))) = [];
      end
    case {4, 5}   % a number replaced
      % Found on an ASCII copy: regexp refuses text that is not UTF-8.
      ascii = text;
      ascii(ascii > 127) = '?';
      [starts, ends] = regexp(ascii, '[-+]?(\d+\.?\d*|\.\d+)([eE][-+]?\d+)?');
      if ~isempty(starts)
        k = randi(numel(starts));
        text = [text(1:starts(k) - 1), randomNumber(), text(ends(k) + 1:end)];
      end
    otherwise   % a line removed, doubled or swapped
      lines = splitLines(text);
      a = randi(numel(lines));
      b = randi(numel(lines));
      switch randi(3)
        case 1
          lines(a) = [];
        case 2
          lines = [lines(1:a), lines(a:end)];
        case 3
          lines([a b]) = lines([b a]);
      end
      text = strjoin(lines, char(10));
  end
end

% At LF, by position (strsplit uses regexp, which refuses text that is
% not UTF-8).
function lines = splitLines(text)
  breaks = [0, find(text == char(10)), numel(text) + 1];
  lines = cell(1, numel(breaks) - 1);
  for k = 1:numel(lines)
    lines{k} = text(breaks(k) + 1:breaks(k + 1) - 1);
  end
end

function c = randomByte()
  pool = ['0123456789.-+eE {}:' char([9 10 13]) 'JOINTEndSiteCHANNELSxyzXYZ'];
  if rand() < 0.1
    c = char(randi(256) - 1);
  else
    c = pool(randi(numel(pool)));
  end
end

function s = randomNumber()
  forms = {'0', '-0', '1', '-1', '1e5', '-2.5e-3', '1e308', '-1e308', '1e309', '1e-320', ...
           '99999999999', '3.', '.5', '1.2.3', 'abc', '', 'NaN', 'Inf', '+7', '0x10', '1e', '--1'};
  if rand() < 0.5
    s = forms{randi(numel(forms))};
  else
    s = sprintf('%.17g', (rand() - 0.5) * 10 ^ randi([-5 5]));
  end
end

function removeIf(file)
  if exist(file, 'file')
    delete(file);
  end
end
