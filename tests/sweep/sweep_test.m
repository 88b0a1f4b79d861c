% The input sweep: every function called from octave-cli with every input
% class, every count of inputs and outputs, and shapes from empty to huge,
% each batch in a child process so that a call that kills Octave is caught
% and named (run_sweep.m, sweep_child.m). What the calls did must be what
% docs/input_handling.md says, table for table. Every function with a
% sweep_good_NAME.m in tests/sweep is swept. After a deliberate change
% of behaviour, print the new tables with tests/sweep/input_table.m.

%!function check_function (name)
%!  here = fullfile (fileparts (which ('samebits')), '..', 'sweep');
%!  addpath (here);
%!  cases = run_sweep (name, fileparts (which (name)));
%!  crashed = cases(strncmp ({cases.outcome}, 'CRASH', 5));
%!  for c = crashed
%!    printf ('%s crashed Octave: %s, %s (%s)\n', name, c.row, c.col, c.outcome);
%!  end
%!  assert (isempty (crashed), '%s: %d calls crashed Octave', name, numel (crashed));
%!  observed = sweep_markdown (cases);
%!  documented = fileread (fullfile (here, '..', '..', 'docs', 'input_handling.md'));
%!  if (isempty (strfind (documented, observed)))
%!    printf ('docs/input_handling.md does not hold what the sweep observed for %s:\n%s\n', name, observed);
%!    error ('the input table of %s does not match the sweep', name);
%!  end
%!endfunction

%!test
%! addpath (fullfile (fileparts (which ('samebits')), '..', 'sweep'));
%! for name = sweep_functions ()
%!   check_function (name{1});
%! end
