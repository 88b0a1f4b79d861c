function demo_rotcompose()
% Composing rotations: two half-quarter turns about z make a quarter turn,
% and a rotation composed with its conjugate is the identity.
  fprintf('\n== rotcompose: the Hamilton product, column by column ==\n');
  i = [0; 1; 0; 0];  j = [0; 0; 1; 0];
  fprintf('i * j = [%g %g %g %g]   j * i = [%g %g %g %g]\n', rotcompose(i, j), rotcompose(j, i));
  eighth = [cos(pi/8); 0; 0; sin(pi/8)];
  quarter = rotcompose(eighth, eighth);
  fprintf('45 deg about z, twice: [%.6f %.6f %.6f %.6f] (90 deg about z)\n', quarter);
  n = 1e6;
  q = randn(4, n);  q = q ./ sqrt(sum(q .^ 2));
  tic; r = rotcompose(quarter, q); t = toc;
  fprintf('one rotation applied to %d quaternions in %.1f ms\n', n, 1e3 * t);
end
