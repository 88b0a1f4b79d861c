function build_mex(outdir)
%BUILD_MEX Build the toolbox's MEX files with MATLAB's or Octave's mex.
%   BUILD_MEX compiles rotcompose, rotreverse, rotblend and posechain into
%   the folder mex/ beside this file; BUILD_MEX(OUTDIR) writes them to
%   OUTDIR. The help files (*.m) are copied beside them, so afterwards
%   addpath(OUTDIR) makes the functions and their help available.
%
%   Results are defined bit for bit, so floating-point contraction (fused
%   multiply-add) is switched off on every compiler, and fast-math is
%   never used.

  root = fileparts(mfilename('fullpath'));
  if nargin < 1
    outdir = fullfile(root, 'mex');
  end
  if ~exist(outdir, 'dir')
    mkdir(outdir);
  end

  % Each deliverable: its gateway first, then its kernel sources.
  deliverables = { ...
    'rotcompose', {'rotcompose_gateway.cpp', 'compose_columns.cpp', 'compose_columns_sse2.cpp', 'compose_columns_avx2.cpp'}; ...
    'rotreverse', {'rotreverse_gateway.cpp', 'invert_quaternion.cpp', 'invert_quaternion_sse2.cpp', 'invert_quaternion_avx2.cpp'}; ...
    'rotblend',   {'rotblend_gateway.cpp', 'interpolate_rotation.cpp', 'interpolate_rotation_sse2.cpp', 'interpolate_rotation_avx2.cpp'}; ...
    'posechain',  {'posechain_gateway.cpp', 'evaluate_pose.cpp', 'evaluate_pose_sse2.cpp', 'evaluate_pose_avx2.cpp'}};

  isOctave = exist('OCTAVE_VERSION', 'builtin') ~= 0;
  for d = 1:size(deliverables, 1)
    name = deliverables{d, 1};
    sources = fullfile(root, name, deliverables{d, 2});
    if ~all(cellfun(@(f) exist(f, 'file') ~= 0, sources))
      continue;   % not part of this checkout
    end
    if isOctave
      buildOctave(root, outdir, name, sources);
    else
      buildMatlab(root, outdir, name, sources);
    end
    copyfile(fullfile(root, name, [name '.m']), outdir);
    fprintf('built %s\n', fullfile(outdir, [name '.' mexext]));
  end
end

function buildOctave(root, outdir, name, sources)
  % Octave's mex takes its compiler flags from the environment.
  oldFlags = getenv('CXXFLAGS');
  setenv('CXXFLAGS', '-O2 -std=c++17 -ffp-contract=off -fno-fast-math -fPIC');
  cleanup = onCleanup(@() setenv('CXXFLAGS', oldFlags));
  mex(['-I' root], '-o', fullfile(outdir, [name '.mex']), sources{:});
end

function buildMatlab(root, outdir, name, sources)
  if ispc && ~isempty(strfind(lower(mex.getCompilerConfigurations('C++').Name), 'microsoft'))
    % MSVC: /fp:precise does not contract a*b+c into a fused multiply-add.
    flags = {'COMPFLAGS=$COMPFLAGS /std:c++17 /fp:precise'};
  else
    flags = {'CXXFLAGS=$CXXFLAGS -std=c++17 -ffp-contract=off -fno-fast-math'};
  end
  mex('-R2017b', ['-I' root], flags{:}, '-output', name, '-outdir', outdir, sources{:});
end
