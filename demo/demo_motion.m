function demo_motion(buildDir)
% The four functions on a real motion: the sample walk is read with
% bvhread, every frame posed with posechain, two poses blended with
% rotblend, the whole walk turned with rotcompose, and the hips' turn
% measured with rotreverse; then the left knee's angular velocity, by
% rotvel at every frame and by rotinterp's spline between them. Pictures go to BUILDDIR/demo (default build),
% with walk.gif, every frame of the walk from the side and from above.
  if nargin < 1
    buildDir = 'build';
  end
  root = fileparts(fileparts(mfilename('fullpath')));
  fprintf('\n== a walk: bvhread, posechain, rotblend, rotcompose, rotreverse ==\n');

  file = fullfile(root, 'toolbox', 'rotkit', 'samples', 'walk.bvh');
  [skel, motion] = bvhread(file);
  J = numel(skel.parents);
  N = size(motion.rootPositions, 2);
  fprintf('%s: %d joints (End Sites included), %d frames of %.1f ms, %.2f s\n', ...
         'toolbox/rotkit/samples/walk.bvh', J, N, 1e3 * motion.frameTime, N * motion.frameTime);

  P = posechain(skel.parents, skel.offsets, motion.rootPositions, motion.localRotations);
  perFrame = timePosechain(skel, motion);
  fprintf('posechain: all %d frames posed; %.3f us per frame (%.1f ns per joint)\n', ...
         N, 1e6 * perFrame, 1e9 * perFrame / J);
  head = joint(skel, 'Head_end');
  travelled = sum(sqrt(sum(diff(P([1 3], :), 1, 2) .^ 2)));
  fprintf('the hips travel %.2f m; the top of the head stays between %.2f and %.2f m\n', ...
         travelled / 100, min(P(3 * head - 1, :)) / 100, max(P(3 * head - 1, :)) / 100);

  % The hips' rotation, which turns their children, stands in the Spine's rows.
  hips = motion.localRotations(rows4(joint(skel, 'Spine')), :);
  relative = rotcompose(rotreverse(hips(:, 1)), hips);
  turn = rotationAngle(relative);
  step = rotationAngle(rotcompose(rotreverse(hips(:, 1:end - 1)), hips(:, 2:end)));
  fprintf('rotreverse: the hips turn %.1f deg from the first frame to the last, at most %.2f deg per frame\n', ...
         turn(end), max(step));

  % The left knee's angular velocity (the knee's rotation, which turns the
  % foot, stands in the LeftFoot's rows): rotvel at every frame, and the C2
  % spline through the frames (rotinterp) at four times the frame rate.
  knee = motion.localRotations(rows4(joint(skel, 'LeftFoot')), :);
  kneeRate = rotvel(knee, motion.frameTime);
  fine = (0:4 * (N - 1)) / 4 * motion.frameTime;
  [~, splineRate] = rotinterp(motion.frameTime, knee, fine, 'spline');
  fprintf('rotvel: the left knee turns at up to %.0f deg/s; rotinterp''s spline between the frames, up to %.0f deg/s\n', ...
         max(sqrt(sum(kneeRate .^ 2))) * 180 / pi, max(sqrt(sum(splineRate .^ 2))) * 180 / pi);

  % Blend the pose at the left heel strike into the one at the right heel
  % strike, half a gait cycle later, joint by joint.
  a = 1;  b = 17;  t = 0:0.25:1;
  blended = zeros(4 * J, numel(t));
  for j = 1:J
    blended(rows4(j), :) = rotblend(motion.localRotations(rows4(j), a), motion.localRotations(rows4(j), b), t);
  end
  still = repmat(motion.rootPositions(:, a), 1, numel(t));
  poses = posechain(skel.parents, skel.offsets, still, blended);
  ahead = facing(blended(rows4(joint(skel, 'Spine')), 1));
  fprintf('rotblend: frame %d blended into frame %d at t = %s\n', a, b, mat2str(t));

  % Turn the whole walk a quarter turn about the vertical: the turn goes
  % onto the root's rows and onto the root's path.
  quarter = [cos(pi / 4); 0; sin(pi / 4); 0];
  turned = motion;
  turned.localRotations(1:4, :) = rotcompose(quarter, motion.localRotations(1:4, :));
  turned.rootPositions = rotatePoints(quarter, motion.rootPositions);
  Pturned = posechain(skel.parents, skel.offsets, turned.rootPositions, turned.localRotations);
  expected = rotatePoints(quarter, reshape(P, 3, []));
  fprintf('rotcompose: the turned walk matches every joint of the original turned, to %.1e cm\n', ...
         max(abs(Pturned(:) - expected(:))));

  outDir = fullfile(buildDir, 'demo');
  if ~any(strcmp(available_graphics_toolkits(), 'gnuplot'))
    fprintf('no gnuplot: pictures skipped (tools/setup.sh installs gnuplot-nox)\n');
    return;
  end
  if ~exist(outDir, 'dir')
    mkdir(outDir);
  end
  % Headless Octave draws with gnuplot; its warning about the toolkit's
  % age says nothing about these pictures.
  quiet = warning('off', 'Octave:gnuplot-graphics');
  restore = onCleanup(@() warning(quiet));
  graphics_toolkit('gnuplot');
  pictures = {drawWalk(outDir, skel, P, motion.frameTime), ...
              drawCycle(outDir, skel, P, facing(hips), motion.frameTime), ...
              drawPaths(outDir, skel, P, Pturned, turn, motion.frameTime), ...
              drawBlend(outDir, skel, poses, ahead, t, a, b), ...
              drawKneeRate(outDir, kneeRate, splineRate, motion.frameTime, fine), ...
              walk_animation(outDir, skel, P, motion.frameTime)};
  fprintf('pictures: %s\n', strjoin(pictures, ', '));
end

function j = joint(skel, name)
  j = find(strcmp(skel.names, name));
end

function r = rows4(j)
  r = 4 * j - 3:4 * j;
end

% The angle, in degrees, of each column's rotation.
function degrees = rotationAngle(q)
  degrees = 2 * atan2(sqrt(sum(q(2:4, :) .^ 2)), abs(q(1, :))) * 180 / pi;
end

% The direction, level with the ground, that rotations q turn +z to: where
% the walker faces, when q is the hips' rotation.
function ahead = facing(q)
  ahead = zeros(3, size(q, 2));
  for k = 1:size(q, 2)
    ahead(:, k) = rotatePoints(q(:, k), [0; 0; 1]);
  end
  ahead(2, :) = 0;
  ahead = ahead ./ sqrt(sum(ahead .^ 2));
end

% Points (3 x n) turned by the unit quaternion q: q * [0; p] * inverse(q).
function turnedPoints = rotatePoints(q, points)
  pure = [zeros(1, size(points, 2)); points];
  product = rotcompose(rotcompose(q, pure), rotreverse(q));
  turnedPoints = product(2:4, :);
end

% Seconds per frame: the walk repeated to 100 times its length, best of five.
function perFrame = timePosechain(skel, motion)
  copies = 100;
  roots = repmat(motion.rootPositions, 1, copies);
  local = repmat(motion.localRotations, 1, copies);
  best = Inf;
  for trial = 1:5
    tic;
    P = posechain(skel.parents, skel.offsets, roots, local); %#ok<NASGU>
    best = min(best, toc);
  end
  perFrame = best / size(roots, 2);
end

function f = newFigure(width, height)
  f = figure('visible', 'off', 'position', [0 0 width height]);
end

function name = saveFigure(f, outDir, name, width, height)
  % gnuplot's default text is large for pictures this size.
  set(findall(f, '-property', 'fontsize'), 'fontsize', 9);
  print(f, fullfile(outDir, name), '-dpng', sprintf('-S%d,%d', width, height));
  close(f);
end

% Stick figure of one pose: left side blue, right side red, trunk black.
% X holds the joints' screen coordinates, 2 x J.
function drawPose(skel, X)
  for j = 2:numel(skel.parents)
    p = skel.parents(j);
    colour = 'k';
    if strncmp(skel.names{j}, 'Left', 4)
      colour = 'b';
    elseif strncmp(skel.names{j}, 'Right', 5)
      colour = 'r';
    end
    line([X(1, p) X(1, j)], [X(2, p) X(2, j)], 'color', colour, 'linewidth', 2);
  end
  plot(X(1, :), X(2, :), 'k.', 'markersize', 6);
end

% Every 15th frame of the walk at once, seen from the side of its turn and
% a little from above; grey, the hips' path on the ground.
function name = drawWalk(outDir, skel, P, frameTime)
  f = newFigure(1200, 500);
  hold on;
  across = [1; 0; 1] / sqrt(2);                 % screen right: the walk's general direction
  depth = [-1; 0; 1] / sqrt(2);                 % away from the viewer
  frames = 1:15:size(P, 2);
  for k = frames
    X = reshape(P(:, k), 3, []);
    drawPose(skel, [across' * X; X(2, :) + 0.25 * (depth' * X)]);
  end
  hipsPath = P(1:3, :);
  plot(across' * hipsPath, 0.25 * (depth' * hipsPath), 'color', [0.5 0.5 0.5]);
  axis equal; axis off;
  title(sprintf('posechain: the sample walk every %.1f s', (frames(2) - frames(1)) * frameTime));
  name = saveFigure(f, outDir, 'walk_frames.png', 1200, 500);
end

% One gait cycle, frame by frame, each pose seen from the walker's left
% (AHEAD(:, k), the direction it faces in frame k, points right).
function name = drawCycle(outDir, skel, P, ahead, frameTime)
  f = newFigure(1200, 400);
  hold on;
  frames = 1:4:34;
  for n = 1:numel(frames)
    k = frames(n);
    X = reshape(P(:, k), 3, []);
    drawPose(skel, sideView(X, ahead(:, k), 60 * (n - 1)));
  end
  axis equal; axis off;
  title(sprintf('posechain: one gait cycle, every %.0f ms, seen from the left', 1e3 * 4 * frameTime));
  name = saveFigure(f, outDir, 'gait_cycle.png', 1200, 400);
end

% Joint positions X (3 x J) seen from the walker's left: forward along
% AHEAD to the right, up as up, the hips SHIFT to the right of the origin.
function V = sideView(X, ahead, shift)
  X = X - [X(1, 1); 0; X(3, 1)];
  V = [ahead' * X + shift; X(2, :)];
end

% From above: the paths of the head and the toes, and the head's path in
% the walk turned a quarter turn with rotcompose; beside them the toes'
% height and the hips' turn (rotreverse) over time.
function name = drawPaths(outDir, skel, P, Pturned, turn, frameTime)
  f = newFigure(1200, 900);
  time = (0:size(P, 2) - 1) * frameTime;
  left = joint(skel, 'LeftToe_end');
  right = joint(skel, 'RightToe_end');
  head = joint(skel, 'Head_end');
  panel(1);
  plot(P(3 * left - 2, :), P(3 * left, :), 'b', P(3 * right - 2, :), P(3 * right, :), 'r', ...
       P(3 * head - 2, :), P(3 * head, :), 'k', 'linewidth', 1.5);
  axis equal; grid on; xlabel('x (cm)'); ylabel('z (cm)');
  title('from above: head black, toes blue, red');
  panel(2);
  plot(P(3 * head - 2, :), P(3 * head, :), 'k', Pturned(3 * head - 2, :), Pturned(3 * head, :), 'm', ...
       'linewidth', 2);
  axis equal; grid on; xlabel('x (cm)'); ylabel('z (cm)');
  title('rotcompose: head, turned 90 deg (magenta)');
  panel(3);
  plot(time, P(3 * left - 1, :), 'b', time, P(3 * right - 1, :), 'r');
  ylim([-5 20]);
  grid on; xlabel('time (s)'); ylabel('height (cm)');
  title('height of the toe tips');
  panel(4);
  plot(time, turn, 'k');
  grid on; xlabel('time (s)'); ylabel('degrees');
  title('rotreverse: the hips'' turn');
  name = saveFigure(f, outDir, 'joint_paths.png', 1200, 900);
end

% Axes k of a 2 x 2 grid, with room between them for titles and labels
% (gnuplot's subplot leaves too little).
function panel(k)
  left = [0.08 0.58 0.08 0.58];
  bottom = [0.6 0.6 0.1 0.1];
  axes('position', [left(k) bottom(k) 0.36 0.31]);
end

% The blended poses side by side, seen from the walker's left.
function name = drawBlend(outDir, skel, poses, ahead, t, a, b)
  f = newFigure(1200, 450);
  hold on;
  for k = 1:numel(t)
    X = reshape(poses(:, k), 3, []);
    drawPose(skel, sideView(X, ahead, 90 * (k - 1)));
    text(90 * (k - 1) - 15, -12, sprintf('t = %.2f', t(k)));
  end
  axis equal; axis off;
  title(sprintf('rotblend: frame %d (left heel strike) into frame %d (right heel strike)', a, b));
  name = saveFigure(f, outDir, 'blend.png', 1200, 450);
end

% The left knee's angular velocity about each axis of its parent's frame
% (the thigh's), in degrees per second: rotvel at the frames (dots), the
% spline through the frames (rotinterp, lines).
function name = drawKneeRate(outDir, kneeRate, splineRate, frameTime, fine)
  f = newFigure(1200, 450);
  time = (0:size(kneeRate, 2) - 1) * frameTime;
  toDegrees = 180 / pi;
  colours = {'r', [0 0.6 0], 'b'};
  hold on;
  for axis = 1:3
    plot(fine, toDegrees * splineRate(axis, :), 'color', colours{axis}, 'linewidth', 1.2);
    plot(time, toDegrees * kneeRate(axis, :), '.', 'color', colours{axis}, 'markersize', 8);
  end
  grid on; xlabel('time (s)'); ylabel('deg/s');
  title('left knee''s angular velocity (x red, y green, z blue): rotvel (dots), rotinterp spline (lines)');
  name = saveFigure(f, outDir, 'knee_angular_velocity.png', 1200, 450);
end
