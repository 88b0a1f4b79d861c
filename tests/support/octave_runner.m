% Runs the %!test and %!error blocks of one test file against the MEX files
% of a build: octave-cli octave_runner.m MEXDIR TESTFILE
% Exits with status 1 when a block fails or none ran, and with 77 (ctest's
% SKIP_RETURN_CODE) when a block called skip_test_file and none failed.
args = argv();
mexDir = args{1};
testFile = args{2};
addpath(mexDir);
addpath(fileparts(mfilename('fullpath')));
global rotkit_skip_reason
rotkit_skip_reason = '';
[passed, total] = test(testFile, 'quiet', stdout);
printf('%s: %d of %d passed\n', testFile, passed, total);
if total == 0 || passed < total
  exit(1);
elseif ~isempty(rotkit_skip_reason)
  printf('%s: skipped: %s\n', testFile, rotkit_skip_reason);
  exit(77);
end
