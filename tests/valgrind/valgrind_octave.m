% Octave's side of make test-valgrind-octave, run in one octave-cli under
% valgrind's memcheck: every Octave test of the compiled functions beyond
% the original four (their test folders), the tests of the oct-file
% binding (tests/host/octave), and every case of their input sweep, whose results
% are written out whole (to /dev/null), so that an element an output never
% got reaches a system call and memcheck names it. Those functions create
% their outputs uninitialised: an element a kernel misses cannot hide.
%   octave-cli valgrind_octave.m TOOLBOXDIR REPOSITORY [NAMES]
% NAMES (comma-separated) narrows the run. Exits with 1 when a test fails;
% memcheck's own exit code marks its findings.
1;  % a script that defines a function, not a function file

% Writes every element of a value (numeric, logical, char, and those inside
% structs and cells) to the file FID.
function write_whole (fid, value)
  if (iscell (value))
    for k = 1:numel (value)
      write_whole (fid, value{k});
    end
  elseif (isstruct (value))
    write_whole (fid, struct2cell (value(:)));
  elseif (isnumeric (value) || islogical (value) || ischar (value))
    fwrite (fid, double (value), 'double');
  end
end

args = argv ();
toolbox = args{1};
root = args{2};
addpath (toolbox);
addpath (fullfile (root, 'tests', 'support'));
addpath (fullfile (root, 'tests', 'sweep'));
[names, folders] = manifest_functions (root);
keep = ! ismember (names, {'rotcompose', 'rotreverse', 'rotblend', 'posechain'});
if (numel (args) >= 3)
  keep = keep & ismember (names, strsplit (args{3}, ','));
end
names = names(keep);
folders = folders(keep);

% A function's tests are in tests/<its folder>, or, for a family whose
% functions share their tests (tests/motionfiles/bvh for bvhread and
% bvhwrite), in the family's folders whose names begin its name.
files = {};
for k = 1:numel (folders)
  found = dir (fullfile (root, 'tests', folders{k}, '*_test.m'));
  if (isempty (found))
    family = fileparts (folders{k});
    shared = dir (fullfile (root, 'tests', family));
    shared = shared([shared.isdir] & arrayfun (@(d) strncmp (names{k}, d.name, numel (d.name)), shared'));
    for d = shared'
      found = [found; dir(fullfile (d.folder, d.name, '*_test.m'))];
    end
  end
  files = [files, fullfile({found.folder}, {found.name})];
end
% The BVH mutation test (hundreds of mutated files through the parser)
% takes some 20 minutes under memcheck; the parser's memory is the fuzz
% targets' and AddressSanitizer's to check, and its outputs are swept here.
files = unique (files(cellfun (@isempty, regexp (files, '_mutation_test\.m$', 'once'))));
found = dir (fullfile (root, 'tests', 'host', 'octave', '*_test.m'));
files = [files, fullfile({found.folder}, {found.name})];

failures = 0;
for k = 1:numel (files)
  [passed, total] = test (files{k}, 'quiet', stdout);
  printf ('%s: %d of %d passed\n', files{k}, passed, total);
  fflush (stdout);
  failures += total == 0 || passed < total;
end

sink = fopen ('/dev/null', 'w');
swept = sweep_functions ();
% A function that writes files (bvhwrite) writes where the sweep's kinds
% name them, a relative name: in the temporary folder, as the sweep does.
cd (tempdir ());
for k = 1:numel (names)
  if (! any (strcmp (swept, names{k})))
    continue;
  end
  cases = sweep_cases (names{k});
  for c = cases
    try
      outputs = cell (1, max (c.nlhs, 1));
      [outputs{:}] = feval (names{k}, c.args{:});
      write_whole (sink, outputs);
    catch
    end
  end
  printf ('%s: %d sweep cases\n', names{k}, numel (cases));
  fflush (stdout);
end
fclose (sink);
exit (failures > 0);
