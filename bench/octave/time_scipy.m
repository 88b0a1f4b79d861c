function seconds = time_scipy(python, script, name, n, inputs, budget)
%TIME_SCIPY scipy's median time per call of the conversion NAME on the
%   arrays INPUTS (rotkit's layout), by bench/python/scipy_bench.py in a
%   child python: the inputs go through raw files in a temporary folder,
%   and the layout is changed there outside the timing. NaN when python or
%   scipy is missing.
  folder = tempname();
  mkdir(folder);
  unwind_protect
    for k = 1:numel(inputs)
      fid = fopen(fullfile(folder, sprintf('input%d.f64', k)), 'w');
      fwrite(fid, inputs{k}, 'double');
      fclose(fid);
    end
    [status, output] = system(sprintf('"%s" "%s" %s %d "%s" %g', python, script, name, n, folder, budget));
    seconds = NaN;
    if status == 0
      seconds = str2double(strtrim(output));
    else
      printf('scipy timing of %s failed: %s\\n', name, output);
    end
  unwind_protect_cleanup
    confirm_recursive_rmdir(false, 'local');
    rmdir(folder, 's');
  end_unwind_protect
end
