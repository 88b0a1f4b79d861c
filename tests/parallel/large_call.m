function args = large_call (name, columns)
%LARGE_CALL Inputs for one call of NAME with about COLUMNS columns (frames
%   for posechain), random from a fixed seed, large enough that a function
%   that splits its work over threads does so. Every MEX function of the
%   toolbox has an entry here; threads_test fails for one that has none.
  rand ('seed', 17); randn ('seed', 17);
  q = @(n) randn (4, n);
  switch (name)
    case 'rotcompose'
      args = {q(columns), q(columns)};
    case 'rotreverse'
      args = {q(columns)};
    case 'rotblend'
      args = {[1; 0; 0; 0], [cos(0.5); 0; sin(0.5); 0], linspace(-1, 2, columns)};
    case 'posechain'
      frames = max (1, round (columns / 30));
      joints = 31;
      args = {[0, arrayfun(@(j) randi(j - 1), 2:joints)], randn(3, joints), randn(3, frames), ...
              randn(4 * joints, frames)};
    case {'rotnormalize', 'rot2mat', 'rot2vec'}
      args = {q(columns)};
    case 'rotapply'
      args = {q(columns), randn(3, columns)};
    case 'mat2rot'
      args = {reshape(randn(9, columns), 3, 3, columns)};
    case 'eul2rot'
      args = {4 * rand(3, columns) - 2, 'ZXY'};
    case 'rot2eul'
      args = {q(columns), 'zyz'};
    case 'vec2rot'
      args = {4 * randn(3, columns)};
    case 'rotslerp'
      args = {q(columns), q(columns), 3 * rand(1, columns) - 1};
    case 'rotvel'
      args = {q(columns), 0.01, 'world'};
    case 'rotintegrate'
      args = {randn(3, columns), 0.01, [1; 0; 0; 0]};
    case 'rotinterp'
      % A smooth walk (the spline's iteration converges as on a motion),
      % queried in order at random times between its keys.
      t = cumsum (0.01 + 0.01 * rand (1, columns));
      keys = vec2rot (cumsum (0.05 * randn (3, columns), 2));
      queries = sort (t(1) + (t(end) - t(1)) * rand (1, columns));
      args = {t, keys, queries, 'spline'};
    case 'rotunwrap'
      args = {q(columns)};
    otherwise
      error ('large_call: no large call for %s: add one', name);
  end
end
