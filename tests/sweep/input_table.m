% Prints the input-handling tables of every function as the sweep observes
% them, for docs/input_handling.md:
%   octave-cli tests/sweep/input_table.m MEXDIR
% MEXDIR may be relative: the sweep's calls run in a temporary folder, so
% it is made absolute here first.
args = argv ();
mexdir = make_absolute_filename (args{1});
addpath (fileparts (mfilename ('fullpath')));
% Absolute: the sweeps of the file functions run in the temporary folder,
% where a relative MEXDIR names nothing.
mexdir = make_absolute_filename (args{1});
for name = sweep_functions ()
  printf ('### %s\n\n%s\n', name{1}, sweep_markdown (run_sweep (name{1}, mexdir)));
end
