function [skel, motion] = mcode_bvhread(file)
% The m-code reader that bvhread was before it moved into C++, kept as the
% baseline of the end-to-end benchmark (bench/octave/bvh_bench.m) and of the
% tests that check that the C++ reader gives its values bit for bit for
% every file it read right. It reads a root's position channels as
% displacements from the root's OFFSET and refuses position channels on
% other joints. Its errors have the identifier bvhread:file.

  if isa(file, 'string')
    file = char(file);
  end
  if ~ischar(file) || size(file, 1) ~= 1
    error('bvhread:file', 'bvhread: FILE must be a file name (a character row).');
  end
  lines = readLines(file);
  motionLine = find(~cellfun(@isempty, regexpi(lines, '^\s*MOTION\s*$', 'once')), 1);
  if isempty(motionLine)
    fail(file, numel(lines), 'no MOTION line: the file ends in its hierarchy.');
  end
  tree = parseHierarchy(file, lines(1:motionLine - 1), motionLine);
  [values, frameTime, dataLines] = parseMotion(file, lines, motionLine, numel(tree.channelJoint));

  frames = size(values, 2);
  jointCount = numel(tree.parents);
  hasChildren = false(1, jointCount);
  hasChildren(tree.parents(tree.parents > 0)) = true;
  leaves = find(~hasChildren & ~tree.isEndSite);
  skel = struct('parents', tree.parents, 'offsets', tree.offsets, 'names', {tree.names}, ...
                'channels', {tree.channels}, 'endSites', tree.isEndSite, 'leafJoints', leaves);
  bvhRotation = jointRotations(tree, values, jointCount, frames);
  motion.rootPositions = rootPositions(tree, values);
  [~, frame] = find(~isfinite(motion.rootPositions), 1);
  if ~isempty(frame)
    fail(file, dataLines(frame), 'frame %d: the root''s OFFSET plus its position overflows.', frame);
  end
  motion.localRotations = chainedRotations(tree, bvhRotation, jointCount, frames);
  motion.frameTime = frameTime;
  motion.leafRotations = reshape(vertcat(bvhRotation{leaves}), 4 * numel(leaves), frames);
end

function lines = readLines(file)
  fid = fopen(file, 'r');
  if fid < 0
    error('bvhread:file', 'bvhread: cannot open "%s".', file);
  end
  text = fread(fid, Inf, '*char')';
  fclose(fid);
  lines = splitLines(file, text);
  if numel(lines) > 1 && isempty(lines{end})
    lines(end) = [];     % the newline that ends the last line
  end
end

% Octave's regexp refuses text that is not UTF-8 (any byte above 127 out of
% place) without saying where: the first such line is named instead.
function lines = splitLines(file, text)
  try
    lines = regexp(text, '\r\n|\n|\r', 'split');
    return;
  catch
  end
  % Lines end at LF (CR LF, CR alone or CR before LF: the CR goes with the
  % text, which is enough to find the line).
  ends = [0, find(text == char(10)), numel(text) + 1];
  for k = 1:numel(ends) - 1
    try
      regexp(text(ends(k) + 1:ends(k + 1) - 1), '.', 'once');
    catch
      fail(file, k, 'the text is not UTF-8 (a byte above 127 out of place).');
    end
  end
  fail(file, 1, 'the text is not UTF-8.');
end

function fail(file, line, message, varargin)
  error('bvhread:file', ['bvhread: %s, line %d: ' message], file, line, varargin{:});
end

% The hierarchy, read token by token; a joint's name is the rest of its line.
% For every joint: parent, OFFSET and name; for every channel, in file
% order: its joint, its kind ('position' or 'rotation') and its axis 1..3.
function tree = parseHierarchy(file, lines, motionLine)
  [tokens, tokenLines] = tokenize(lines);
  tree.parents = zeros(1, 0);
  tree.offsets = zeros(3, 0);
  tree.names = cell(1, 0);
  tree.channelJoint = zeros(1, 0);
  tree.channelIsRotation = false(1, 0);
  tree.channelAxis = zeros(1, 0);
  tree.channels = cell(1, 0);
  isEndSite = false(1, 0);
  hasOffset = false(1, 0);
  hasChannels = false(1, 0);
  open = zeros(1, 0);            % the joints whose braces are open, innermost last

  if isempty(tokens)
    fail(file, motionLine, 'MOTION before any HIERARCHY.');
  end
  if ~strcmpi(tokens{1}, 'HIERARCHY')
    fail(file, tokenLines(1), 'expected HIERARCHY, found "%s".', tokens{1});
  end
  t = 2;
  rootDone = false;
  while t <= numel(tokens)
    token = tokens{t};
    line = tokenLines(t);
    if rootDone
      if strcmpi(token, 'ROOT')
        fail(file, line, 'a second ROOT: only one skeleton per file is supported.');
      end
      fail(file, line, 'unexpected "%s" after the root''s closing brace.', token);
    end
    switch lower(token)
      case {'root', 'joint', 'end'}
        keyword = upper(token);
        if strcmpi(token, 'end')
          keyword = 'End Site';
        end
        if strcmpi(token, 'root') ~= isempty(open)
          if isempty(open)
            fail(file, line, '%s outside the ROOT''s braces.', keyword);
          end
          fail(file, line, 'ROOT inside a joint.');
        end
        if ~isempty(open) && isEndSite(open(end))
          fail(file, line, '"%s" holds a %s; an End Site takes only an OFFSET.', ...
               tree.names{open(end)}, keyword);
        end
        [name, t] = jointName(file, tokens, tokenLines, t);
        if strcmpi(token, 'end')
          name = [tree.names{open(end)} '_end'];
        end
        if t > numel(tokens) || ~strcmp(tokens{t}, '{')
          fail(file, lastLine(tokenLines, t, motionLine), 'expected "{" after %s %s.', keyword, name);
        end
        if isempty(open)
          parent = 0;
        else
          parent = open(end);
        end
        tree.parents(end + 1) = parent;
        tree.offsets(:, end + 1) = 0;
        tree.names{end + 1} = name;
        tree.channels{end + 1} = cell(1, 0);
        isEndSite(end + 1) = strcmpi(token, 'end');
        hasOffset(end + 1) = false;
        hasChannels(end + 1) = false;
        open(end + 1) = numel(tree.parents); %#ok<AGROW>
        t = t + 1;
      case 'offset'
        j = innermost(file, open, line, 'OFFSET');
        if hasOffset(j)
          fail(file, line, 'a second OFFSET in "%s".', tree.names{j});
        end
        [numbers, t] = numbersOnLine(file, tokens, tokenLines, t, 'OFFSET');
        if numel(numbers) ~= 3
          fail(file, line, 'OFFSET takes 3 numbers, found %d.', numel(numbers));
        end
        tree.offsets(:, j) = numbers(:);
        hasOffset(j) = true;
      case 'channels'
        j = innermost(file, open, line, 'CHANNELS');
        if isEndSite(j)
          fail(file, line, '"%s" has CHANNELS; an End Site takes only an OFFSET.', tree.names{j});
        end
        if hasChannels(j)
          fail(file, line, 'a second CHANNELS in "%s".', tree.names{j});
        end
        [tree, t] = readChannels(file, tokens, tokenLines, t, tree, j);
        hasChannels(j) = true;
      case '}'
        if isempty(open)
          fail(file, line, 'a "}" without its "{".');
        end
        j = open(end);
        if ~hasOffset(j)
          fail(file, line, '"%s" closes without an OFFSET.', tree.names{j});
        end
        open(end) = [];
        rootDone = isempty(open);
        t = t + 1;
      otherwise
        fail(file, line, 'unexpected "%s".', token);
    end
  end
  if isempty(tree.parents)
    fail(file, motionLine, 'MOTION before any ROOT.');
  end
  if ~isempty(open)
    fail(file, motionLine, 'MOTION while "%s" is still open (a "}" is missing).', tree.names{open(end)});
  end
  tree.isEndSite = isEndSite;
end

% Tokens of the hierarchy: braces on their own, everything else split at
% white space; each token remembers its line.
function [tokens, tokenLines] = tokenize(lines)
  perLine = regexp(lines, '[{}]|[^\s{}]+', 'match');
  counts = cellfun(@numel, perLine);
  tokens = [perLine{:}];
  tokenLines = zeros(1, 0);
  if ~isempty(tokens)       % repelem refuses an empty list of lines
    tokenLines = repelem(1:numel(lines), counts);
  end
  tokens = reshape(tokens, 1, []);
end

% The name after ROOT or JOINT: the rest of the line up to a "{". After End,
% the word Site. Returns the index of the token after the name.
function [name, t] = jointName(file, tokens, tokenLines, t)
  keyword = tokens{t};
  line = tokenLines(t);
  last = t;
  while last < numel(tokens) && tokenLines(last + 1) == line && ~strcmp(tokens{last + 1}, '{')
    last = last + 1;
  end
  words = tokens(t + 1:last);
  if strcmpi(keyword, 'end')
    if numel(words) ~= 1 || ~strcmpi(words{1}, 'Site')
      fail(file, line, 'expected "End Site".');
    end
  elseif isempty(words)
    fail(file, line, '%s without a name.', upper(keyword));
  end
  name = strjoin(words, ' ');
  t = last + 1;
end

function line = lastLine(tokenLines, t, motionLine)
  if t <= numel(tokenLines)
    line = tokenLines(t);
  else
    line = motionLine;
  end
end

function j = innermost(file, open, line, keyword)
  if isempty(open)
    fail(file, line, '%s outside any joint.', keyword);
  end
  j = open(end);
end

% The numbers that follow a keyword on its own line.
function [numbers, t] = numbersOnLine(file, tokens, tokenLines, t, keyword)
  line = tokenLines(t);
  last = t;
  while last < numel(tokens) && tokenLines(last + 1) == line
    last = last + 1;
  end
  words = tokens(t + 1:last);
  numbers = zeros(1, numel(words));
  for k = 1:numel(words)
    numbers(k) = strictNumber(file, line, words{k}, keyword);
  end
  t = last + 1;
end

function value = strictNumber(file, line, word, what)
  value = NaN;
  if isNumberWord(word)
    value = str2double(word);
  end
  if ~isfinite(value)
    fail(file, line, '%s: "%s" is not a number.', what, word);
  end
end

% A decimal number as BVH files write it: sign, digits, point, exponent.
function pattern = numberPattern()
  pattern = '[+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?';
end

function [tree, t] = readChannels(file, tokens, tokenLines, t, tree, j)
  line = tokenLines(t);
  last = t;
  while last < numel(tokens) && tokenLines(last + 1) == line
    last = last + 1;
  end
  words = tokens(t + 1:last);
  if isempty(words) || isempty(regexp(words{1}, '^\d+$', 'once'))
    fail(file, line, 'CHANNELS must be followed by the number of channels.');
  end
  count = str2double(words{1});
  names = words(2:end);
  if numel(names) ~= count
    fail(file, line, 'CHANNELS %d lists %d channel names.', count, numel(names));
  end
  known = {'Xposition', 'Yposition', 'Zposition', 'Xrotation', 'Yrotation', 'Zrotation'};
  for k = 1:count
    kind = find(strcmpi(names{k}, known));
    if isempty(kind)
      fail(file, line, 'unknown channel "%s" (supported: Xposition, Yposition, Zposition, Xrotation, Yrotation, Zrotation).', names{k});
    end
    isRotation = kind > 3;
    axis = kind - 3 * isRotation;
    if ~isRotation
      if tree.parents(j) ~= 0
        fail(file, line, 'position channel %s on joint "%s": only the root may have position channels.', ...
             names{k}, tree.names{j});
      end
      if any(strcmpi(names(1:k - 1), names{k}))
        fail(file, line, 'position channel %s is listed twice.', names{k});
      end
    end
    tree.channelJoint(end + 1) = j;
    tree.channelIsRotation(end + 1) = isRotation;
    tree.channelAxis(end + 1) = axis;
    tree.channels{j}{end + 1} = known{kind};
  end
  t = last + 1;
end

% MOTION, "Frames: N", "Frame Time: T", then N lines of channelCount numbers.
% Returns the values as channelCount x N, one column per frame.
function [values, frameTime, dataLines] = parseMotion(file, lines, motionLine, channelCount)
  line = nextLine(lines, motionLine);
  frameText = regexpi(safeLine(lines, line), '^\s*Frames:\s*(\S+)\s*$', 'tokens', 'once');
  if isempty(frameText)
    fail(file, min(line, numel(lines)), 'expected "Frames: N" after MOTION.');
  end
  if isempty(regexp(frameText{1}, '^\d+$', 'once'))
    fail(file, line, 'Frames: "%s" is not a whole number.', frameText{1});
  end
  frames = str2double(frameText{1});
  line = nextLine(lines, line);
  timeText = regexpi(safeLine(lines, line), '^\s*Frame\s+Time:\s*(\S+)\s*$', 'tokens', 'once');
  if isempty(timeText)
    fail(file, min(line, numel(lines)), 'expected "Frame Time: T" after "Frames:".');
  end
  frameTime = strictNumber(file, line, timeText{1}, 'Frame Time');
  if frameTime <= 0
    fail(file, line, 'Frame Time must be positive, found %s.', timeText{1});
  end

  dataLines = line + 1:numel(lines);
  data = lines(dataLines);
  filled = ~cellfun('isempty', strtrim(data));
  data = data(filled);
  dataLines = dataLines(filled);
  if channelCount == 0
    % Nothing to read per frame: any data would be surplus. Each frame is
    % still a line, if an empty one, so that "Frames:" cannot ask for more
    % frames than the file holds.
    if ~isempty(data)
      fail(file, dataLines(1), 'motion data, but the hierarchy has no CHANNELS.');
    end
    if numel(lines) - line < frames
      fail(file, numel(lines), 'the file ends after %d of %d (empty) frame lines.', ...
           numel(lines) - line, frames);
    end
    values = zeros(0, frames);
    return;
  end
  if numel(data) < frames
    fail(file, numel(lines), 'the motion data ends after %d of %d frames.', numel(data), frames);
  end
  if numel(data) > frames
    fail(file, dataLines(frames + 1), 'more frames than "Frames: %d" announces.', frames);
  end
  % All frames as one text, one per line, read in one pass: each value's
  % frame is its line.
  block = [strjoin(data, char(10)), char(10)];
  blank = isspace(block);
  isStart = ~blank & [true, blank(1:end - 1)];
  starts = find(isStart);
  frameOf = 1 + cumsum(block == char(10));
  counts = accumarray(frameOf(starts)', 1, [frames, 1])';
  short = find(counts ~= channelCount, 1);
  if ~isempty(short)
    fail(file, dataLines(short), 'frame %d has %d values; the CHANNELS call for %d.', ...
         short, counts(short), channelCount);
  end
  % Each number must fill its word: the scan stops at the first word that
  % is not one (1.2.3 would otherwise read as 1.2 and .3), and words of
  % other characters than a decimal number's (Inf, NaN, 0x10) are refused.
  % A sentinel 0 at the end shows that the scan went through to the end.
  values = sscanf([block '0'], '%f%*[ \t\n\r\f\v]');
  read = numel(values);
  bad = Inf;
  if read <= numel(starts)
    % The scan stopped at word read + 1, or inside word read, whose start
    % it took for a number.
    bad = read + 1;
    if read > 0 && ~isNumberWord(wordAt(block, starts(read)))
      bad = read;
    end
  end
  numeric = (block >= '0' & block <= '9') | block == '.' | block == '+' | block == '-' | ...
            block == 'e' | block == 'E';
  foreign = find(~blank & ~numeric, 1);
  if ~isempty(foreign)
    bad = min(bad, sum(isStart(1:foreign)));
  end
  if bad <= numel(starts)
    frame = frameOf(starts(bad));
    fail(file, dataLines(frame), 'frame %d, value %d: "%s" is not a number.', ...
         frame, bad - channelCount * (frame - 1), wordAt(block, starts(bad)));
  end
  values = reshape(values(1:end - 1), channelCount, frames);
  [channel, frame] = find(~isfinite(values), 1);
  if ~isempty(channel)
    fail(file, dataLines(frame), 'frame %d, value %d is out of range.', frame, channel);
  end
end

function word = wordAt(text, start)
  word = regexp(text(start:min(end, start + 99)), '^\S+', 'match', 'once');
end

function yes = isNumberWord(word)
  yes = ~isempty(regexp(word, ['^' numberPattern() '$'], 'once'));
end

% The next line after `line` that is not blank; numel(lines) + 1 if none.
function line = nextLine(lines, line)
  line = line + 1;
  while line <= numel(lines) && isempty(regexp(lines{line}, '\S', 'once'))
    line = line + 1;
  end
end

function text = safeLine(lines, line)
  text = '';
  if line <= numel(lines)
    text = lines{line};
  end
end

function positions = rootPositions(tree, values)
  positions = repmat(tree.offsets(:, 1), 1, size(values, 2));
  for c = find(~tree.channelIsRotation)
    axis = tree.channelAxis(c);
    positions(axis, :) = positions(axis, :) + values(c, :);
  end
end

% Each joint's BVH rotation, 4 x N: the product of its rotation channels in
% file order. Three channels whose neighbours differ (Zrotation Xrotation
% Yrotation, or a proper Euler list such as Zrotation Xrotation Zrotation)
% are one EUL2ROT sequence, 'ZXY' for those; any other list (one or two
% channels, neighbours on one axis, four or more) is the product of its
% single-axis turns, composed with ROTCOMPOSE in file order.
function bvhRotation = jointRotations(tree, values, jointCount, frames)
  identity = repmat([1; 0; 0; 0], 1, frames);
  bvhRotation = repmat({identity}, 1, jointCount);
  letters = 'XYZ';
  for j = unique(tree.channelJoint(tree.channelIsRotation))
    channels = find(tree.channelIsRotation & tree.channelJoint == j);
    axes = tree.channelAxis(channels);
    if numel(axes) == 3 && all(diff(axes) ~= 0)
      bvhRotation{j} = eul2rot(values(channels, :) * (pi / 180), letters(axes));
      continue;
    end
    for c = channels
      half = values(c, :) * (pi / 360);
      turn = zeros(4, frames);
      turn(1, :) = cos(half);
      turn(1 + tree.channelAxis(c), :) = sin(half);
      bvhRotation{j} = rotcompose(bvhRotation{j}, turn);
    end
  end
end

% A joint's BVH rotation turns the joint's children, so it goes into their
% rows (see the help above). The root's rows are the identity.
function local = chainedRotations(tree, bvhRotation, jointCount, frames)
  local = zeros(4 * jointCount, frames);
  local(1, :) = 1;
  for j = 2:jointCount
    local(4 * j - 3:4 * j, :) = bvhRotation{tree.parents(j)};
  end
end
