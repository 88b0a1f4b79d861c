function files = make_asf_test_files(outDir, which)
%MAKE_ASF_TEST_FILES Write ASF skeletons and AMC motions in the shapes found in the wild.
%   FILES = MAKE_ASF_TEST_FILES(DIR) writes them into DIR (made if need be)
%   and returns a struct array: name, asf and amc (the paths), and
%   expected, where the Acclaim formulas put everything, computed here with
%   3 x 3 matrices from the numbers written (17 significant digits):
%     bones   1 x B cell of the bone names
%     starts  3B x N, rows 3b-2 to 3b: where bone b starts (its parent's
%             end, the root's position for the root's bones)
%     ends    3B x N: where bone b ends
%     root    3 x N: the root's position
%     frames  N
%   The formulas: a bone's axis frame C is its axis angles turned in the
%   order given (the first letter first, so C = R3 R2 R1); its motion M the
%   product of its degrees of freedom the same way; the root's frame
%   W = Croot Mroot, a bone's W = Wparent Cparent^-1 C M; a bone ends at
%   its start plus W C^-1 (direction x length).
%     octave-cli --eval "addpath tools; make_asf_test_files('/tmp/asf')"
%
%   cmu_like   the database's form: comments, :documentation, CR LF line
%              ends, bones listed children first, dof names in upper and
%              lower case, bones without degrees of freedom (absent from
%              the AMC), limits over several lines, axis frames turned;
%              the AMC lists the bones of a frame in changing orders.
%   radians    angles in radians (:units angle rad, :RADIANS), the root's
%              order RZ RY RX TX TY TZ and its frame turned (axis ZYX),
%              axis orders ZXY and YZX, two degrees of freedom out of
%              order (rz rx), a bone with three children.
%
%   MAKE_ASF_TEST_FILES(DIR, 'sample') writes the toolbox's sample walk.asf
%   and walk.amc instead: a humanoid of 22 bones in the database's form
%   moving in place for 1 second at 120 frames per second.

  if ~exist(outDir, 'dir')
    mkdir(outDir);
  end
  files = struct('name', {}, 'asf', {}, 'amc', {}, 'expected', {});
  specs = {cmuLike(), radiansSpec()};
  names = {'cmu_like', 'radians'};
  if nargin > 1 && strcmp(which, 'sample')
    specs = {walkSpec()};
    names = {'walk'};
  end
  for k = 1:numel(specs)
    s = specs{k};
    asf = fullfile(outDir, [names{k}, '.asf']);
    amc = fullfile(outDir, [names{k}, '.amc']);
    writeText(asf, asfText(s), s.eol);
    writeText(amc, amcText(s), s.eol);
    files(end + 1) = struct('name', names{k}, 'asf', asf, 'amc', amc, 'expected', positions(s)); %#ok<AGROW>
  end
end

function writeText(path, lines, eol)
  fid = fopen(path, 'w');
  if fid < 0
    error('make_asf_test_files: cannot write "%s".', path);
  end
  fwrite(fid, [strjoin(lines, eol), eol], 'char');
  fclose(fid);
end

function b = bone(name, parent, direction, len, axis, order, dofs)
  b = struct('name', name, 'parent', parent, 'direction', direction / norm(direction), 'length', len, ...
             'axis', axis, 'order', order, 'dofs', {dofs});
end

function s = cmuLike()
  s.eol = char([13 10]);
  s.shuffle = 1;
  s.degrees = true;
  s.rootOrder = {'TX', 'TY', 'TZ', 'RX', 'RY', 'RZ'};
  s.rootAxis = 'XYZ';
  s.position = [0 0 0];
  s.orientation = [0 0 0];
  % Listed children first, as :bonedata may list them.
  s.bones = [bone('ltibia', 'lfemur', [0.34 -0.93 0], 7.2, [0 0 20], 'XYZ', {'RX'}), ...
             bone('lfemur', 'lhipjoint', [0.34 -0.94 0], 7.1, [0 0 20], 'XYZ', {'RX', 'ry', 'Rz'}), ...
             bone('lhipjoint', 'root', [0.66 -0.62 0.42], 2.4, [0 0 0], 'XYZ', {}), ...
             bone('rhipjoint', 'root', [-0.66 -0.62 0.42], 2.4, [0 0 0], 'XYZ', {}), ...
             bone('rfemur', 'rhipjoint', [-0.34 -0.94 0], 7.1, [0 0 -20], 'XYZ', {'rx', 'ry', 'rz'}), ...
             bone('lowerback', 'root', [0.02 0.99 -0.05], 2.1, [0 0 0], 'XYZ', {'rx', 'ry', 'rz'}), ...
             bone('upperback', 'lowerback', [0.01 0.99 0.02], 2.2, [5 -3 0], 'XYZ', {'rx', 'rz'}), ...
             bone('head', 'upperback', [0 1 0], 3.1, [0 0 0], 'XYZ', {'ry'})];
  s.frames = 7;
  s = motionValues(s, 3);
end

function s = radiansSpec()
  s.eol = char(10);
  s.shuffle = 1;
  s.degrees = false;
  s.rootOrder = {'RZ', 'RY', 'RX', 'TX', 'TY', 'TZ'};
  s.rootAxis = 'ZYX';
  s.position = [1.5 -2 0.25];
  s.orientation = [0.1 -0.2 0.3];
  s.bones = [bone('hips', 'root', [0 1 0], 1, [0.2 0.1 0], 'ZXY', {'rz', 'rx'}), ...
             bone('left', 'hips', [1 0 0], 3, [0 0.3 0], 'YZX', {'ry', 'rx', 'rz'}), ...
             bone('right', 'hips', [-1 0 0.2], 3, [0.1 0 0], 'XYZ', {'rx'}), ...
             bone('up', 'hips', [0 1 0.1], 4, [0 0 0.4], 'ZYX', {'ry', 'rz', 'rx'}), ...
             bone('tip', 'up', [0 0 1], 2, [0 0 0], 'XYZ', {})];
  s.frames = 5;
  s = motionValues(s, 0.05);
end

% A humanoid in the database's form (lengths in its units, 1/0.45 inch).
function s = walkSpec()
  s.eol = char(10);
  s.shuffle = 0;
  s.degrees = true;
  s.rootOrder = {'TX', 'TY', 'TZ', 'RX', 'RY', 'RZ'};
  s.rootAxis = 'XYZ';
  s.position = [0 0 0];
  s.orientation = [0 0 0];
  rx = {'rx'};
  xyz = {'rx', 'ry', 'rz'};
  s.bones = [bone('lhipjoint', 'root', [0.64 -0.65 0.4], 2.4, [0 0 0], 'XYZ', {}), ...
             bone('lfemur', 'lhipjoint', [0.34 -0.94 0], 7.2, [0 0 20], 'XYZ', xyz), ...
             bone('ltibia', 'lfemur', [0.34 -0.94 0], 7.3, [0 0 20], 'XYZ', rx), ...
             bone('lfoot', 'ltibia', [0.05 -0.05 0.99], 2.3, [-90 7 20], 'XYZ', {'rx', 'rz'}), ...
             bone('rhipjoint', 'root', [-0.64 -0.65 0.4], 2.4, [0 0 0], 'XYZ', {}), ...
             bone('rfemur', 'rhipjoint', [-0.34 -0.94 0], 7.2, [0 0 -20], 'XYZ', xyz), ...
             bone('rtibia', 'rfemur', [-0.34 -0.94 0], 7.3, [0 0 -20], 'XYZ', rx), ...
             bone('rfoot', 'rtibia', [-0.05 -0.05 0.99], 2.3, [-90 -7 -20], 'XYZ', {'rx', 'rz'}), ...
             bone('lowerback', 'root', [0 1 -0.03], 2.1, [0 0 0], 'XYZ', xyz), ...
             bone('upperback', 'lowerback', [0 1 0.01], 2.1, [0 0 0], 'XYZ', xyz), ...
             bone('thorax', 'upperback', [0 1 0], 2.1, [0 0 0], 'XYZ', xyz), ...
             bone('lowerneck', 'thorax', [0 1 0.05], 1.6, [0 0 0], 'XYZ', xyz), ...
             bone('upperneck', 'lowerneck', [0 1 -0.05], 1.6, [0 0 0], 'XYZ', xyz), ...
             bone('head', 'upperneck', [0 1 0.03], 1.6, [0 0 0], 'XYZ', xyz), ...
             bone('lclavicle', 'thorax', [0.91 0.4 0.02], 3.5, [0 0 0], 'XYZ', {'ry', 'rz'}), ...
             bone('lhumerus', 'lclavicle', [1 0 0], 5.1, [0 0 90], 'XYZ', xyz), ...
             bone('lradius', 'lhumerus', [1 0 0], 3.5, [0 0 90], 'XYZ', rx), ...
             bone('lhand', 'lradius', [1 0 0], 1.2, [0 0 90], 'XYZ', {'rx', 'rz'}), ...
             bone('rclavicle', 'thorax', [-0.91 0.4 0.02], 3.5, [0 0 0], 'XYZ', {'ry', 'rz'}), ...
             bone('rhumerus', 'rclavicle', [-1 0 0], 5.1, [0 0 -90], 'XYZ', xyz), ...
             bone('rradius', 'rhumerus', [-1 0 0], 3.5, [0 0 -90], 'XYZ', rx), ...
             bone('rhand', 'rradius', [-1 0 0], 1.2, [0 0 -90], 'XYZ', {'rx', 'rz'})];
  s.frames = 120;
  s = motionValues(s, 1);
  % Round to the four decimals the database writes; the body turns little.
  s.rootValues(4:6, :) = s.rootValues(4:6, :) / 10;
  s.rootValues = round(s.rootValues * 1e4) / 1e4;
  s.rootValues(1:3, :) = s.rootValues(1:3, :) + [0; 17; 0];
  for b = 1:numel(s.bones)
    s.bones(b).values = round(s.bones(b).values * 1e4) / 1e4;
  end
end

% Every degree of freedom a smooth curve over the frames (scale: the
% amplitude of the angles; translations move ten times as far).
function s = motionValues(s, scale)
  N = s.frames;
  k = 0:N - 1;
  s.rootValues = zeros(numel(s.rootOrder), N);
  for c = 1:numel(s.rootOrder)
    amplitude = 10 * scale;
    if upper(s.rootOrder{c}(1)) == 'R'
      amplitude = 10 * scale * (1 + c);
    end
    s.rootValues(c, :) = amplitude * sin(0.4 * k + c);
  end
  for b = 1:numel(s.bones)
    s.bones(b).values = zeros(numel(s.bones(b).dofs), N);
    for d = 1:numel(s.bones(b).dofs)
      s.bones(b).values(d, :) = 10 * scale * (1 + d) * sin(0.3 * k * (1 + 0.1 * b) + d + b);
    end
  end
end

% The shortest of 15 to 17 significant digits that reads back as the value.
function t = num(v)
  t = strjoin(arrayfun(@shortest, v, 'UniformOutput', false), ' ');
end

function t = shortest(x)
  for digits = 15:17
    t = sprintf('%.*g', digits, x);
    if str2double(t) == x
      return;
    end
  end
end

function lines = asfText(s)
  unit = 'deg';
  if ~s.degrees
    unit = 'rad';
  end
  lines = {'# AST/ASF file written by tools/make_asf_test_files.m', ':version 1.10', ':name TEST', ...
           ':units', '  mass 1.0', '  length 0.45', ['  angle ', unit], ':documentation', ...
           '   free text: begin end :root are words here', ':root', ...
           ['   order ', strjoin(s.rootOrder, ' ')], ['   axis ', s.rootAxis], ['   position ', num(s.position)], ...
           ['   orientation ', num(s.orientation)], ':bonedata'};
  for b = 1:numel(s.bones)
    x = s.bones(b);
    lines = [lines, {'  begin', sprintf('     id %d', b), ['     name ', x.name], ['     direction ', num(x.direction)], ...
                     ['     length ', num(x.length)], ['     axis ', num(x.axis), '  ', x.order]}]; %#ok<AGROW>
    if ~isempty(x.dofs)
      lines = [lines, {['    dof ', strjoin(x.dofs, ' ')], ['    limits (-160.0 20.0)   # a comment']}]; %#ok<AGROW>
      for d = 2:numel(x.dofs)
        lines{end + 1} = '           (-70.0 70.0)'; %#ok<AGROW>
      end
    end
    lines{end + 1} = '  end'; %#ok<AGROW>
  end
  lines = [lines, {':hierarchy', '  begin'}];
  parents = [{'root'}, {s.bones.name}];
  for p = 1:numel(parents)
    children = {s.bones(strcmp({s.bones.parent}, parents{p})).name};
    if ~isempty(children)
      lines{end + 1} = ['    ', parents{p}, ' ', strjoin(children, ' ')]; %#ok<AGROW>
    end
  end
  lines{end + 1} = '  end';
end

function lines = amcText(s)
  unit = ':DEGREES';
  if ~s.degrees
    unit = ':RADIANS';
  end
  lines = {'#!OML:ASF test.asf', '# written by tools/make_asf_test_files.m', ':FULLY-SPECIFIED', unit};
  moving = find(arrayfun(@(x) ~isempty(x.dofs), s.bones));
  for k = 1:s.frames
    lines{end + 1} = sprintf('%d', k); %#ok<AGROW>
    entries = [{['root ', num(s.rootValues(:, k)')]}, ...
               arrayfun(@(b) [s.bones(b).name, ' ', num(s.bones(b).values(:, k)')], moving, 'UniformOutput', false)];
    % The order of a frame's lines changes from frame to frame (in the
    % test files; the sample keeps the database's one order).
    shift = mod(k - 1, numel(entries)) * s.shuffle;
    lines = [lines, entries([shift + 1:end, 1:shift])]; %#ok<AGROW>
  end
end

function R = turn(letter, a)
  c = cos(a);
  t = sin(a);
  switch upper(letter)
    case 'X'
      R = [1 0 0; 0 c -t; 0 t c];
    case 'Y'
      R = [c 0 t; 0 1 0; -t 0 c];
    case 'Z'
      R = [c -t 0; t c 0; 0 0 1];
  end
end

% Turns about the letters of `order` by `angles` (one per letter), the
% first turning first: R = R_last ... R_first.
function R = turns(order, angles, degrees)
  R = eye(3);
  for i = 1:numel(order)
    a = angles(i);
    if degrees
      a = a * pi / 180;
    end
    R = turn(order(i), a) * R;
  end
end

function C = axisFrame(angles, order, degrees)
  C = turns(order, angles(order - 'X' + 1), degrees);
end

function e = positions(s)
  N = s.frames;
  B = numel(s.bones);
  e.bones = {s.bones.name};
  e.frames = N;
  e.root = zeros(3, N);
  e.starts = zeros(3 * B, N);
  e.ends = zeros(3 * B, N);
  Croot = axisFrame(s.orientation, s.rootAxis, s.degrees);
  for k = 1:N
    letters = cellfun(@(c) upper(c), s.rootOrder, 'UniformOutput', false);
    rot = strncmp(letters, 'R', 1);
    Mroot = turns(cellfun(@(c) c(2), letters(rot)), s.rootValues(rot, k), s.degrees);
    root = s.position(:);
    for a = 1:3
      at = strcmp(letters, ['T', 'XYZ'(a)]);
      if any(at)
        root(a) = root(a) + s.rootValues(at, k);
      end
    end
    e.root(:, k) = root;
    W = cell(1, B);
    done = false(1, B);
    while ~all(done)
      for b = find(~done)
        x = s.bones(b);
        C = axisFrame(x.axis, x.order, s.degrees);
        M = turns(cellfun(@(c) upper(c(2)), x.dofs), x.values(:, k), s.degrees);
        if strcmp(x.parent, 'root')
          W{b} = Croot * Mroot / Croot * C * M;
          start = root;
        else
          p = find(strcmp({s.bones.name}, x.parent));
          if ~done(p)
            continue;
          end
          Cp = axisFrame(s.bones(p).axis, s.bones(p).order, s.degrees);
          W{b} = W{p} / Cp * C * M;
          start = e.ends(3 * p - 2:3 * p, k);
        end
        e.starts(3 * b - 2:3 * b, k) = start;
        e.ends(3 * b - 2:3 * b, k) = start + W{b} / C * (x.direction(:) * x.length);
        done(b) = true;
      end
    end
  end
end
