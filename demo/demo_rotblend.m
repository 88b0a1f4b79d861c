function demo_rotblend()
% Interpolating rotations: a quarter turn about z blended in steps, the
% shorter arc taken whichever sign the end rotation carries, and a path
% through many parameters at once.
  fprintf('\n== rotblend: spherical interpolation along the shorter arc ==\n');
  q1 = [1; 0; 0; 0];
  q2 = [cos(pi/4); 0; 0; sin(pi/4)];            % 90 deg about z
  t = 0:0.25:1;
  q = rotblend(q1, q2, t);
  angles = 2 * atan2(q(4,:), q(1,:)) * 180 / pi;
  for k = 1:numel(t)
    fprintf('t = %.2f: [%.6f %.6f %.6f %.6f]  %5.1f deg about z\n', t(k), q(:,k), angles(k));
  end
  flipped = rotblend(q1, -q2, 0.5);             % -q2 is the same rotation
  fprintf('halfway to -q2: [%.6f %.6f %.6f %.6f] (the same 45 deg, not the long way round)\n', flipped);
  beyond = rotblend(q1, q2, 2);
  fprintf('t = 2 goes on along the arc: %.1f deg about z\n', 2 * atan2(beyond(4), beyond(1)) * 180 / pi);
  n = 1e6;
  tic; path = rotblend(q1, q2, linspace(0, 1, n)); elapsed = toc;
  fprintf('%d parameters in %.1f ms, largest |norm - 1| %.1e\n', n, 1e3 * elapsed, ...
         max(abs(sqrt(sum(path .^ 2)) - 1)));
end
