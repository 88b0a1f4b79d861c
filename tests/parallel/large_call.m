function args = large_call (name, columns)
%LARGE_CALL Inputs for one call of NAME with about COLUMNS columns (frames
%   for posechain, poseglobal and the BVH files), random from a fixed seed, large enough that a function
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
    case 'poseglobal'
      frames = max (1, round (columns / 30));
      joints = 31;
      args = {[0, arrayfun(@(j) randi(j - 1), 2:joints)], randn(3 * joints, frames), randn(3, frames), ...
              randn(4 * joints, frames)};
    case 'bvhread'
      % A file of about COLUMNS / 30 frames of two turning joints, written once.
      frames = max (1, round (columns / 30));
      args = {fullfile(tempdir(), sprintf('rotkit_large_call_%d.bvh', columns))};
      if (! exist (args{1}, 'file'))
        fid = fopen (args{1}, 'w');
        fprintf (fid, ['HIERARCHY\nROOT A\n{\nOFFSET 0 0 0\nCHANNELS 6 Xposition Yposition Zposition ' ...
                       'Zrotation Xrotation Yrotation\nJOINT B\n{\nOFFSET 0 1 0\nCHANNELS 3 Yrotation Xrotation ' ...
                       'Zrotation\nEnd Site\n{\nOFFSET 0 1 0\n}\n}\n}\nMOTION\nFrames: %d\nFrame Time: 0.01\n'], frames);
        fprintf (fid, '%.6f %.6f %.6f %.6f %.6f %.6f %.6f %.6f %.6f\n', 360 * rand (9, frames) - 180);
        fclose (fid);
      end
    case 'bvhwrite'
      % A random tree of 31 joints turning in about COLUMNS / 30 frames;
      % each joint's rotation in the rows of all its children.
      frames = max (1, round (columns / 30));
      joints = 31;
      parents = [0, arrayfun(@(j) randi(j - 1), 2:joints)];
      turns = randn (4 * joints, frames);
      local = repmat ([1; 0; 0; 0], joints, frames);
      for j = 2:joints
        local(4 * j - 3:4 * j, :) = turns(4 * parents(j) - 3:4 * parents(j), :);
      end
      skel = struct ('parents', parents, 'offsets', randn (3, joints), ...
                     'names', {arrayfun(@(j) sprintf('j%d', j), 1:joints, 'UniformOutput', false)});
      motion = struct ('rootPositions', randn (3, frames), 'localRotations', local, 'frameTime', 0.01);
      args = {fullfile(tempdir(), sprintf('rotkit_large_call_out_%d.bvh', columns)), skel, motion};
    otherwise
      error ('large_call: no large call for %s: add one', name);
  end
end
