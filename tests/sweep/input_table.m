% Prints the input-handling tables of every function as the sweep observes
% them, for docs/input_handling.md:
%   octave-cli tests/sweep/input_table.m MEXDIR
args = argv ();
% The sweep runs each call from a folder of its own: the path must not be relative.
args{1} = make_absolute_filename (args{1});
addpath (fileparts (mfilename ('fullpath')));
for name = sweep_functions ()
  printf ('### %s\n\n%s\n', name{1}, sweep_markdown (run_sweep (name{1}, args{1})));
end
