% End-to-end benchmark of the MEX files in Octave.
%   octave-cli bench_octave.m measure BUILDDIR RESULTFILE [SIZES [NAMES]]
%     times each MEX of BUILDDIR/mex against the m-code a competent user
%     writes for the same work, against BUILDDIR/bench/mex/emptymex (which
%     only creates the same output matrices: the host's own cost of a
%     call), and against a + b on arrays of the output's size, all in one
%     run; writes the times to RESULTFILE. SIZES (default '[1e3 1e4 1e5 1e6]')
%     and NAMES (default: every function below) narrow the run. posechain's
%     N counts frames of a 31-joint random tree. The conversions are timed
%     against scipy as well, on the same data, by bench/python/scipy_bench.py
%     (the Euler angles and rotation vectors at N = 1e6 only: scipy takes
%     seconds there; Debian's python3 with python3-scipy; PYTHON overrides
%     it; without scipy that column is NaN).
%   octave-cli bench_octave.m report TUNEDFILE UNTUNEDFILE
%     prints the ratio tables of two such runs side by side: one with glibc's
%     malloc tuned to keep memory between calls, one without.
args = argv();
here = fileparts(mfilename('fullpath'));
addpath(here);

if strcmp(args{1}, 'report')
  report_octave_bench(args{2}, args{3});
  return;
end

buildDir = args{2};
resultFile = args{3};
addpath(fullfile(buildDir, 'rotkit'));
addpath(fullfile(buildDir, 'bench', 'mex'));
names = {'rotcompose', 'rotreverse', 'rotblend', 'rotslerp', 'posechain', 'rotapply', 'rotnormalize', 'rot2mat', ...
         'mat2rot', 'eul2rot', 'rot2eul', 'vec2rot', 'rot2vec', 'poselocal', 'rotdist', 'rotmean', 'rotfit', ...
         'rotfit:4', 'rotfit:8'};
if numel(args) >= 5
  names = strsplit(args{5}, ',');
end
sizes = [1e3 1e4 1e5 1e6];
if numel(args) >= 4
  sizes = str2num(args{4});
end
budget = 0.4;            % seconds per candidate and size, split over the rounds
joints = 31;             % posechain's skeleton
rand('seed', 8); randn('seed', 8);

results = zeros(0, 7);   % deliverable, N, MEX, empty MEX, m-code, a + b, scipy (seconds per call)
python = getenv('PYTHON');
if isempty(python)
  python = '/usr/bin/python3';
end
scipyScript = fullfile(here, '..', 'python', 'scipy_bench.py');
for d = 1:numel(names)
  name = names{d};
  % rotfit:M fits M markers per frame (rotfit alone: 6).
  [mexName, markerText] = strtok(name, ':');
  if exist(mexName) ~= 3
    printf('%s: no MEX file in %s, skipped\n', name, fullfile(buildDir, 'rotkit'));
    continue;
  end
  for n = sizes
    % rotfit's baselines fit frame by frame: 1e5 frames at most; rotfit:M
    % at 1e5 alone.
    if (strcmp(mexName, 'rotfit') && n > 1e5) || (~isempty(markerText) && n ~= 1e5)
      continue;
    end
    switch mexName
      case 'rotcompose'
        a = unit_quaternions(n); b = unit_quaternions(n);
        viaMex = @() rotcompose(a, b);
        empty = @() emptymex([4 n], a, b);
        mcode = @() mcode_rotcompose(a, b);
        outSize = [4 n];
      case 'rotreverse'
        q = unit_quaternions(n);
        viaMex = @() rotreverse(q);
        empty = @() emptymex([4 n], q);
        mcode = @() mcode_rotreverse(q);
        outSize = [4 n];
      case 'rotblend'
        q1 = unit_quaternions(1);
        q2 = rotcompose(q1, [cos(pi/6); 0; sin(pi/6); 0]);   % 60 degrees apart: the spherical branch
        t = linspace(0, 1, n);
        viaMex = @() rotblend(q1, q2, t);
        empty = @() emptymex([4 n], q1, q2, t);
        mcode = @() mcode_rotblend(q1, q2, t);
        outSize = [4 n];
      case 'rotslerp'
        q1 = unit_quaternions(n); q2 = unit_quaternions(n);    % random pairs: the spherical branch
        t = rand(1, n);
        viaMex = @() rotslerp(q1, q2, t);
        empty = @() emptymex([4 n], q1, q2, t);
        mcode = @() mcode_rotslerp(q1, q2, t);
        outSize = [4 n];
      case 'posechain'
        parents = [0, arrayfun(@(j) randi(j - 1), 2:joints)];
        offsets = randn(3, joints);
        root = randn(3, n);
        local = reshape(unit_quaternions(joints * n), 4 * joints, n);
        viaMex = @() posechain(parents, offsets, root, local);
        empty = @() emptymex([3 * joints, n, 4 * joints, n], parents, offsets, root, local);
        mcode = @() mcode_posechain(parents, offsets, root, local);
        outSize = [3 * joints n];
      case 'rotapply'
        q = unit_quaternions(n); v = randn(3, n);
        viaMex = @() rotapply(q, v);
        empty = @() emptymex([3 n], q, v);
        mcode = @() mcode_rotapply(q, v);
        outSize = [3 n];
        scipyInputs = {q, v};
      case 'rotnormalize'
        q = randn(4, n);
        viaMex = @() rotnormalize(q);
        empty = @() emptymex([4 n], q);
        mcode = @() mcode_rotnormalize(q);
        outSize = [4 n];
        scipyInputs = {q};
      case 'rot2mat'
        q = unit_quaternions(n);
        viaMex = @() rot2mat(q);
        empty = @() emptymex([9 n], q);
        mcode = @() mcode_rot2mat(q);
        outSize = [9 n];
        scipyInputs = {q};
      case 'mat2rot'
        m = rot2mat(unit_quaternions(n));
        viaMex = @() mat2rot(m);
        empty = @() emptymex([4 n], m);
        mcode = @() mcode_mat2rot(m);
        outSize = [4 n];
        scipyInputs = {m};
      case 'eul2rot'
        input = (2 * rand(3, n) - 1) * pi;
        viaMex = @() eul2rot(input, 'ZXY');
        empty = @() emptymex([4 n], input, 'ZXY');
        mcode = @() mcode_eul2rot(input, 'ZXY');
        outSize = [4 n];
      case 'rot2eul'
        input = unit_quaternions(n);
        viaMex = @() rot2eul(input, 'ZXY');
        empty = @() emptymex([3 n], input, 'ZXY');
        mcode = @() mcode_rot2eul(input, 'ZXY');
        outSize = [3 n];
      case 'vec2rot'
        input = (2 * rand(3, n) - 1) * 2;
        viaMex = @() vec2rot(input);
        empty = @() emptymex([4 n], input);
        mcode = @() mcode_vec2rot(input);
        outSize = [4 n];
      case 'rot2vec'
        input = unit_quaternions(n);
        viaMex = @() rot2vec(input);
        empty = @() emptymex([3 n], input);
        mcode = @() mcode_rot2vec(input);
        outSize = [3 n];
      case 'poselocal'
        % n rotations: 31 joints over n/31 frames.
        frames = max(1, round(n / joints));
        parents = [0, arrayfun(@(j) randi(j - 1), 2:joints)];
        rotations = reshape(unit_quaternions(joints * frames), 4 * joints, frames);
        viaMex = @() poselocal(parents, rotations);
        empty = @() emptymex([4 * joints, frames], parents, rotations);
        mcode = @() mcode_poselocal(parents, rotations);
        outSize = [4 * joints frames];
        scipyInputs = {parents, rotations};
      case 'rotdist'
        q1 = unit_quaternions(n); q2 = unit_quaternions(n);
        viaMex = @() rotdist(q1, q2);
        empty = @() emptymex([1 n], q1, q2);
        mcode = @() mcode_rotdist(q1, q2);
        outSize = [1 n];
        scipyInputs = {q1, q2};
      case 'rotmean'
        q = rotcompose(unit_quaternions(1), vec2rot(0.5 * randn(3, n)));
        w = rand(1, n);
        viaMex = @() rotmean(q, w);
        empty = @() emptymex([4 1 20 1 + floor(n / 8192)], q, w);
        mcode = @() mcode_rotmean(q, w);
        outSize = [4 1];
        scipyInputs = {q, w};
      case 'rotfit'
        % Markers of a rigid cluster, turned and moved in every frame, with
        % noise of about 1% of the cluster's size.
        markers = 6;
        if ~isempty(markerText)
          markers = str2double(markerText(2:end));
        end
        a = 100 * randn(3 * markers, 1);
        q = unit_quaternions(n);
        t = 1000 * randn(3, n);
        b = zeros(3 * markers, n);
        for m = 1:markers
          b(3 * m - 2:3 * m, :) = rotapply(q, a(3 * m - 2:3 * m)) + t + randn(3, n);
        end
        viaMex = @() rotfit(a, b);
        empty = @() emptymex([4 n], a, b);
        mcode = @() mcode_rotfit(a, b);
        outSize = [4 n];
        scipyInputs = {a, b};
    end
    pa = rand(outSize); pb = rand(outSize);
    plus = @() pa + pb;
    ours = viaMex(); theirs = mcode();
    difference = max(abs(ours(:) - theirs(:)));
    clear ours theirs;    % at 1e6 frames posechain's results are 744 MB each
    seconds = time_calls({viaMex, empty, mcode, plus}, budget);
    scipySeconds = NaN;
    if exist('scipyInputs', 'var')
      scipySeconds = time_scipy(python, scipyScript, name, n, scipyInputs, budget);
    elseif exist('input', 'var') && n == 1e6
      scipySeconds = time_scipy(python, scipyScript, name, n, {input}, budget);
    end
    printf('%-12s N = %-7g MEX %9.3f ms  empty MEX %9.3f ms  m-code %9.3f ms  a + b %9.3f ms  scipy %9.3f ms  (|MEX - m-code| <= %.1g)\n', ...
           name, n, 1e3 * seconds, 1e3 * scipySeconds, difference);
    fflush(stdout);
    results(end + 1, :) = [d, n, seconds, scipySeconds];
    clear a b q q1 q2 t v m w input parents offsets root local rotations pa pb viaMex empty mcode plus scipyInputs;
  end
end
save('-text', resultFile, 'results', 'names');
