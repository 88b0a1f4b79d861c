% The input sweep: every function called from octave-cli with every input
% class, every count of inputs and outputs, and shapes from empty to huge,
% each batch in a child process so that a call that kills Octave is caught
% and named (run_sweep.m, sweep_child.m). What the calls did must be what
% docs/input_handling.md says, table for table, and every identifier raised
% must be the function's own and listed in its help text. Every function
% with a sweep_good_NAME.m in tests/sweep is swept. After a deliberate
% change of behaviour, print the new tables with tests/sweep/input_table.m.

%!function check_function (name)
%!  here = fullfile (fileparts (which ('samebits')), '..', 'sweep');
%!  addpath (here);
%!  cases = run_sweep (name, fileparts (which (name)));
%!  crashed = cases(strncmp ({cases.outcome}, 'CRASH', 5));
%!  for c = crashed
%!    printf ('%s crashed Octave: %s, %s (%s)\n', name, c.row, c.col, c.outcome);
%!  end
%!  assert (isempty (crashed), '%s: %d calls crashed Octave', name, numel (crashed));
%!  % The identifiers observed are the function's own, each listed in its
%!  % help text; the original four raise none.
%!  ids = regexp ({cases.outcome}, '\((rotkit:[^)]*)\)$', 'tokens', 'once');
%!  ids = unique ([ids{:}]);
%!  helpText = fileread (fullfile (fileparts (which (name)), [name '.m']));
%!  for id = ids
%!    assert (strncmp (id{1}, ['rotkit:' name ':'], numel (name) + 8), '%s raised %s', name, id{1});
%!    assert (! isempty (strfind (helpText, id{1})), 'the help text of %s does not list %s', name, id{1});
%!  end
%!  if (any (strcmp (name, {'rotcompose', 'rotreverse', 'rotblend', 'posechain'})))
%!    assert (isempty (ids), '%s raised identifiers', name);
%!  end
%!  % The docs' list of identifiers holds every one the help text lists.
%!  documented = fileread (fullfile (here, '..', '..', 'docs', 'input_handling.md'));
%!  listed = regexp (documented, ['\| `' name '` \| ([^\n]*) \|'], 'tokens', 'once');
%!  for reason = regexp (helpText, ['rotkit:' name ':(\w+)'], 'tokens')
%!    assert (! isempty (listed) && ! isempty (regexp (listed{1}, ['\<' reason{1}{1} '\>'], 'once')), ...
%!            'docs/input_handling.md does not list rotkit:%s:%s', name, reason{1}{1});
%!  end
%!  observed = sweep_markdown (cases);
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
