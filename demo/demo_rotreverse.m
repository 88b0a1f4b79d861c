function demo_rotreverse()
% Inverting rotations: a unit quaternion's inverse is its conjugate and
% undoes it; a non-unit quaternion is inverted, not normalised.
  fprintf('\n== rotreverse: the inverse of every quaternion ==\n');
  eighth = [cos(pi/8); 0; 0; sin(pi/8)];
  back = rotreverse(eighth);
  fprintf('45 deg about z:    [%.6f %.6f %.6f %.6f]\n', eighth);
  fprintf('its inverse:       [%.6f %.6f %.6f %.6f] (45 deg back)\n', back);
  fprintf('q * inverse(q):    [%.6f %.6f %.6f %.6f]\n', rotcompose(eighth, back));
  fprintf('inverse of [2 0 0 0]: [%g %g %g %g] (length 1/2, not normalised)\n', rotreverse([2; 0; 0; 0]));
  fprintf('inverse of [0 0 0 0]: [%g %g %g %g] (no error)\n', rotreverse([0; 0; 0; 0]));
  n = 1e6;
  q = randn(4, n);
  % The first large calls pay Octave's one-off memory set-up: take the best of five.
  t = Inf;
  for trial = 1:5
    tic; r = rotreverse(q); t = min(t, toc);
  end
  fprintf('%d quaternions inverted in %.1f ms\n', n, 1e3 * t);
end
