% End to end in Octave, the two ways into it side by side: every compiled
% function through Octave's native interface (its oct-file, BUILDDIR/rotkit)
% and through the MEX interface (its MEX file, BUILDDIR/rotkit-mex), beside
% the empty call of each interface that makes the same output
% (BUILDDIR/bench/mex: emptyoct, emptymex, and their _uninit forms for the
% functions that create their outputs uninitialised) and Octave's own a + b
% on arrays of the output's size, all timed in one run (time_calls.m:
% rounds, medians, every call warmed first). Oct-file and MEX file must
% give the same bits; a difference stops the run.
%   octave-cli bench_hosts.m BUILDDIR [SIZES [NAMES]]
% prints one markdown table (SIZES default '[1e4 1e5 1e6]'; posechain and
% poseglobal, 31 joints, stop at 1e5 frames, bvhread and bvhwrite at 1e4).
% make bench runs it with glibc's malloc tuned to keep freed memory (a warm
% heap: the first touch of a fresh page costs about 10 us here).
args = argv();
here = fileparts(mfilename('fullpath'));
addpath(here);
addpath(fullfile(here, '..', '..', 'tests', 'support'));
buildDir = args{1};
octDir = fullfile(buildDir, 'rotkit');
mexDir = fullfile(buildDir, 'rotkit-mex');
sizes = [1e4 1e5 1e6];
if numel(args) >= 2
  sizes = str2num(args{2});
end
% Every function of the manifest that the build has, in the manifest's order.
names = manifest_functions(fullfile(here, '..', '..'));
names = names(ismember(names, compiled_functions(octDir)));
if numel(args) >= 3
  names = strsplit(args{3}, ',');
end
budget = 0.4;            % seconds per candidate and size, split over the rounds
rand('seed', 8); randn('seed', 8);

% A simple function handle is bound to the file found when it is made: one
% handle to each build of every function, and to each empty call.
addpath(fullfile(buildDir, 'bench', 'mex'));
addpath(mexDir);
viaMex = cellfun(@str2func, names, 'UniformOutput', false);
rmpath(mexDir);
addpath(octDir);
viaOct = cellfun(@str2func, names, 'UniformOutput', false);
empties = struct('zeros', {{@emptyoct, @emptymex}}, 'uninit', {{@emptyoct_uninit, @emptymex_uninit}});

printf('| function | N | oct-file ms | MEX ms | MEX / oct-file | oct-file / (a + b) | oct-file / empty oct-file | MEX / empty MEX | a + b ms | empty oct-file ms | empty MEX ms |\n');
printf('|---|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|\n');
for d = 1:numel(names)
  name = names{d};
  for n = sizes
    % Frames of a 31-joint body: posechain and poseglobal stop at 1e5, the
    % BVH files at 1e4 frames (10 MB).
    if (any(strcmp(name, {'posechain', 'poseglobal'})) && n > 1e5) || (strncmp(name, 'bvh', 3) && n > 1e4)
      continue;
    end
    [inputs, outSize, fill, outputs] = host_case(name, n);
    if isempty(inputs)
      printf('| %s | %g | (no case in host_case.m) |\n', name, n);
      break;
    end
    fo = viaOct{d};
    fm = viaMex{d};
    if outputs > 1
      fo = @(varargin) nthargout(1:outputs, viaOct{d}, varargin{:});
      fm = @(varargin) nthargout(1:outputs, viaMex{d}, varargin{:});
    end
    assert(samebits(fo(inputs{:}), fm(inputs{:})), '%s: the oct-file and the MEX file differ at N = %g', name, n);
    empty = empties.(fill);
    eo = empty{1};
    em = empty{2};
    pa = rand(outSize(1:2)); pb = rand(outSize(1:2));
    calls = {@() fo(inputs{:}), @() fm(inputs{:}), @() eo(outSize, inputs{:}), @() em(outSize, inputs{:}), @() pa + pb};
    t = 1e3 * time_calls(calls, budget);
    printf('| %s | %g | %.3f | %.3f | %.2f | %.2f | %.2f | %.2f | %.3f | %.3f | %.3f |\n', name, n, t(1), t(2), ...
           t(2) / t(1), t(1) / t(5), t(1) / t(3), t(2) / t(4), t(5), t(3), t(4));
    fflush(stdout);
    clear inputs pa pb calls;
    for f = dir(fullfile(tempdir(), 'rotkit_host_case_*'))'
      delete(fullfile(f.folder, f.name));
    end
  end
end
