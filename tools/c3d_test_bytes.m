function [bytes, expected] = c3d_test_bytes(spec)
%C3D_TEST_BYTES The bytes of a C3D file written from SPEC, and what a reader must give.
%   [BYTES, EXPECTED] = C3D_TEST_BYTES(SPEC) encodes the values of SPEC in
%   the processor format and storage it names, in the shapes capture systems
%   write, written here from the format's documentation alone (a writer of
%   its own, independent of the toolbox's reader). EXPECTED holds the fields
%   c3dread returns, computed from SPEC: points, residuals, cameras, labels,
%   pointRate, firstFrame, units, analog, analogLabels, analogUnits,
%   analogRate, events, and frames (the complete frames of BYTES).
%
%   SPEC fields (all optional but points):
%     processor   'intel' (default), 'dec' or 'mips'
%     storage     'float' (default) or 'integer'
%     scale       |POINT:SCALE|, default 0.125; integer storage writes
%                 round(x / scale), so give multiples of it
%     points      3M x N, a NaN in a marker's column marks it missing
%     residuals   M x N residuals (multiples of scale, 0 to 255 scale)
%     cameras     M x N camera masks (0 to 127)
%     labels      1 x M cell; labelsPerParameter splits them over LABELS,
%                 LABELS2, ... (default 255)
%     units       POINT:UNITS, default 'mm'; '' leaves it out
%     rate        the frame rate; pointRateParameter (default true) writes
%                 POINT:RATE, else the header alone holds it
%     firstFrame  default 1; longFrames true writes TRIAL:ACTUAL_START_FIELD
%                 and ACTUAL_END_FIELD, POINT:FRAMES and the header's last
%                 frame saturated at 65535
%     analog      C x (N s) raw counts; analogScale, analogOffset,
%                 genScale (each left out when empty), analogRate,
%                 analogLabels, analogUnits, analogFormat ('SIGNED' or
%                 'UNSIGNED'); analogGroup false leaves out the ANALOG group
%     events      struct with times, labels, contexts; eventsIn 'group'
%                 (default) or 'header'
%     nextStyle   'exact' (default: the last record's offset is 0) or
%                 'blockEnd' (it points to the end of the section's last
%                 block, past the section)
%     declaredBlocks  the block count in the parameter section's first
%                 bytes (default: the blocks it takes)
%     lockedNames true: every group's name length negative (locked)
%     noDescriptions true: parameter records without description bytes
%     extraGroups struct array with name and parameters (a struct of
%                 values: char, cell of char, or doubles written as floats)
%     cutBytes    bytes cut from the end of the file
%     recordOrder 'grouped' (default) or 'parametersFirst': every
%                 parameter before any group record

  s = defaults(spec);
  [P, M] = deal(s.processor, size(s.points, 1) / 3);
  N = size(s.points, 2);
  C = size(s.analog, 1);
  samples = 0;
  if C > 0 && N > 0
    samples = size(s.analog, 2) / N;
  elseif C > 0
    samples = round(s.analogRate / s.rate);
  end
  floats = strcmp(s.storage, 'float');
  scaleWord = s.scale;
  if floats
    scaleWord = -s.scale;
  end

  % The parameter records.
  groups = {};
  points = {'USED', 'i', M; 'SCALE', 'f', scaleWord; 'DATA_START', 'i', 0; 'FRAMES', 'i', frameWord(N, s)};
  if s.pointRateParameter
    points(end + 1, :) = {'RATE', 'f', s.rate};
  end
  if ~isempty(s.units)
    points(end + 1, :) = {'UNITS', 'c', s.units};
  end
  for k = 1:ceil(numel(s.labels) / s.labelsPerParameter)
    part = s.labels((k - 1) * s.labelsPerParameter + 1:min(end, k * s.labelsPerParameter));
    name = 'LABELS';
    if k > 1
      name = sprintf('LABELS%d', k);
    end
    points(end + 1, :) = {name, 'c', part};
  end
  groups(end + 1, :) = {'POINT', points};
  if s.analogGroup
    analog = {'USED', 'i', C; 'RATE', 'f', s.analogRate};
    if ~isempty(s.analogScale), analog(end + 1, :) = {'SCALE', 'f', s.analogScale}; end
    if ~isempty(s.analogOffset), analog(end + 1, :) = {'OFFSET', 'i', wrap16(s.analogOffset)}; end
    if ~isempty(s.genScale), analog(end + 1, :) = {'GEN_SCALE', 'f', s.genScale}; end
    if ~isempty(s.analogLabels), analog(end + 1, :) = {'LABELS', 'c', s.analogLabels}; end
    if ~isempty(s.analogUnits), analog(end + 1, :) = {'UNITS', 'c', s.analogUnits}; end
    analog(end + 1, :) = {'FORMAT', 'c', s.analogFormat};
    groups(end + 1, :) = {'ANALOG', analog};
  end
  lastFrame = s.firstFrame + N - 1;
  if s.longFrames
    groups(end + 1, :) = {'TRIAL', {'ACTUAL_START_FIELD', 'i', wrap16([mod(s.firstFrame, 65536), floor(s.firstFrame / 65536)]); ...
                                    'ACTUAL_END_FIELD', 'i', wrap16([mod(lastFrame, 65536), floor(lastFrame / 65536)])}};
  end
  E = numel(s.events.times);
  if E > 0 && strcmp(s.eventsIn, 'group')
    groups(end + 1, :) = {'EVENT', {'USED', 'i', E; 'TIMES', 'f2', [floor(s.events.times / 60); mod(s.events.times, 60)]; ...
                                    'LABELS', 'c', s.events.labels; 'CONTEXTS', 'c', s.events.contexts}};
  end
  for g = 1:numel(s.extraGroups)
    names = fieldnames(s.extraGroups(g).parameters);
    list = cell(numel(names), 3);
    for k = 1:numel(names)
      value = s.extraGroups(g).parameters.(names{k});
      kind = 'f';
      if ischar(value) || iscell(value)
        kind = 'c';
      end
      list(k, :) = {names{k}, kind, value};
    end
    groups(end + 1, :) = {s.extraGroups(g).name, list};
  end

  % The section, twice: the data start is known once its size is.
  section = parameterSection(groups, P, s, 0);
  blocks = ceil(numel(section) / 512);
  dataStart = 2 + blocks;
  section = parameterSection(groups, P, s, dataStart);
  declared = blocks;
  if ~isempty(s.declaredBlocks)
    declared = s.declaredBlocks;
  end
  section(3) = declared;
  section = [section, zeros(1, blocks * 512 - numel(section))];
  if strcmp(s.nextStyle, 'blockEnd')
    section = pointLastPast(section, P);
  end

  % The header.
  header = zeros(1, 512);
  header(1:2) = [2, 80];
  header = putWord(header, 2, M, P);
  header = putWord(header, 3, C * samples, P);
  header = putWord(header, 4, min(s.firstFrame, 65535), P);
  header = putWord(header, 5, min(lastFrame, 65535), P);
  header = putWord(header, 6, 10, P);
  header(13:16) = floatBytes(scaleWord, P);
  header = putWord(header, 9, dataStart, P);
  header = putWord(header, 10, samples, P);
  header(21:24) = floatBytes(s.rate, P);
  if E > 0 && strcmp(s.eventsIn, 'header')
    header = putWord(header, 150, 12345, P);
    header = putWord(header, 151, E, P);
    for e = 1:E
      header(304 + 4 * (e - 1) + (1:4)) = floatBytes(s.events.times(e), P);
      label = [s.events.labels{e}, blanks(4)];
      header(396 + 4 * (e - 1) + (1:4)) = double(label(1:4));
    end
  end

  % The frames.
  width = 2 + 2 * floats;
  frameBytes = (4 * M + C * samples) * width;
  data = zeros(1, frameBytes * N);
  missing = isnan(reshape(sum(reshape(s.points, 3, M * N), 1), M, N));
  for k = 1:N
    values = zeros(1, 4 * M + C * samples);
    for m = 1:M
      xyz = s.points(3 * m - 2:3 * m, k)';
      if missing(m, k)
        values(4 * m - 3:4 * m) = [0 0 0 -1];
      elseif floats
        values(4 * m - 3:4 * m) = [xyz, s.cameras(m, k) * 256 + round(s.residuals(m, k) / s.scale)];
      else
        values(4 * m - 3:4 * m) = [round(xyz / s.scale), s.cameras(m, k) * 256 + round(s.residuals(m, k) / s.scale)];
      end
    end
    if C > 0
      values(4 * M + 1:end) = reshape(s.analog(:, (k - 1) * samples + (1:samples)), 1, []);
    end
    if floats
      encoded = floatBytes(values, P);
    else
      encoded = int16Bytes(wrap16(values), P);
    end
    data((k - 1) * frameBytes + (1:frameBytes)) = encoded;
  end
  data = [data, zeros(1, ceil(numel(data) / 512) * 512 - numel(data))];
  bytes = uint8([header, section, data]);
  bytes = bytes(1:end - s.cutBytes);

  % What c3dread gives.
  held = N;
  if frameBytes > 0
    held = min(N, floor((numel(bytes) - (dataStart - 1) * 512) / frameBytes));
  end
  expected.frames = held;
  expected.points = s.points(:, 1:held);
  expected.points(repelem(missing(:, 1:held), 3, 1)) = NaN;
  expected.residuals = s.residuals(:, 1:held);
  expected.residuals(missing(:, 1:held)) = NaN;
  expected.cameras = s.cameras(:, 1:held);
  expected.cameras(missing(:, 1:held)) = NaN;
  expected.labels = [strtrim(s.labels(1:min(M, end))), repmat({''}, 1, M - numel(s.labels))];
  expected.pointRate = double(single(s.rate));
  expected.firstFrame = s.firstFrame;
  expected.units = s.units;
  raw = s.analog(:, 1:held * samples);
  offsets = zeros(C, 1);
  n = min(C, numel(s.analogOffset));
  offsets(1:n) = s.analogOffset(1:n);
  scales = ones(C, 1);
  n = min(C, numel(s.analogScale));
  scales(1:n) = double(single(s.analogScale(1:n)));
  general = 1;
  if ~isempty(s.genScale)
    general = double(single(s.genScale));
  end
  if ~floats && ~strcmp(s.analogFormat, 'UNSIGNED')
    raw = reshape(double(typecast(uint16(mod(raw(:), 65536)), 'int16')), size(raw));
  end
  expected.analog = ((raw - offsets) .* scales) * general;
  expected.analogLabels = [s.analogLabels(1:min(C, end)), repmat({''}, 1, C - numel(s.analogLabels))];
  expected.analogUnits = [s.analogUnits(1:min(C, end)), repmat({''}, 1, C - numel(s.analogUnits))];
  expected.analogRate = double(single(s.analogRate));
  if ~s.analogGroup
    expected.analogRate = double(single(s.rate)) * samples;
  end
  expected.events = struct('times', zeros(1, 0), 'labels', {cell(1, 0)}, 'contexts', {cell(1, 0)});
  if E > 0
    minutes = double(single(floor(s.events.times / 60)));
    seconds = double(single(mod(s.events.times, 60)));
    expected.events.times = minutes * 60 + seconds;
    expected.events.labels = s.events.labels;
    expected.events.contexts = s.events.contexts;
    if strcmp(s.eventsIn, 'header')
      expected.events.times = double(single(s.events.times));
      expected.events.labels = cellfun(@(t) strtrim(t(1:min(4, end))), s.events.labels, 'UniformOutput', false);
      expected.events.contexts = repmat({''}, 1, E);
    end
  end
end

function s = defaults(spec)
  s = struct('processor', 'intel', 'storage', 'float', 'scale', 0.125, 'points', zeros(0, 1), ...
             'residuals', [], 'cameras', [], 'labels', {{}}, 'labelsPerParameter', 255, 'units', 'mm', ...
             'rate', 100, 'pointRateParameter', true, 'firstFrame', 1, 'longFrames', false, 'analog', [], ...
             'analogScale', [], 'analogOffset', [], 'genScale', 1, 'analogRate', 0, 'analogLabels', {{}}, ...
             'analogUnits', {{}}, 'analogFormat', 'SIGNED', 'analogGroup', true, ...
             'events', struct('times', [], 'labels', {{}}, 'contexts', {{}}), 'eventsIn', 'group', ...
             'nextStyle', 'exact', 'declaredBlocks', [], 'lockedNames', false, 'noDescriptions', false, ...
             'extraGroups', struct('name', {}, 'parameters', {}), 'cutBytes', 0, 'recordOrder', 'grouped');
  for name = fieldnames(spec)'
    s.(name{1}) = spec.(name{1});
  end
  [M, N] = deal(size(s.points, 1) / 3, size(s.points, 2));
  if isempty(s.residuals), s.residuals = zeros(M, N); end
  if isempty(s.cameras), s.cameras = zeros(M, N); end
  if isempty(s.analog), s.analog = zeros(0, N); end
end

function w = frameWord(N, s)
  w = N;
  if s.longFrames
    w = -1;            % 65535 as a 16-bit word
  end
end

function v = wrap16(v)
  v = double(v);
  v(v > 32767) = v(v > 32767) - 65536;
end

function section = parameterSection(groups, P, s, dataStart)
  recs = {};
  params = {};
  for g = 1:size(groups, 1)
    name = groups{g, 1};
    recs{end + 1} = {name, -g, 0}; %#ok<AGROW> (a group: an empty description)
    list = groups{g, 2};
    for k = 1:size(list, 1)
      value = list{k, 3};
      if strcmp(list{k, 1}, 'DATA_START')
        value = dataStart;
      end
      content = parameterContent(list{k, 2}, value, P);
      if ~s.noDescriptions
        content = [content, 0];
      end
      params{end + 1} = {list{k, 1}, g, content}; %#ok<AGROW>
      if strcmp(s.recordOrder, 'grouped')
        recs{end + 1} = params{end}; %#ok<AGROW>
      end
    end
  end
  if strcmp(s.recordOrder, 'parametersFirst')
    groupRecs = recs;
    recs = [params, groupRecs];
  end
  section = [1, 80, 0, 83 + find(strcmp(P, {'intel', 'dec', 'mips'}))];
  for k = 1:numel(recs)
    r = recs{k};
    locked = s.lockedNames && r{2} < 0;
    name = r{1};
    n = numel(name);
    if locked
      n = -n;
    end
    next = 2 + numel(r{3});
    if k == numel(recs)
      next = 0;
    end
    section = [section, mod(n, 256), mod(r{2}, 256), double(name), int16Bytes(next, P), r{3}]; %#ok<AGROW>
  end
end

% The last record's offset pointed to the end of the section's last block.
function section = pointLastPast(section, P)
  p = 5;
  while true
    n = abs(double(typecast(uint8(section(p)), 'int8')));
    at = p + 2 + n;
    next = decode16(section(at:at + 1), P);
    if next == 0
      section(at:at + 1) = int16Bytes(numel(section) - (at - 1), P);
      return;
    end
    p = at + next;
  end
end

function v = decode16(b, P)
  if strcmp(P, 'mips')
    b = b([2 1]);
  end
  v = double(typecast(uint8(b), 'int16'));
end

function content = parameterContent(kind, value, P)
  switch kind
    case 'c'
      if ischar(value)
        content = [255, 1, numel(value), double(value)];
      else
        width = max([1, cellfun(@numel, value)]);
        padded = char(cellfun(@(t) [t, blanks(width - numel(t))], value, 'UniformOutput', false));
        content = [255, 2, width, numel(value), reshape(double(padded)', 1, [])];
      end
    case 'i'
      content = [2, dimsOf(value), int16Bytes(wrap16(value), P)];
    case 'f'
      content = [4, dimsOf(value), floatBytes(value, P)];
    case 'f2'
      content = [4, 2, size(value, 1), size(value, 2), floatBytes(value(:)', P)];
  end
end

function d = dimsOf(value)
  if isscalar(value)
    d = 0;
  elseif size(value, 1) == 1 || size(value, 2) == 1
    d = [1, numel(value)];
  else
    d = [2, size(value)];
  end
end

function header = putWord(header, w, value, P)
  header(2 * w - 1:2 * w) = int16Bytes(wrap16(value), P);
end

function b = int16Bytes(values, P)
  b = double(typecast(int16(values(:)'), 'uint8'));
  if strcmp(P, 'mips')
    b = reshape(flipud(reshape(b, 2, [])), 1, []);
  end
end

function b = floatBytes(values, P)
  values = double(values(:)');
  switch P
    case 'intel'
      b = double(typecast(single(values), 'uint8'));
    case 'mips'
      b = reshape(flipud(reshape(double(typecast(single(values), 'uint8')), 4, [])), 1, []);
    case 'dec'
      % VAX F-floating: the fields of the IEEE single of 4 x value, the
      % word holding sign and exponent first, each word little-endian.
      u = double(typecast(single(4 * values), 'uint32'));
      high = floor(u / 65536);
      low = mod(u, 65536);
      b = reshape([mod(high, 256); floor(high / 256); mod(low, 256); floor(low / 256)], 1, []);
  end
end
