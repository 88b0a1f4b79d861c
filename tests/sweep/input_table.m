% Prints the input-handling tables of every function as the sweep observes
% them, for docs/input_handling.md:
%   octave-cli tests/sweep/input_table.m TOOLBOXDIR
% (build/rotkit: the oct-files, or build/rotkit-mex: the MEX files; the
% tables are the same). The sweep's calls run in a temporary folder, so a
% relative folder is made absolute first.
args = argv ();
addpath (fileparts (mfilename ('fullpath')));
toolbox = make_absolute_filename (args{1});
for name = sweep_functions ()
  printf ('### %s\n\n%s\n', name{1}, sweep_markdown (run_sweep (name{1}, toolbox)));
end
