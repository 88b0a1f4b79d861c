function build_mex(outdir)
%BUILD_MEX Build the toolbox's MEX files with MATLAB's or Octave's mex.
%   BUILD_MEX compiles every function of the toolbox (each folder that
%   holds a <name>_gateway.cpp) into the folder mex/ beside this file;
%   BUILD_MEX(OUTDIR) writes them to OUTDIR. The help files (*.m) are copied beside them, so afterwards
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

  % Every function folder: one that holds <name>/<name>_gateway.cpp. Each
  % is compiled from its gateway and the other .cpp files beside it.
  deliverables = functionFolders(root);
  isOctave = exist('OCTAVE_VERSION', 'builtin') ~= 0;
  for d = 1:numel(deliverables)
    name = deliverables{d};
    sources = sourcesOf(root, name);
    if isOctave
      buildOctave(root, outdir, name, sources);
    else
      buildMatlab(root, outdir, name, sources);
    end
    copyfile(fullfile(root, name, [name '.m']), outdir);
    fprintf('built %s\n', fullfile(outdir, [name '.' mexext]));
  end
end

function names = functionFolders(root)
  names = {};
  entries = dir(root);
  for e = 1:numel(entries)
    name = entries(e).name;
    if entries(e).isdir && name(1) ~= '.' && exist(fullfile(root, name, [name '_gateway.cpp']), 'file')
      names{end + 1} = name; %#ok<AGROW>
    end
  end
end

function sources = sourcesOf(root, name)
  gateway = [name '_gateway.cpp'];
  files = dir(fullfile(root, name, '*.cpp'));
  others = setdiff({files.name}, {gateway});
  sources = fullfile(root, name, [{gateway}, others]);
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
