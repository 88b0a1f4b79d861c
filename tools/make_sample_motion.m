function make_sample_motion(outFile)
%MAKE_SAMPLE_MOTION Write the toolbox's sample motion, a walk that turns left.
%   MAKE_SAMPLE_MOTION writes toolbox/rotkit/samples/walk.bvh; MAKE_SAMPLE_MOTION(FILE)
%   writes FILE. The motion is made here from a few sine waves, nothing is
%   captured or random, so the file can always be made again:
%     octave-cli --eval "addpath tools; make_sample_motion"
%
%   A humanoid of 21 joints (and 5 End Sites), in centimetres, y up, facing
%   +z at the start, walks for 4 seconds at 30 frames per second at about
%   1.3 m/s while its heading turns a quarter turn to the left. The root
%   turns heading first (Yrotation Xrotation Zrotation), every other joint
%   Zrotation Xrotation Yrotation, so the file has two channel orders.

  if nargin < 1
    outFile = fullfile(fileparts(fileparts(mfilename('fullpath'))), 'toolbox', 'rotkit', 'samples', 'walk.bvh');
  end
  fps = 30;
  duration = 4;
  t = (0:duration * fps - 1) / fps;
  [joints, angles, root] = walkCycle(t);

  fid = fopen(outFile, 'w');
  if fid < 0
    error('make_sample_motion: cannot write "%s".', outFile);
  end
  closer = onCleanup(@() fclose(fid));
  fprintf(fid, 'HIERARCHY\n');
  order = writeJoint(fid, joints, 1, 0);
  fprintf(fid, 'MOTION\nFrames: %d\nFrame Time: %.7f\n', numel(t), 1 / fps);
  % One line per frame, in the order of the CHANNELS statements: the
  % root's position, heading, pitch and roll, then the three angles (z, x,
  % y) of every other joint in the order the hierarchy lists them.
  rows = 3 * order(2:end) + [-2; -1; 0];
  columns = [root; angles(2, :); angles(1, :); angles(rows(:), :)];
  format = [strjoin(repmat({'%.4f'}, 1, size(columns, 1)), ' ') '\n'];
  fprintf(fid, format, columns);
end

% The skeleton: name, parent, offset, End Site offset (empty if none).
function joints = skeleton()
  joints = struct('name', {}, 'parent', {}, 'offset', {}, 'endSite', {});
  add('Hips', '', [0 0 0]);
  add('Spine', 'Hips', [0 10 0]);
  add('Chest', 'Spine', [0 15 0]);
  add('Neck', 'Chest', [0 20 0]);
  add('Head', 'Neck', [0 10 0], [0 18 0]);
  for side = {'Left', 'Right'}
    s = side{1};
    x = 1 - 2 * strcmp(s, 'Right');        % the left side is +x
    add([s 'Shoulder'], 'Chest', [3 * x 17 0]);
    add([s 'Arm'], [s 'Shoulder'], [14 * x 0 0]);
    add([s 'ForeArm'], [s 'Arm'], [0 -28 0]);
    add([s 'Hand'], [s 'ForeArm'], [0 -26 0], [0 -9 0]);
  end
  for side = {'Left', 'Right'}
    s = side{1};
    x = 1 - 2 * strcmp(s, 'Right');
    add([s 'UpLeg'], 'Hips', [9 * x -5 0]);
    add([s 'Leg'], [s 'UpLeg'], [0 -42 0]);
    add([s 'Foot'], [s 'Leg'], [0 -41 0]);
    add([s 'Toe'], [s 'Foot'], [0 -6 13], [0 0 6]);
  end

  function add(name, parent, offset, endSite)
    if nargin < 4
      endSite = [];
    end
    joints(end + 1) = struct('name', name, 'parent', parent, 'offset', offset, 'endSite', endSite);
  end
end

% Joint angles in degrees, 3 per joint (z, x, y) in skeleton order, and
% the root (position and heading). The legs follow the usual shape of a
% gait cycle, each foot kept level except at push-off; the arms swing
% against the legs; the trunk sways and twists a little. The hips are
% placed so that the lower foot touches the ground (y = 0) and move
% forward by as much as that foot moves back, so the standing foot does
% not slide.
function [joints, angles, root] = walkCycle(t)
  joints = skeleton();
  cycle = 1.1;                                  % seconds per two steps
  phase = 2 * pi * t / cycle;
  angles = zeros(3 * numel(joints), numel(t));
  % x rotation > 0 swings a hanging limb backwards (-z); the root's
  % heading (y) is set below.
  setAngles('Hips', 2 * sin(phase), 3, 0);
  setAngles('Spine', 0, 2, -3 * cos(phase));
  setAngles('Chest', -1.5 * sin(phase), 2, -3 * cos(phase));
  setAngles('Neck', 0, -3, 2 * cos(phase));
  setAngles('Head', 0, -2, 2 * cos(phase));
  sides = {'Left', 'Right'};
  lowest = zeros(2, numel(t));
  forward = zeros(2, numel(t));
  for k = 1:2
    s = sides{k};
    x = 3 - 2 * k;                              % the left side is +x
    p = phase + pi * (k - 1);                   % p = 0: this heel strikes
    hip = -(10 + 17 * cos(p));
    knee = 3 + 12 * bump(p, 0.9, 8) + 57 * bump(p, 4.5, 3);
    ankle = -hip - knee + 18 * bump(p, 3.7, 6);
    setAngles([s 'UpLeg'], -2 * x, hip, 0);
    setAngles([s 'Leg'], 0, knee, 0);
    setAngles([s 'Foot'], 0, ankle, 0);
    setAngles([s 'Shoulder'], 2 * x * sin(p), 0, 0);
    setAngles([s 'Arm'], 8 * x, 16 * cos(p), 0);
    setAngles([s 'ForeArm'], 0, -14 - 8 * (1 - cos(p)), 0);
    setAngles([s 'Hand'], 0, -5, 0);
    [lowest(k, :), forward(k, :)] = footContact(hip, knee, ankle);
  end
  % The hips' height puts the lower foot on the ground; while it stands,
  % the body moves forward by as much as the foot moves back.
  [low, standing] = min(lowest);
  y = -low;
  now = sub2ind(size(forward), standing(1:end - 1), 1:numel(t) - 1);
  next = sub2ind(size(forward), standing(1:end - 1), 2:numel(t));
  step = forward(now) - forward(next);
  s = t / t(end);
  heading = 90 * (3 * s .^ 2 - 2 * s .^ 3);     % a quarter turn to the left, eased
  x = cumsum([0, step .* sind(heading(1:end - 1))]);
  z = cumsum([0, step .* cosd(heading(1:end - 1))]);
  sway = 2 * sin(phase);                        % over the standing foot
  root = [x + sway .* cosd(heading); y; z - sway .* sind(heading); heading + 3 * cos(phase)];

  function setAngles(name, z, xAngle, y)
    j = find(strcmp({joints.name}, name));
    angles(3 * j - 2, :) = z;
    angles(3 * j - 1, :) = xAngle;
    angles(3 * j, :) = y;
  end
end

% A smooth bump of height 1 at phase c; larger k makes it narrower.
function b = bump(p, c, k)
  b = exp(k * (cos(p - c) - 1));
end

% The lowest point of a foot below the hips (height, < 0) and how far
% forward of the hips it lies, seen from the side, for the leg's x angles
% (degrees) and the skeleton's lengths: hip joint 5 below the root, thigh
% 42, shin 41, toe joint 6 below and 13 ahead of the ankle, toe tip 6
% further. The foot's points are its sole under the ankle, the toe joint
% and the toe tip.
function [height, ahead] = footContact(hip, knee, ankle)
  a1 = hip;  a2 = a1 + knee;  a3 = a2 + ankle;
  kneeY = -5 - 42 * cosd(a1);          kneeZ = -42 * sind(a1);
  ankleY = kneeY - 41 * cosd(a2);      ankleZ = kneeZ - 41 * sind(a2);
  soleY = ankleY - 6 * cosd(a3);       soleZ = ankleZ - 6 * sind(a3);
  toeY = soleY - 13 * sind(a3);        toeZ = soleZ + 13 * cosd(a3);
  tipY = toeY - 6 * sind(a3);          tipZ = toeZ + 6 * cosd(a3);
  [height, which] = min([soleY; toeY; tipY]);
  allZ = [soleZ; toeZ; tipZ];
  ahead = allZ(sub2ind(size(allZ), which, 1:numel(which)));
end

% Writes joint j and the joints below it; returns them in the order written.
function order = writeJoint(fid, joints, j, depth)
  order = j;
  pad = repmat('  ', 1, depth);
  if depth == 0
    fprintf(fid, 'ROOT %s\n', joints(j).name);
  else
    fprintf(fid, '%sJOINT %s\n', pad, joints(j).name);
  end
  fprintf(fid, '%s{\n%s  OFFSET %.4f %.4f %.4f\n', pad, pad, joints(j).offset);
  if depth == 0
    fprintf(fid, '%s  CHANNELS 6 Xposition Yposition Zposition Yrotation Xrotation Zrotation\n', pad);
  else
    fprintf(fid, '%s  CHANNELS 3 Zrotation Xrotation Yrotation\n', pad);
  end
  for child = find(strcmp({joints.parent}, joints(j).name))
    order = [order, writeJoint(fid, joints, child, depth + 1)]; %#ok<AGROW>
  end
  if ~isempty(joints(j).endSite)
    fprintf(fid, '%s  End Site\n%s  {\n%s    OFFSET %.4f %.4f %.4f\n%s  }\n', ...
            pad, pad, pad, joints(j).endSite, pad);
  end
  fprintf(fid, '%s}\n', pad);
end
