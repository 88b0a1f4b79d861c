function seconds = time_scipy_angles(python, script, name, n, input)
%TIME_SCIPY_ANGLES scipy's median time per call of the Euler-angle or
%   rotation-vector conversion NAME on INPUT (rotkit's layout), by
%   bench/python/scipy_bench_angles.py in a child python (sequence 'ZXY'
%   for the Euler angles). NaN when python or scipy is missing.
  dataFile = [tempname() '.bin'];
  fid = fopen(dataFile, 'w');
  fwrite(fid, input, 'double');
  fclose(fid);
  [status, output] = system(sprintf('"%s" "%s" %s "%s" %d ZXY', python, script, name, dataFile, n));
  delete(dataFile);
  seconds = NaN;
  if status == 0
    seconds = str2double(strtrim(output));
  else
    printf('scipy timing of %s failed: %s\n', name, output);
  end
end
