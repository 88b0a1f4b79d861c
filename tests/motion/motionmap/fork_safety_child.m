% Every compiled function of a build (its oct-files or its MEX files),
% called with inputs large enough to split over worker threads: first here,
% then in a child made by fork() (which has the compiled functions loaded
% and their pools' memory, but not their threads),
% then in parcellfun's worker processes; every result must have the bits
% of the first. Run by fork_safety_test.m under `timeout`, so that a
% deadlock ends the run:
%   octave-cli fork_safety_child.m MEXDIR REPOSITORY
% Prints one line per function and stage; exits with 0 when every result
% matched, 1 otherwise.
args = argv();
mexDir = args{1};
root = args{2};
addpath(mexDir);
addpath(fullfile(root, 'tests', 'support'));
addpath(fullfile(root, 'tests', 'parallel'));
pkg load parallel

names = compiled_functions(mexDir);
calls = cell(size(names));
for k = 1:numel(names)
  calls{k} = large_call(names{k}, 2^20);
end
printf('%d functions: %s\n', numel(names), strjoin(names, ' '));

% Here first: every MEX file starts its worker threads.
expected = cell(size(names));
for k = 1:numel(names)
  expected{k} = feval(names{k}, calls{k}{:});
end

failures = 0;
% A forked child: the parent's worker threads do not exist there; its
% first calls must start pools of its own and give the same bits, and its
% exit must not wait for the parent's threads.
child = fork();
if child == 0
  same = true;
  for k = 1:numel(names)
    same = same && samebits(feval(names{k}, calls{k}{:}), expected{k});
  end
  exit(double(~same));
end
deadline = time() + 60;
status = [];
while isempty(status) && time() < deadline
  [done, code] = waitpid(child, WNOHANG());
  if done == child
    status = code;
  else
    pause(0.05);
  end
end
if isempty(status)
  kill(child, 9);
  waitpid(child);
  printf('forked child: no exit within 60 s (deadlock?)\n');
  failures++;
elseif ~(WIFEXITED(status) && WEXITSTATUS(status) == 0)
  printf('forked child: other bits, or it died (status %d)\n', status);
  failures++;
else
  printf('forked child: every function, same bits\n');
end

% The parent's pools still work after the fork.
for k = 1:numel(names)
  if ~samebits(feval(names{k}, calls{k}{:}), expected{k})
    printf('%s: other bits here after the fork\n', names{k});
    failures++;
  end
end

% parcellfun's workers (fresh processes that load the MEX files on their
% first call), each function twice so both workers are likely to run it.
jobs = [1:numel(names), 1:numel(names)];
results = parcellfun(2, @(name, inputs) feval(name, inputs{:}), names(jobs), calls(jobs), ...
                     'UniformOutput', false);
for j = 1:numel(jobs)
  k = jobs(j);
  if ~samebits(results{j}, expected{k})
    printf('%s: other bits in a parcellfun worker\n', names{k});
    failures++;
  end
end
printf('parcellfun workers: %d calls compared\n', numel(jobs));
exit(double(failures > 0));
