function skip_test_file (reason)
  % skip_test_file (REASON) in a %!test block: the test file cannot run on
  % this system or for this user (REASON says why, and is printed). The
  % block then returns; the runner (octave_runner.m) exits with status 77,
  % which ctest counts as skipped, not passed. Where ROTKIT_NO_SKIP is set
  % (CI, which must run every test), a skip is a failure instead.
  global rotkit_skip_reason
  if (! isempty (getenv ("ROTKIT_NO_SKIP")))
    error ("cannot run here, and ROTKIT_NO_SKIP is set: %s", reason);
  end
  printf ("SKIPPED: %s\n", reason);
  rotkit_skip_reason = reason;
end
