function inputs = fork_safety_large_call(name, columns)
%FORK_SAFETY_LARGE_CALL The input sweep's good call of NAME, grown to about
%   COLUMNS columns so that the call splits over worker threads.
%   The sweep's good call (tests/sweep/sweep_good_NAME.m) does not say which
%   inputs carry the columns (posechain's frames, not its joints), so this
%   finds out: the inputs whose last dimension has one size d > 1 are
%   repeated 3 times along it, and d is taken when the output's last
%   dimension grows 3 times too. Those inputs are then repeated to about
%   COLUMNS columns, every column scaled a little differently so that no two
%   are equal.
  good = feval(['sweep_good_' name]);
  [goodOut, ~] = lastSize(feval(name, good{:}));
  for d = sort(unique(cellfun(@lastSizeOf, good)), 'descend')
    if d < 2
      break
    end
    carries = cellfun(@(x) isnumeric(x) && lastSizeOf(x) == d, good);
    try
      [trialOut, ~] = lastSize(feval(name, grow(good, carries, 3){:}));
    catch
      continue
    end
    if trialOut == 3 * goodOut
      inputs = grow(good, carries, ceil(columns / d));
      return
    end
  end
  error('fork_safety_large_call: no input of %s carries its columns', name);
end

function n = lastSizeOf(x)
  n = 0;
  if isnumeric(x)
    n = size(x, ndims(x));
  end
end

function [n, dims] = lastSize(x)
  dims = ndims(x);
  n = size(x, dims);
end

function inputs = grow(inputs, carries, factor)
  for k = find(carries)
    x = inputs{k};
    copies = ones(1, ndims(x));
    copies(end) = factor;
    x = repmat(x, copies);
    % A scale per column (1 + a few units of 2^-20), the same on every row.
    count = size(x, ndims(x));
    scale = reshape(1 + mod(0:count - 1, 97) * 2^-20, [ones(1, ndims(x) - 1), count]);
    inputs{k} = x .* scale;
  end
end
