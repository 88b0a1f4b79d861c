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
  printf('tuned: GLIBC_TUNABLES keeps freed memory for reuse (a first touch of a fresh page\n');
  printf('costs about 10 us here); untuned: glibc''s defaults.\n');
  for d = 1:numel(tuned.names)
    entries = tuned.results(tuned.results(:,1) == d, :);
    if isempty(entries)
      continue;
    end
    printf('\n### %s\n\n', tuned.names{d});
    printf('| N | MEX ms | / empty MEX | / m-code | / a + b | untuned MEX ms | / empty MEX | / m-code | / a + b |\n');
    printf('|---:|---:|---:|---:|---:|---:|---:|---:|---:|\n');
    for r = 1:size(entries, 1)
      n = entries(r, 2);
      printf('| %g | %s |', n, ratio_cells(entries(r, 3:6)));
      other = untuned.results(untuned.results(:,1) == d & untuned.results(:,2) == n, :);
      if isempty(other)
        printf(' - | - | - | - |\n');
      else
        printf(' %s |\n', ratio_cells(other(1, 3:6)));
      end
    end
  end

  % scipy on the same data (the conversions at N = 1e6), from the tuned run.
  if isfield(tuned, 'scipyResults') && !isempty(tuned.scipyResults)
    printf('\n### scipy.spatial.transform.Rotation on the same data (tuned run)\n\n');
    printf('| function | N | MEX ms | scipy ms | MEX / scipy |\n|---|---:|---:|---:|---:|\n');
    for r = 1:rows(tuned.scipyResults)
      d = tuned.scipyResults(r, 1); n = tuned.scipyResults(r, 2);
      mex = tuned.results(tuned.results(:,1) == d & tuned.results(:,2) == n, 3);
      printf('| %s | %g | %.3f | %.3f | %.4f |\n', tuned.names{d}, n, 1e3 * mex, 1e3 * tuned.scipyResults(r, 3), ...
             mex / tuned.scipyResults(r, 3));
    end
  end
end

function text = ratio_cells(t)
  % t = [MEX, empty MEX, m-code, a + b] in seconds.
  text = sprintf('%.3f | %.2f | %.2f | %.2f', 1e3 * t(1), t(1) / t(2), t(1) / t(3), t(1) / t(4));
end
