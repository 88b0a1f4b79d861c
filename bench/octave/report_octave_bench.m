function report_octave_bench(tunedFile, untunedFile)
%REPORT_OCTAVE_BENCH Prints the end-to-end ratio tables of two runs of
%   bench_octave.m, the malloc-tuned run and the untuned one side by side.
%   Each ratio is the MEX's time per call divided by the other candidate's,
%   both measured in the same run: below 1 the MEX is faster.
  tuned = load(tunedFile);
  untuned = load(untunedFile);
  printf('\n## End to end in Octave (ms per call; ratios = MEX time / other time, same run)\n\n');
  printf('empty MEX: creates the same output matrices and nothing else (the host''s own cost).\n');
  printf('a + b: Octave adding two arrays of the output''s size. m-code: vectorised Octave code.\n');
  printf('scipy: scipy.spatial.transform.Rotation on the same data, in python (the conversions only).\n');
  printf('tuned: GLIBC_TUNABLES keeps freed memory for reuse (a first touch of a fresh page\n');
  printf('costs about 10 us here); untuned: glibc''s defaults.\n');
  for d = 1:numel(tuned.names)
    entries = tuned.results(tuned.results(:,1) == d, :);
    if isempty(entries)
      continue;
    end
    printf('\n### %s\n\n', tuned.names{d});
    withScipy = size(entries, 2) >= 7 && any(! isnan(entries(:, 7)));
    printf('| N | MEX ms | / empty MEX | / m-code | / a + b |%s untuned MEX ms | / empty MEX | / m-code | / a + b |%s\n', ...
           scipy_head(withScipy), scipy_head(withScipy));
    printf('|---:|---:|---:|---:|---:|---:|---:|---:|---:|%s\n', repmat('---:|', 1, 2 * withScipy));
    for r = 1:size(entries, 1)
      n = entries(r, 2);
      printf('| %g | %s |%s', n, ratio_cells(entries(r, 3:6)), scipy_cell(entries(r, :), withScipy));
      other = untuned.results(untuned.results(:,1) == d & untuned.results(:,2) == n, :);
      if isempty(other)
        printf(' - | - | - | - |%s\n', repmat(' - |', 1, withScipy));
      else
        printf(' %s |%s\n', ratio_cells(other(1, 3:6)), scipy_cell(other(1, :), withScipy));
      end
    end
  end
end

function text = ratio_cells(t)
  % t = [MEX, empty MEX, m-code, a + b] in seconds.
  text = sprintf('%.3f | %.2f | %.2f | %.2f', 1e3 * t(1), t(1) / t(2), t(1) / t(3), t(1) / t(4));
end

function text = scipy_head(withScipy)
  text = '';
  if withScipy
    text = ' / scipy |';
  end
end

% The MEX's time over scipy's, for the rows of the conversions.
function text = scipy_cell(entry, withScipy)
  text = '';
  if withScipy
    text = sprintf(' %.3f |', entry(3) / entry(7));
  end
end
