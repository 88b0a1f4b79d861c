function out = mcode_bvhwrite(file, skel, motion, varargin)
% The m-code writer that bvhwrite was before it moved into C++, kept as the
% baseline of the end-to-end benchmark (bench/octave/bvh_bench.m). It writes
% a root's position channels as displacements from the root's OFFSET (as
% the m-code reader, mcode_bvhread, reads them) and every number with 17
% significant digits. Its errors have the identifier bvhwrite:input.

  digits = parseOptions(varargin);
  if isa(file, 'string')
    file = char(file);
  end
  if ~ischar(file) || size(file, 1) ~= 1 || isempty(file)
    fail('FILE must be a file name (a character row).');
  end
  [parents, offsets, names, N] = checkSkeleton(skel, motion);
  layout = fileLayout(skel, motion, parents, N);
  checkNames(names, layout.endSites);
  order = depthFirst(parents);
  rotations = jointRotations(motion, parents, names, layout);
  [channels, values] = channelValues(layout, rotations, motion, offsets, names);
  text = fileText(parents, offsets, names, layout.endSites, order, channels, values, motion.frameTime, N, digits);
  writeAtomically(file, text);
  if nargout > 0
    out = file;
  end
end

function digits = parseOptions(options)
  digits = 17;
  if mod(numel(options), 2) ~= 0
    fail('options come in pairs: ''Digits'', D.');
  end
  for k = 1:2:numel(options)
    if ~ischar(options{k}) || ~strcmpi(options{k}, 'Digits')
      fail('unknown option (the one option is ''Digits'').');
    end
    d = options{k + 1};
    if ~isnumeric(d) || ~isscalar(d) || ~isreal(d) || d ~= fix(d) || d < 1 || d > 17
      fail('Digits must be a whole number from 1 to 17.');
    end
    digits = double(d);
  end
end

function [parents, offsets, names, N] = checkSkeleton(skel, motion)
  if ~isstruct(skel) || ~isscalar(skel) || ~all(isfield(skel, {'parents', 'offsets', 'names'}))
    fail('SKEL must be a struct with parents, offsets and names (what bvhread returns).');
  end
  if ~isstruct(motion) || ~isscalar(motion) || ~all(isfield(motion, {'rootPositions', 'localRotations', 'frameTime'}))
    fail('MOTION must be a struct with rootPositions, localRotations and frameTime (what bvhread returns).');
  end
  parents = skel.parents;
  J = numel(parents);
  if ~isnumeric(parents) || ~isreal(parents) || J == 0 || ~isvector(parents) || ...
     parents(1) ~= 0 || any(parents(2:end) ~= fix(parents(2:end))) || any(parents(2:end) < 1) || ...
     any(parents(2:end) >= 2:J)
    fail('SKEL.parents must list 0 for the root, joint 1, and 1 <= parents(j) < j for every other joint.');
  end
  parents = double(parents(:)');
  offsets = skel.offsets;
  if ~isRealDouble(offsets) || ~isequal(size(offsets), [3 J]) || ~all(isfinite(offsets(:)))
    fail('SKEL.offsets must be a 3 x %d matrix of finite real doubles.', J);
  end
  names = skel.names;
  if ~iscellstr(names) || numel(names) ~= J
    fail('SKEL.names must be a cell of %d names.', J);
  end
  names = names(:)';
  root = motion.rootPositions;
  if ~isRealDouble(root) || ~ismatrix(root) || size(root, 1) ~= 3 || ~all(isfinite(root(:)))
    fail('MOTION.rootPositions must be a 3 x N matrix of finite real doubles.');
  end
  N = size(root, 2);
  L = motion.localRotations;
  if ~isRealDouble(L) || ~isequal(size(L), [4 * J, N])
    fail('MOTION.localRotations must be a %d x %d real double matrix: 4 rows per joint, a column per frame.', 4 * J, N);
  end
  t = motion.frameTime;
  if ~isRealDouble(t) || ~isscalar(t) || ~isfinite(t) || t <= 0
    fail('MOTION.frameTime must be a positive finite real scalar.');
  end
end

% Channels, End Sites and the joints whose rotations are in leafRotations.
function layout = fileLayout(skel, motion, parents, N)
  J = numel(parents);
  hasChildren = false(1, J);
  hasChildren(parents(2:end)) = true;
  known = {'Xposition', 'Yposition', 'Zposition', 'Xrotation', 'Yrotation', 'Zrotation'};
  if isfield(skel, 'channels')
    channels = skel.channels;
    if ~iscell(channels) || numel(channels) ~= J
      fail('SKEL.channels must be a cell of %d channel lists.', J);
    end
    channels = channels(:)';
    for j = 1:J
      list = channels{j};
      if isempty(list)
        list = cell(1, 0);
      end
      if ~iscellstr(list)
        fail('SKEL.channels{%d} must be a cell of channel names.', j);
      end
      list = list(:)';
      for c = 1:numel(list)
        kind = find(strcmpi(list{c}, known));
        if isempty(kind)
          fail('SKEL.channels{%d}: unknown channel "%s".', j, list{c});
        end
        list{c} = known{kind};
      end
      positions = list(strncmp(list, 'Xp', 2) | strncmp(list, 'Yp', 2) | strncmp(list, 'Zp', 2));
      if j > 1 && ~isempty(positions)
        fail('SKEL.channels{%d}: position channels are for the root only.', j);
      end
      if numel(unique(positions)) ~= numel(positions)
        fail('SKEL.channels{1}: a position channel is listed twice.');
      end
      channels{j} = list;
    end
  else
    channels = repmat({{'Zrotation', 'Xrotation', 'Yrotation'}}, 1, J);
    channels(~hasChildren) = {cell(1, 0)};
    channels{1} = [{'Xposition', 'Yposition', 'Zposition'}, channels{1}];
    if ~hasChildren(1)
      channels{1} = {'Xposition', 'Yposition', 'Zposition', 'Zrotation', 'Xrotation', 'Yrotation'};
    end
  end
  if isfield(skel, 'endSites')
    endSites = skel.endSites;
    if ~(islogical(endSites) || isnumeric(endSites)) || numel(endSites) ~= J
      fail('SKEL.endSites must be %d logical values.', J);
    end
    endSites = logical(endSites(:)');
  else
    endSites = ~hasChildren & cellfun(@isempty, channels);
  end
  if endSites(1)
    fail('the root cannot be an End Site.');
  end
  bad = find(endSites & (hasChildren | ~cellfun(@isempty, channels)), 1);
  if ~isempty(bad)
    fail('joint %d is an End Site, which has neither children nor channels.', bad);
  end
  layout.channels = channels;
  layout.endSites = endSites;
  layout.hasChildren = hasChildren;
  layout.leaves = find(~hasChildren & ~endSites);
  L = numel(layout.leaves);
  if isfield(motion, 'leafRotations')
    F = motion.leafRotations;
    if ~isRealDouble(F) || ~isequal(size(F), [4 * L, N])
      fail('MOTION.leafRotations must be %d x %d: 4 rows for each joint without children that is not an End Site.', ...
           4 * L, N);
    end
    layout.leafRotations = F;
  else
    layout.leafRotations = repmat([1; 0; 0; 0], L, N);
  end
end

% A name must come back from bvhread as itself: the words of a ROOT or
% JOINT line, up to a "{", joined by single spaces.
function checkNames(names, endSites)
  for j = find(~endSites)
    words = regexp(names{j}, '[{}]|[^\s{}]+', 'match');
    if isempty(words) || any(strcmp(words, '{')) || ~strcmp(strjoin(words, ' '), names{j})
      fail('joint %d''s name "%s" would not read back as itself (empty, a "{", or other white space than single spaces).', ...
           j, names{j});
    end
  end
end

% Joints in depth-first order, each joint's children in the order of their
% numbers; depth(j) is the number of joints above j.
function order = depthFirst(parents)
  J = numel(parents);
  order = zeros(1, J);
  stack = 1;
  n = 0;
  while ~isempty(stack)
    j = stack(end);
    stack(end) = [];
    n = n + 1;
    order(n) = j;
    stack = [stack, fliplr(find(parents == j))]; %#ok<AGROW>
  end
end

% Each joint's BVH rotation, 4 x N normalised (empty for End Sites): from
% its first child's rows, the others checked against it; from
% leafRotations for joints without children; the root's own rows composed
% in front of the root's.
function rotations = jointRotations(motion, parents, names, layout)
  J = numel(parents);
  L = motion.localRotations;
  rotations = cell(1, J);
  rows4 = @(j) 4 * j - 3:4 * j;
  for j = find(~layout.endSites)
    children = find(parents == j);
    if isempty(children)
      q = layout.leafRotations(rows4(find(layout.leaves == j)), :);
    else
      q = L(rows4(children(1)), :);
      for c = children(2:end)
        other = L(rows4(c), :);
        gap = min(columnNorms(other - q), columnNorms(other + q));
        frame = find(~(gap <= 1e-9 * columnNorms(q)), 1);
        if ~isempty(frame)
          fail('"%s" and "%s" hold different rotations of their parent "%s" in frame %d: a BVH joint has one rotation for all its children.', ...
               names{children(1)}, names{c}, names{j}, frame);
        end
      end
    end
    if j == 1
      q = rotcompose(L(1:4, :), q);
    end
    n = columnNorms(q);
    frame = find(~(n > 0 & isfinite(n)), 1);
    if ~isempty(frame)
      fail('the rotation of "%s" in frame %d is not a rotation (zero, NaN or Inf).', names{j}, frame);
    end
    rotations{j} = q ./ n;
  end
end

function n = columnNorms(q)
  n = sqrt(sum(q .^ 2, 1));
end

% The channel list of every joint as written, and its values: C x N in the
% order of the channels, positions first-class, rotation angles in degrees.
function [channels, values] = channelValues(layout, rotations, motion, offsets, names)
  J = numel(layout.channels);
  channels = layout.channels;
  values = cell(1, J);
  N = size(motion.rootPositions, 2);
  % A root that moves along an axis without a position channel gets one.
  moves = any(motion.rootPositions ~= offsets(:, 1), 2)';
  axes = 'XYZ';
  missing = {};
  for a = find(moves)
    name = [axes(a) 'position'];
    if ~any(strcmp(channels{1}, name))
      missing{end + 1} = name; %#ok<AGROW>
    end
  end
  channels{1} = [missing, channels{1}];
  for j = find(~layout.endSites)
    list = channels{j};
    v = zeros(numel(list), N);
    isRotation = ~cellfun(@isempty, regexp(list, 'rotation$', 'once'));
    for c = find(~isRotation)
      a = find(axes == list{c}(1));
      v(c, :) = motion.rootPositions(a, :) - offsets(a, 1);
    end
    rotationAxes = cellfun(@(name) find(axes == name(1)), list(isRotation));
    v(isRotation, :) = rotationAngles(rotations{j}, rotationAxes, names{j}) * (180 / pi);
    values{j} = v;
  end
end

% Angles (radians), one row per rotation channel on AXES (1 x, 2 y, 3 z),
% whose product in channel order is the rotation q (4 x N, unit).
function angles = rotationAngles(q, axes, name)
  N = size(q, 2);
  angles = zeros(numel(axes), N);
  % Neighbouring channels on one axis act as one: the first of each run
  % takes the angle.
  lead = [~isempty(axes), axes(2:end) ~= axes(1:end - 1)];
  used = find(lead);
  distinct = axes(used);
  letters = 'XYZ';
  if numel(distinct) >= 3
    angles(used(1:3), :) = rot2eul(q, letters(distinct(1:3)));
  elseif numel(distinct) == 2
    angles(used, :) = twoAxisAngles(q, distinct(1), distinct(2));
  elseif numel(distinct) == 1
    s = sign(q(1, :));
    s(s == 0) = 1;
    angles(used, :) = 2 * atan2(s .* q(1 + distinct, :), s .* q(1, :));
  end
  % The angles must give q back: the product of the channels' turns.
  back = repmat([1; 0; 0; 0], 1, N);
  for c = 1:numel(axes)
    turn = zeros(4, N);
    turn(1, :) = cos(angles(c, :) / 2);
    turn(1 + axes(c), :) = sin(angles(c, :) / 2);
    back = rotcompose(back, turn);
  end
  gap = min(columnNorms(back - q), columnNorms(back + q));
  frame = find(~(gap <= 1e-9), 1);
  if ~isempty(frame)
    list = strjoin(arrayfun(@(a) [letters(a) 'rotation'], axes, 'UniformOutput', false), ' ');
    if isempty(axes)
      list = 'none';
    end
    fail('the rotation of "%s" in frame %d cannot be written in its rotation channels (%s): off by %.3g.', ...
         name, frame, list, gap(frame));
  end
end

% Angles [alpha; beta] with Ra(alpha) * Rb(beta) = q, where q is such a
% product (a check follows). With c the third axis, e = +1 when a, b, c run
% x, y, z cyclically (e_a * e_b = e * e_c) and ca = cos(alpha/2), and so
% on: q_w = ca·cb, q_a = sa·cb, q_b = ca·sb, q_c = e·sa·sb. So (q_w, q_a)
% and (q_b, e·q_c) both point along (ca, sa); the longer of the two gives
% alpha/2 (up to a half turn, which only flips the sign of q), and beta
% comes from Ra(-alpha) * q, a turn about b. Not rot2eul with a third axis:
% for |beta| beyond a quarter turn its third angle is a half turn, not 0.
function angles = twoAxisAngles(q, a, b)
  c = 6 - a - b;
  e = 1 - 2 * (mod(b - a, 3) ~= 1);
  first = [q(1, :); q(1 + a, :)];
  second = [q(1 + b, :); e * q(1 + c, :)];
  useSecond = sum(second .^ 2, 1) > sum(first .^ 2, 1);
  v = first;
  v(:, useSecond) = second(:, useSecond);
  alpha = 2 * atan2(v(2, :), v(1, :));
  alpha = mod(alpha + pi, 2 * pi) - pi;
  undo = zeros(4, size(q, 2));
  undo(1, :) = cos(alpha / 2);
  undo(1 + a, :) = -sin(alpha / 2);
  rest = rotcompose(undo, q);
  s = sign(rest(1, :));
  s(s == 0) = 1;
  beta = 2 * atan2(s .* rest(1 + b, :), s .* rest(1, :));
  angles = [alpha; beta];
end

function text = fileText(parents, offsets, names, endSites, order, channels, values, frameTime, N, digits)
  number = sprintf('%%.%dg', digits);
  lines = {'HIERARCHY'};
  open = zeros(1, 0);                      % joints whose braces are open
  for j = order
    while ~isempty(open) && open(end) ~= parents(j)
      lines{end + 1} = [indent(numel(open) - 1) '}']; %#ok<AGROW>
      open(end) = [];
    end
    pad = indent(numel(open));
    if j == 1
      lines{end + 1} = ['ROOT ' names{j}]; %#ok<AGROW>
    elseif endSites(j)
      lines{end + 1} = [pad 'End Site']; %#ok<AGROW>
    else
      lines{end + 1} = [pad 'JOINT ' names{j}]; %#ok<AGROW>
    end
    lines{end + 1} = [pad '{']; %#ok<AGROW>
    lines{end + 1} = [pad '  OFFSET ' sprintf([number ' ' number ' ' number], offsets(:, j))]; %#ok<AGROW>
    if ~isempty(channels{j})
      lines{end + 1} = sprintf('%s  CHANNELS %d %s', pad, numel(channels{j}), strjoin(channels{j}, ' ')); %#ok<AGROW>
    end
    open(end + 1) = j; %#ok<AGROW>
  end
  while ~isempty(open)
    lines{end + 1} = [indent(numel(open) - 1) '}']; %#ok<AGROW>
    open(end) = [];
  end
  lines = [lines, {'MOTION', sprintf('Frames: %d', N), ['Frame Time: ' sprintf(number, frameTime)]}];
  table = vertcat(values{order});
  C = size(table, 1);
  header = [strjoin(lines, char(10)), char(10)];
  if C == 0
    frames = repmat(char(10), 1, N);    % one empty line per frame
  else
    frames = sprintf([strjoin(repmat({number}, 1, C), ' ') '\n'], table);
  end
  text = [header, frames];
end

function pad = indent(depth)
  pad = repmat('  ', 1, depth);
end

% Into a temporary file beside FILE, then renamed onto it.
function writeAtomically(file, text)
  folder = fileparts(file);
  if isempty(folder)
    folder = '.';
  end
  % A fresh name in FILE's own folder (tempname's, which may fall back to
  % another folder when given one).
  [~, fresh] = fileparts(tempname());
  temporary = fullfile(folder, [fresh '.bvhwrite.tmp']);
  fid = fopen(temporary, 'w');
  if fid < 0
    fail('cannot write in the folder of "%s".', file);
  end
  try
    written = fwrite(fid, text, 'char');
    status = fclose(fid);
    fid = -1;
    if written ~= numel(text) || status ~= 0
      fail('could not write all of "%s".', temporary);
    end
    % Octave's rename is the system's, one atomic step; MATLAB has movefile.
    if exist('rename', 'builtin')
      [status, message] = rename(temporary, file);
      ok = status == 0;
    else
      [ok, message] = movefile(temporary, file, 'f');
    end
    if ~ok
      fail('cannot replace "%s": %s', file, message);
    end
  catch err
    if fid >= 0
      fclose(fid);
    end
    if exist(temporary, 'file')
      delete(temporary);
    end
    rethrow(err);
  end
end

function yes = isRealDouble(x)
  yes = isa(x, 'double') && isreal(x) && ~issparse(x);
end

function fail(message, varargin)
  error('bvhwrite:input', ['bvhwrite: ' message], varargin{:});
end
