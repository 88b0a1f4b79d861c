function demo_posechain()
% Forward kinematics: a three-joint arm posed frame by frame, then a
% 30-joint skeleton over 100000 frames.
  fprintf('\n== posechain: joint positions of a skeleton in every frame ==\n');
  % Shoulder (the root), elbow 1 along x from it, hand 0.5 further along.
  parents = [0 1 2];
  offsets = [0 1 0.5; 0 0 0; 0 0 0];
  root = zeros(3, 3);
  none = [1; 0; 0; 0];  quarter = [sqrt(0.5); 0; 0; sqrt(0.5)];  % 90 deg about z
  rot = [[none; none; none], [quarter; none; none], [none; none; quarter]];
  P = posechain(parents, offsets, root, rot);
  names = {'rest pose', 'shoulder turned 90 deg', 'hand turned 90 deg'};
  for k = 1:3
    p = round(P(:, k) * 1e12) / 1e12 + 0;   % show rounding noise as 0
    fprintf('%-24s elbow (%g, %g, %g)  hand (%g, %g, %g)\n', names{k}, p(4:9));
  end

  % A random 30-joint tree, every parent before its child, unit rotations.
  J = 30;  n = 1e5;
  parents = [0, arrayfun(@(j) randi(j - 1), 2:J)];
  offsets = randn(3, J);
  root = cumsum(0.01 * randn(3, n), 2);
  q = randn(4, J * n);
  local = reshape(q ./ sqrt(sum(q .^ 2)), 4 * J, n);
  % The first large calls pay Octave's one-off memory set-up: take the best of three.
  t = Inf;
  for trial = 1:3
    tic; P = posechain(parents, offsets, root, local); t = min(t, toc);
  end
  fprintf('%d joints over %d frames (%d x %d result) in %.1f ms\n', J, n, size(P, 1), size(P, 2), 1e3 * t);
end
