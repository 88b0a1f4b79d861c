% The toolbox demo: octave-cli demo/run_demo.m BUILDDIR
% Runs every demo/demo_*.m in turn against the toolbox folder BUILDDIR/rotkit:
% first one demo per function, then demo_motion, which uses all four on the
% sample walk and writes its pictures to BUILDDIR/demo.
buildDir = 'build';
if exist('OCTAVE_VERSION', 'builtin')
  args = argv();
  if numel(args) >= 1
    buildDir = args{1};
  end
end
demoDir = fileparts(mfilename('fullpath'));
addpath(fullfile(buildDir, 'rotkit'));
addpath(demoDir);
parts = dir(fullfile(demoDir, 'demo_*.m'));
names = cellfun(@(file) file(1:end - 2), {parts.name}, 'UniformOutput', false);
names = [setdiff(names, {'demo_motion'}), intersect(names, {'demo_motion'})];
for p = 1:numel(names)
  % A demo that writes files takes the build folder.
  if nargin(names{p}) > 0
    feval(names{p}, buildDir);
  else
    feval(names{p});
  end
end
