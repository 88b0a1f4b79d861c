% End-to-end benchmark of the time-series MEX files in Octave.
%   octave-cli bench_timeseries.m BUILDDIR [N]
% times rotvel, rotintegrate, rotinterp ('slerp' and 'spline') and
% rotunwrap on a smooth motion of N samples (default 1e6) every 0.01 s,
% with N queries between them, against the vectorised m-code a competent
% user writes for the same work (bench/octave/mcode_rot*.m) and against
% scipy's Slerp and RotationSpline (bench/python/scipy_timeseries_bench.py;
% NaN without scipy). Each time is the median of rounds after a warm-up
% call (time_calls.m), beside an empty MEX file that only creates the
% outputs (bench/octave/emptymex.cpp: the host's own cost of the call; two
% of the three for the spline's rates): run it with glibc's malloc tuned to keep freed memory
% (bench/run_bench.sh does), so that the heap is warm.
args = argv();
here = fileparts(mfilename('fullpath'));
addpath(here);
buildDir = args{1};
n = 1e6;
if numel(args) >= 2
  n = str2double(args{2});
end
addpath(fullfile(buildDir, 'rotkit'));
addpath(fullfile(buildDir, 'bench', 'mex'));
python = getenv('PYTHON');
if isempty(python)
  python = '/usr/bin/python3';
end
scipyScript = fullfile(here, '..', 'python', 'scipy_timeseries_bench.py');
budget = 1;
randn('seed', 9);
t = (0:n - 1) * 0.01;
Q = vec2rot(cumsum(0.05 * randn(3, n), 2));
W = rotvel(Q, t);
ti = t(1:end - 1) + 0.0037;
S = Q .* (1 - 2 * (rand(1, n) < 0.1));   % a tenth of the signs flipped

m = numel(ti);
cases = {
  'rotvel(Q, t)',            @() rotvel(Q, t),                @() emptymex([3 n], Q, t),       @() mcode_rotvel(Q, t),   ''
  'rotintegrate(W, t, q0)',  @() rotintegrate(W, t, Q(:, 1)), @() emptymex([4 n], W, t, Q(:, 1)), ...
                             @() mcode_rotintegrate(W, t, Q(:, 1)), ''
  'rotinterp(t, Q, ti)',     @() rotinterp(t, Q, ti),         @() emptymex([4 m], t, Q, ti),   @() mcode_rotinterp(t, Q, ti), 'slerp'
  'rotinterp(..., ''spline'')', @() rotinterp(t, Q, ti, 'spline'), @() emptymex([4 m], t, Q, ti), [], 'spline'
  '[Qi, Wi, Ai] = rotinterp(..., ''spline'')', @() threeOutputs(t, Q, ti), @() emptymex([4 m 3 m], t, Q, ti), [], ''
  'rotunwrap(Q)',            @() rotunwrap(S),                @() emptymex([4 n], S),          @() mcode_rotunwrap(S),   ''
};

function [q, w, a] = threeOutputs(t, Q, ti)
  [q, w, a] = rotinterp(t, Q, ti, 'spline');
end

printf('| call, N = %g | MEX (ms) | empty MEX (ms) | m-code (ms) | m-code / MEX | scipy (ms) | scipy / MEX |\n', n);
printf('|---|---:|---:|---:|---:|---:|---:|\n');
for c = 1:rows(cases)
  calls = cases(c, 2:3);
  if ~isempty(cases{c, 4})
    calls{end + 1} = cases{c, 4};
  end
  seconds = time_calls(calls, budget);
  mcode = NaN;
  if numel(seconds) > 2
    mcode = seconds(3);
  end
  scipy = NaN;
  if ~isempty(cases{c, 5})
    scipy = time_scipy(python, scipyScript, cases{c, 5}, n, {t, Q, ti}, budget);
  end
  printf('| %s | %.1f | %.1f | %.1f | %.1f | %.1f | %.1f |\n', cases{c, 1}, 1e3 * seconds(1), 1e3 * seconds(2), ...
         1e3 * mcode, mcode / seconds(1), 1e3 * scipy, scipy / seconds(1));
  fflush(stdout);
end
