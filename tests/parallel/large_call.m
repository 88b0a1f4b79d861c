function args = large_call (name, columns)
%LARGE_CALL Inputs for one call of NAME with about COLUMNS columns (frames
%   for posechain, poseglobal and the motion files), random from a fixed seed, large enough that a function
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
    case {'c3dread', 'c3dwrite', 'trcread', 'trcwrite'}
      % Ten markers over about COLUMNS / 30 frames (two analog channels
      % at two samples a frame in C3D), as floats, written once to read.
      frames = max (1, round (columns / 30));
      d = struct ('points', double (single (round (1e3 * randn (30, frames)) / 8)), 'pointRate', 100, ...
                  'labels', {arrayfun(@(m) sprintf('M%d', m), 1:10, 'UniformOutput', false)});
      extension = name(1:3);
      if (extension(1) == 'c')
        d.analog = double (single (randn (2, 2 * frames)));
        d.residuals = floor (8 * rand (10, frames)) / 8;
      end
      if (strcmp (name(4:end), 'write'))
        args = {fullfile(tempdir(), sprintf('rotkit_large_call_out_%d.%s', columns, extension)), d};
      else
        args = {fullfile(tempdir(), sprintf('rotkit_large_call_%d.%s', columns, extension))};
        if (! exist (args{1}, 'file'))
          feval ([extension 'write'], args{1}, d);
        end
      end
    case {'motread', 'motwrite'}
      % A table of ten columns and about COLUMNS / 10 rows.
      rows = max (1, round (columns / 10));
      t = struct ('labels', {[{'time'}, arrayfun(@(c) sprintf('c%d', c), 1:9, 'UniformOutput', false)]}, ...
                  'data', [(0:rows - 1) / 100; round(1e4 * randn (9, rows)) / 1e4]);
      if (strcmp (name, 'motwrite'))
        args = {fullfile(tempdir(), sprintf('rotkit_large_call_out_%d.mot', columns)), t};
      else
        args = {fullfile(tempdir(), sprintf('rotkit_large_call_%d.mot', columns))};
        if (! exist (args{1}, 'file'))
          motwrite (args{1}, t);
        end
      end
    case 'asfread'
      % A root and two bones turning over about COLUMNS / 30 frames.
      frames = max (1, round (columns / 30));
      args = {fullfile(tempdir(), 'rotkit_large_call.asf'), ...
              fullfile(tempdir(), sprintf('rotkit_large_call_%d.amc', columns))};
      if (! exist (args{1}, 'file'))
        fid = fopen (args{1}, 'w');
        fprintf (fid, [':units\n angle deg\n:root\n order TX TY TZ RX RY RZ\n axis XYZ\n position 0 0 0\n' ...
                       ' orientation 0 0 0\n:bonedata\n begin\n name a\n direction 0 1 0\n length 2\n' ...
                       ' axis 0 0 30 XYZ\n dof rx ry rz\n end\n begin\n name b\n direction 1 0 0\n length 1\n' ...
                       ' axis 10 0 0 XYZ\n dof rz rx\n end\n:hierarchy\n begin\n root a\n a b\n end\n']);
        fclose (fid);
      end
      if (! exist (args{2}, 'file'))
        fid = fopen (args{2}, 'w');
        fprintf (fid, ['%d\nroot %.4f %.4f %.4f %.4f %.4f %.4f\na %.4f %.4f %.4f\nb %.4f %.4f\n'], ...
                 [1:frames; 360 * rand(11, frames) - 180]);
        fclose (fid);
      end
    case 'poselocal'
      frames = max (1, round (columns / 30));
      joints = 31;
      args = {[0, arrayfun(@(j) randi(j - 1), 2:joints)], randn(4 * joints, frames)};
    case 'rotfit'
      frames = max (1, round (columns / 10));
      args = {randn(18, 1), randn(18, frames), rand(1, 6)};
    case 'rotmean'
      args = {q(columns), rand(1, columns)};
    case 'rotdist'
      args = {q(columns), q(columns)};
    otherwise
      error ('large_call: no large call for %s: add one', name);
  end
end
