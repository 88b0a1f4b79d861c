function seconds = time_calls(calls, budget)
%TIME_CALLS Median time of one call of each function handle in CALLS.
%   SECONDS = TIME_CALLS(CALLS, BUDGET) times the handles of the cell array
%   CALLS in rounds, one batch of each per round, so that drift in the
%   machine's load affects all of them alike; a batch repeats a call for
%   about BUDGET/5 seconds (at least once). Every handle is called once
%   first, so that caches and the heap are warm. SECONDS(k) is the median
%   over the rounds of the time per call of CALLS{k}.
  count = numel(calls);
  perBatch = ones(1, count);
  slowest = 0;
  for k = 1:count
    out = calls{k}();                 % warm-up; the result is assigned, as a user's would be
    tic; out = calls{k}(); once = toc;
    perBatch(k) = max(1, round(budget / 5 / max(once, 1e-7)));
    slowest = max(slowest, once);
  end
  rounds = 5;
  if slowest > 1
    rounds = 3;                       % calls of seconds each: fewer rounds
  end
  perCall = zeros(rounds, count);
  for r = 1:rounds
    for k = 1:count
      f = calls{k};
      n = perBatch(k);
      tic;
      for i = 1:n
        out = f();
      end
      perCall(r, k) = toc / n;
      clear out;
    end
  end
  seconds = median(perCall, 1);
end
