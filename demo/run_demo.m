% The toolbox demo: octave-cli demo/run_demo.m BUILDDIR
% Runs every demo/demo_*.m in turn against the MEX files in BUILDDIR/mex.
args = argv();
buildDir = 'build';
if numel(args) >= 1
  buildDir = args{1};
end
demoDir = fileparts(mfilename('fullpath'));
addpath(fullfile(buildDir, 'mex'));
addpath(demoDir);
parts = dir(fullfile(demoDir, 'demo_*.m'));
for p = 1:numel(parts)
  [~, name] = fileparts(parts(p).name);
  feval(name);
end
