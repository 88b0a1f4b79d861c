function [args, sizes, fill, outputs] = host_case(name, n)
%HOST_CASE The call of NAME at size N in bench_hosts.m, and its empty call.
%   [ARGS, SIZES, FILL, OUTPUTS] = HOST_CASE(NAME, N): the inputs ARGS of a call of
%   NAME on N columns (frames of a 31-joint random tree for posechain), as
%   bench_octave.m makes them; SIZES, what emptymex creates for the same
%   call (its output, and posechain's scratch); FILL, 'zeros' for the
%   original four, which create their outputs zero-filled, 'uninit' for the
%   others. ARGS is empty for a function without a case here. OUTPUTS is
%   the number of outputs a call asks for (bvhread's skeleton and motion).
%   The BVH cases write files rotkit_host_case_* to the temporary folder,
%   which the caller deletes.
  joints = 31;
  fill = 'uninit';
  outputs = 1;
  args = {};
  sizes = [];
  switch name
    case 'rotcompose'
      args = {unit_quaternions(n), unit_quaternions(n)};
      sizes = [4 n];
    case 'rotreverse'
      args = {unit_quaternions(n)};
      sizes = [4 n];
    case 'rotblend'
      q1 = unit_quaternions(1);
      args = {q1, rotcompose(q1, [cos(pi/6); 0; sin(pi/6); 0]), linspace(0, 1, n)};
      sizes = [4 n];
    case 'posechain'
      parents = [0, arrayfun(@(j) randi(j - 1), 2:joints)];
      args = {parents, randn(3, joints), randn(3, n), reshape(unit_quaternions(joints * n), 4 * joints, n)};
      sizes = [3 * joints, n, 4 * joints, n];
    case 'rotslerp'
      args = {unit_quaternions(n), unit_quaternions(n), rand(1, n)};
      sizes = [4 n];
    case 'rotapply'
      args = {unit_quaternions(n), randn(3, n)};
      sizes = [3 n];
    case 'rotnormalize'
      args = {randn(4, n)};
      sizes = [4 n];
    case 'rot2mat'
      args = {unit_quaternions(n)};
      sizes = [9 n];
    case 'mat2rot'
      args = {rot2mat(unit_quaternions(n))};
      sizes = [4 n];
    case 'eul2rot'
      args = {(2 * rand(3, n) - 1) * pi, 'ZXY'};
      sizes = [4 n];
    case 'rot2eul'
      args = {unit_quaternions(n), 'ZXY'};
      sizes = [3 n];
    case 'vec2rot'
      args = {(2 * rand(3, n) - 1) * 2};
      sizes = [4 n];
    case 'rot2vec'
      args = {unit_quaternions(n)};
      sizes = [3 n];
    case {'rotvel', 'rotintegrate', 'rotinterp', 'rotunwrap'}
      % A smooth motion every 0.01 s, as bench_timeseries.m times it.
      t = (0:n - 1) * 0.01;
      Q = vec2rot(cumsum(0.05 * randn(3, n), 2));
      switch name
        case 'rotvel'
          args = {Q, t};
          sizes = [3 n];
        case 'rotintegrate'
          args = {rotvel(Q, t), t, Q(:, 1)};
          sizes = [4 n];
        case 'rotinterp'
          args = {t, Q, t(1:end - 1) + 0.0037};
          sizes = [4 n - 1];
        case 'rotunwrap'
          args = {Q .* (1 - 2 * (rand(1, n) < 0.1))};
          sizes = [4 n];
      end
    case 'poseglobal'
      % posechain's tree; the global rotations are made and dropped, as
      % posechain's scratch is.
      parents = [0, arrayfun(@(j) randi(j - 1), 2:joints)];
      args = {parents, randn(3, joints), randn(3, n), reshape(unit_quaternions(joints * n), 4 * joints, n)};
      sizes = [3 * joints, n, 4 * joints, n];
    case {'bvhread', 'bvhwrite'}
      % A file of n frames of a 31-joint body (make_bench_bvh.m), written
      % to the temporary folder; bvhwrite writes what bvhread read. The
      % empty call makes the largest output, the local rotations.
      file = fullfile(tempdir(), sprintf('rotkit_host_case_%d.bvh', n));
      make_bench_bvh(file, joints, n, 6);
      args = {file};
      outputs = 2;
      if strcmp(name, 'bvhwrite')
        [skel, motion] = bvhread(file);
        args = {[file '.out.bvh'], skel, motion};
        outputs = 1;
      end
      sizes = [4 * joints, n];
      fill = 'zeros';
  end
  if any(strcmp(name, {'rotcompose', 'rotreverse', 'rotblend', 'posechain'}))
    fill = 'zeros';
  end
end
