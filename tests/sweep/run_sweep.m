function cases = run_sweep (name, mexDir)
%RUN_SWEEP Runs every case of sweep_cases (NAME) in child octave-cli
%   processes against the MEX files in MEXDIR and returns the cases with a
%   field OUTCOME: "R x C double" for a result, the quoted message for an
%   error (and its identifier in parentheses, when it has one), or
%   "CRASH ..." when the call killed Octave. After a crash the
%   sweep goes on in a new child from the next case.
  cases = sweep_cases (name);
  [cases.outcome] = deal ('');
  octave = fullfile (OCTAVE_HOME (), 'bin', 'octave-cli');
  child = fullfile (fileparts (mfilename ('fullpath')), 'sweep_child.m');
  first = 1;
  while (first <= numel (cases))
    command = sprintf ('"%s" --norc --no-history --quiet "%s" "%s" %s %d 2>&1', octave, child, mexDir, name, first);
    [status, output] = system (command);
    running = 0;
    done = false;
    for line = strsplit (output, "\n")
      text = line{1};
      if (strncmp (text, '@@begin ', 8))
        running = str2double (text(9:end));
      elseif (strncmp (text, '@@end ', 6))
        [k, outcome] = strtok (text(7:end), "\t");
        cases(str2double (k)).outcome = outcome(2:end);
        running = 0;
      elseif (strcmp (text, '@@done'))
        done = true;
      end
    end
    if (done && status == 0)
      break;
    end
    if (running == 0)
      error ('run_sweep: the child for %s failed before any case (status %d):\n%s', name, status, output);
    end
    cases(running).outcome = sprintf ('CRASH (exit status %d)', status);
    first = running + 1;
  end
end
