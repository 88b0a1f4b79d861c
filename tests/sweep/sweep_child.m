% One batch of the input sweep, run in a child octave-cli so that a call
% that kills Octave kills only this process:
%   octave-cli sweep_child.m MEXDIR NAME FIRST
% Runs cases FIRST, FIRST+1, ... of sweep_cases (NAME), each between a
% "@@begin K" and an "@@end K<TAB>OUTCOME" line, flushed at once; the last
% line is "@@done". A crash leaves "@@begin K" without its end.
args = argv ();
addpath (args{1});
addpath (fileparts (mfilename ('fullpath')));
name = args{2};
first = str2double (args{3});
% A function that writes files (bvhwrite) writes where the kinds name them,
% a relative name: here, in the temporary folder.
cd (tempdir ());
cases = sweep_cases (name);
for k = first:numel (cases)
  c = cases(k);
  printf ('@@begin %d\n', k);
  fflush (stdout);
  try
    switch (c.nlhs)
      case 0
        feval (name, c.args{:});
        outcome = 'returns';
      case 1
        r = feval (name, c.args{:});
        kind = class (r);
        if (iscomplex (r))
          kind = ['complex ' kind];
        end
        if (issparse (r))
          kind = ['sparse ' kind];
        end
        % Every dimension: rot2mat's 3 x 3 x N shows as such.
        outcome = sprintf ('%s %s', strjoin (arrayfun (@num2str, size (r), 'UniformOutput', false), ' x '), kind);
      otherwise
        [r, s] = feval (name, c.args{:});
        outcome = 'returns two outputs';
    end
  catch err
    % Octave puts the function's name before a MEX error message. The
    % identifier follows in parentheses; the original four raise none.
    outcome = ['"' regexprep(err.message, ['^' name ': '], '') '"'];
    if (! isempty (err.identifier))
      outcome = [outcome ' (' err.identifier ')'];
    end
  end
  printf ('@@end %d\t%s\n', k, outcome);
  fflush (stdout);
end
printf ('@@done\n');
