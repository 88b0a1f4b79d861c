function [results, failed] = motionmap(files, fun, varargin)
%MOTIONMAP Apply a function to every motion of a collection of motion files.
%   RESULTS = MOTIONMAP(FILES, FUN) reads each file of FILES with BVHREAD
%   and returns RESULTS{k} = FUN(SKEL, MOTION, FILES{k}) for each, in the
%   order of FILES. FUN gets the two outputs of BVHREAD and the file's name
%   and returns one value of any kind (joint positions, features, a clip).
%   The reader is chosen by the file's extension (in any case): .c3d
%   C3DREAD, .trc TRCREAD, .mot and .sto MOTREAD, each giving FUN(D, [],
%   FILE); .amc ASFREAD with its skeleton (<subject>.asf beside
%   <subject>_<trial>.amc, as the motion database names them, or else the
%   one .asf file of its folder; with neither, the file fails with the
%   message of rotkit:motionmap:skeleton), .asf ASFREAD alone (MOTION []);
%   any other file BVHREAD.
%   FILES is a cell array of file names (RESULTS has its shape), one file
%   name (a character row), a string array (MATLAB), or the struct array
%   that DIR returns (each entry's folder and name).
%
%   [RESULTS, FAILED] = MOTIONMAP(...) also returns a logical array of the
%   shape of RESULTS, true for every file that failed. A file fails when
%   its reader cannot read it or FUN raises an error on it; its entry of
%   RESULTS then holds the error message (a character row) in place of a
%   result, and the other files go on. Test FAILED, not the class of
%   RESULTS{k}: FUN may itself return text.
%
%   Options, as name/value pairs after FUN (names in any case):
%     'Workers', N     read and process the files in N worker processes on
%                      this machine. In GNU Octave through PARCELLFUN of the
%                      parallel package (loaded here when it is installed;
%                      without it the files are done one by one, with a
%                      warning), which uses at most as many processes as
%                      there are cores. In MATLAB through PARFOR on the open
%                      pool (one is opened as the pool preferences say).
%                      0, the default in Octave, works in this process. The
%                      default in MATLAB is the size of the open pool, or 0
%                      with none.
%     'Servers', C     run on the servers of a cluster of Octave's parallel
%                      package, through NETCELLFUN: C is what PCONNECT
%                      returned. Each server runs as many workers as it
%                      has cores (see NETWORK_SET). The servers need
%                      the toolbox on their path (MOTIONMAP too: the job
%                      sent to them is one of its local functions) and
%                      the files under the same names. Not with 'Workers'.
%     'Progress', P    true shows a progress line on stderr, false shows
%                      none; 'auto' (the default) shows it on long runs:
%                      working here, once the run has taken 2 seconds; with
%                      workers, when there are 100 files or more (about 5
%                      seconds for two workers at 0.1 s a file): then
%                      PARCELLFUN shows its own line. NETCELLFUN and
%                      MATLAB's PARFOR show none.
%   Whatever runs the files, each result is computed by the same code on
%   the same data, so RESULTS are the same bits as in a run in this process.
%
%   Threads: a compiled function of the toolbox splits a large call over
%   one thread per core (ROTKIT_NUM_THREADS sets another count). Worker
%   processes already share the cores, so in each of them (Workers, Servers,
%   and MATLAB's PARFOR) every compiled function runs on one thread, unless
%   ROTKIT_NUM_THREADS is set here when MOTIONMAP is called: the workers
%   then use that count, setenv('ROTKIT_NUM_THREADS', '4') for instance.
%   Threads change speed, never bits.
%
%   GNU Octave's parallel package (4.0.1 checked), and what MOTIONMAP does
%   about its faults:
%   - Any error inside a PARCELLFUN worker reaches the caller only as
%     "__parcellfun_get_next_result__: could not receive result", while the
%     worker prints "execution error" on its stderr, and the ErrorHandler
%     option is handed a stale error of the worker's start instead of the
%     real one. So MOTIONMAP catches each file's error inside the worker and
%     sends it back as that file's result. In calls of your own, the usual
%     causes of that message are a bare call, parcellfun(2, @(q)
%     rotcompose(q, q), c), which asks the workers for no output (ROTCOMPOSE
%     refuses such a call), and an anonymous function that calls a function
%     the workers cannot see (a local function of a file).
%   - A handle to a MEX function given to PARCELLFUN as its function, as in
%     parcellfun(2, @rotcompose, a, b), is kept by the package until the
%     process ends, and destroying it then crashes Octave as it exits
%     (status 139). MOTIONMAP hands FUN to the workers with each file
%     instead.
%   - Servers: start PSERVER on each server machine, connect from here with
%     PCONNECT, put the toolbox on the servers' path, and give the
%     connections (TLS is set up with PARALLEL_GENERATE_SRP_DATA):
%       connections = pconnect({'node1', 'node2'});
%       reval('addpath(''/opt/rotkit'');', connections);   % the toolbox folder there
%       [results, failed] = motionmap(files, fun, 'Servers', connections);
%       sclose(connections);
%     The servers need the MEX files built for their platform (the folder
%     that a build or BUILD_MEX makes there) and the files under the same
%     names (a shared folder). PCONNECT always uses the ports 12501 and
%     12502, PSERVER refuses to run as root, and PSERVER(OPTIONS) refuses
%     every options struct, so a server without TLS is started with the
%     program itself: octave-pserver --octave-binary=... --no-auth (in
%     /usr/libexec on Debian).
%   In MATLAB, MOTIONMAP runs a PARFOR over the files when a pool is open or
%   'Workers' is given; without the Parallel Computing Toolbox it runs in
%   this process. On a cluster the workers need the MEX files built for the
%   cluster's platform (BUILD_MEX on a machine of that platform) and the
%   toolbox folder on their path, for instance as the pool's attached files
%   or in a shared folder named in AdditionalPaths, and the files under the
%   same names:
%       pool = parpool('MyCluster', 64, 'AttachedFiles', {'build/rotkit'});
%       results = motionmap(dir('/shared/capture/**/*.bvh'), fun);
%   (This path has not been run: the toolbox is developed without MATLAB.)
%
%   The workers are other processes: FUN and what it uses must be known
%   there. A handle to a function on the path, or an anonymous function of
%   such functions and of values it captures, goes to every worker; a
%   handle to a function defined at the prompt or inside a script does
%   not. A worker that stops without a result (it crashed, or FUN returned
%   something that cannot be sent between processes) raises an error that
%   says so; run without workers to see what happened.
%
%   Errors, with their identifiers (err.identifier in a catch), before any
%   file is read:
%     rotkit:motionmap:files             FILES is none of the forms above
%     rotkit:motionmap:fun               FUN is not a function handle
%     rotkit:motionmap:optionPairs       options not in name/value pairs
%     rotkit:motionmap:unknownOption     a name other than Workers,
%                                        Servers and Progress
%     rotkit:motionmap:workersValue      Workers not a whole number >= 0
%     rotkit:motionmap:serversNeedOctave Servers in MATLAB: open a pool on
%                                        the cluster (parpool) and give
%                                        Workers instead
%     rotkit:motionmap:serversValue      Servers not what PCONNECT returns
%     rotkit:motionmap:progressValue     Progress not true, false or 'auto'
%     rotkit:motionmap:workersAndServers both Workers and Servers
%   and with workers, when one of them ends without a result (it crashed,
%   or FUN returned a value that cannot be sent between processes; run
%   without Workers to see it):
%     rotkit:motionmap:workerStopped
%   The warning rotkit:motionmap:noParallelPackage says that the files are
%   done one by one, in GNU Octave without the parallel package.
%
%   Examples: the sample walk has 120 frames of 26 joints, as markers in
%   its C3D and TRC files; a missing file fails with BVHREAD's message; two
%   workers give the same results.
%     >> file = fullfile(fileparts(which('bvhread')), 'samples', 'walk.bvh');
%     >> frames = motionmap({file}, @(s, m, f) size(m.rootPositions, 2))
%     frames =
%     {
%       [1,1] = 120
%     }
%     >> folder = fileparts(file);
%     >> markers = motionmap(fullfile(folder, {'walk.c3d', 'walk.trc'}), @(d, m, f) numel(d.labels))
%     markers =
%     {
%       [1,1] = 26
%       [1,2] = 26
%     }
%     >> joints = @(s, m, f) numel(s.names);
%     >> [counts, failed] = motionmap({file, 'missing.bvh'}, joints)
%     counts =
%     {
%       [1,1] = 26
%       [1,2] = bvhread: cannot open "missing.bvh".
%     }
%     failed =
%       0  1
%     >> pose = @(s, m, f) posechain(s.parents, s.offsets, ...
%     ..                             m.rootPositions, m.localRotations);
%     >> files = {file, file, file};
%     >> here = motionmap(files, pose);
%     >> same = isequal(motionmap(files, pose, 'Workers', 2), here)
%     same = 1
%
%
%   See also BVHREAD, C3DREAD, TRCREAD, MOTREAD, ASFREAD, POSECHAIN, PARCELLFUN, NETCELLFUN, PARFOR.

  paths = fileList(files);
  if ~isa(fun, 'function_handle')
    error('rotkit:motionmap:fun', 'motionmap: FUN must be a function handle, called as FUN(SKEL, MOTION, FILE).');
  end
  options = parseOptions(varargin);

  results = cell(size(paths));
  failed = false(size(paths));
  if isempty(paths)
    return
  end
  % FUN goes to the workers with each file rather than inside the job's
  % function: parcellfun keeps the job's function until the next job or the
  % end of the process, and a handle to a compiled function kept there
  % crashes Octave as it exits (parallel 4.0.1).
  funs = repmat({fun}, size(paths));
  manyFiles = numel(paths) >= 100;

  if options.hasServers
    threads = repmat({workerThreads()}, size(paths));
    [results, failedCells] = netcellfun(options.servers, @readAndApplyOnWorker, paths, funs, threads, ...
                                        'UniformOutput', false);
    failed = reshape([failedCells{:}], size(paths));
  elseif exist('OCTAVE_VERSION', 'builtin')
    if options.workers > 0 && parallelPackage()
      verbose = isequal(options.progress, true) || (strcmp(options.progress, 'auto') && manyFiles);
      [results, failed] = mapOnWorkers(paths, funs, options.workers, verbose);
    else
      [results, failed] = mapHere(paths, funs, options.progress);
    end
  else
    workers = options.workers;
    if isempty(workers)
      workers = openPoolSize();
    end
    if workers > 0
      [results, failed] = mapWithParfor(paths, funs, workers);
    else
      [results, failed] = mapHere(paths, funs, options.progress);
    end
  end
end

% The job of one file, here or in a worker: every error is caught, so that
% a worker always returns its two outputs (parcellfun reports any error in
% a worker only as "could not receive result", and its ErrorHandler is
% given a stale error there).
function [result, failed] = readAndApply(file, fun)
  try
    [skel, motion] = readMotion(file);
    result = fun(skel, motion, file);
    failed = false;
  catch err
    result = err.message;
    failed = true;
  end
end

% The reader of a file, chosen by its extension.
function [skel, motion] = readMotion(file)
  [folder, name, extension] = fileparts(file);
  motion = [];
  switch lower(extension)
    case '.c3d'
      skel = c3dread(file);
    case '.trc'
      skel = trcread(file);
    case {'.mot', '.sto'}
      skel = motread(file);
    case '.asf'
      skel = asfread(file);
    case '.amc'
      [skel, motion] = asfread(skeletonOf(folder, name), file);
    otherwise
      [skel, motion] = bvhread(file);
  end
end

% The ASF file of an AMC file: <subject>.asf beside <subject>_<trial>.amc,
% else the one ASF file of its folder.
function asf = skeletonOf(folder, name)
  cut = find(name == '_', 1, 'last');
  if ~isempty(cut)
    asf = fullfile(folder, [name(1:cut - 1), '.asf']);
    if exist(asf, 'file') == 2
      return
    end
  end
  found = dir(fullfile(folder, '*.asf'));
  if numel(found) ~= 1
    error('rotkit:motionmap:skeleton', ['motionmap: no skeleton for "%s": neither <subject>.asf beside ' ...
          '<subject>_<trial>.amc nor a single .asf file in its folder.'], name);
  end
  asf = fullfile(folder, found(1).name);
end

% The same in a worker process, with ROTKIT_NUM_THREADS set to THREADS
% for the file (workerThreads) and then put back.
function [result, failed] = readAndApplyOnWorker(file, fun, threads)
  previous = getenv('ROTKIT_NUM_THREADS');
  setenv('ROTKIT_NUM_THREADS', threads);
  restore = onCleanup(@() setenv('ROTKIT_NUM_THREADS', previous));
  [result, failed] = readAndApply(file, fun);
end

% The thread count of a compiled function in a worker process: the one
% set here, or one, since the workers share the cores.
function threads = workerThreads()
  threads = getenv('ROTKIT_NUM_THREADS');
  if isempty(threads)
    threads = '1';
  end
end

function [results, failed] = mapHere(paths, funs, progress)
  results = cell(size(paths));
  failed = false(size(paths));
  count = numel(paths);
  started = tic;
  shown = false;
  for k = 1:count
    [results{k}, failed(k)] = readAndApply(paths{k}, funs{k});
    if isequal(progress, true) || (strcmp(progress, 'auto') && toc(started) >= 2)
      % The form of parcellfun's own progress line.
      fprintf(2, '\rmotionmap: %d/%d files done', k, count);
      shown = true;
    end
  end
  if shown
    fprintf(2, '\n');
  end
end

% Octave: parcellfun's worker processes.
function [results, failed] = mapOnWorkers(paths, funs, workers, verbose)
  failedCells = {};
  try
    if exist('OCTAVE_VERSION', 'builtin')
      threads = repmat({workerThreads()}, size(paths));
      [results, failedCells] = parcellfun(workers, @readAndApplyOnWorker, paths, funs, threads, ...
                                          'UniformOutput', false, 'VerboseLevel', double(verbose));
    end
  catch err
    if isempty(strfind(err.message, 'could not receive result'))
      rethrow(err);
    end
    error('rotkit:motionmap:workerStopped', ['motionmap: a worker process stopped without returning its result ' ...
          '(%s): it crashed, or FUN returned a value that cannot be sent between processes. ' ...
          'Run without Workers to see it.'], err.message);
  end
  failed = reshape([failedCells{:}], size(paths));
end

% MATLAB: parfor on at most WORKERS workers of the pool.
function [results, failed] = mapWithParfor(paths, funs, workers)
  results = cell(size(paths));
  failed = false(size(paths));
  threads = workerThreads();
  parfor (k = 1:numel(paths), workers)
    [results{k}, failed(k)] = readAndApplyOnWorker(paths{k}, funs{k}, threads);
  end
end

function count = openPoolSize()
  count = 0;
  if exist('gcp', 'file')
    pool = gcp('nocreate');
    if ~isempty(pool)
      count = pool.NumWorkers;
    end
  end
end

% True when parcellfun can be called, loading the package if it is
% installed; a warning says that the files are done here otherwise.
function ok = parallelPackage()
  ok = exist('parcellfun', 'file') ~= 0;
  if ~ok && exist('OCTAVE_VERSION', 'builtin')
    try
      pkg('load', 'parallel');
      ok = exist('parcellfun', 'file') ~= 0;
    catch
      ok = false;
    end
  end
  if ~ok
    warning('rotkit:motionmap:noParallelPackage', ['motionmap: the parallel package is not installed ' ...
            '(Debian: octave-parallel); the files are done one by one.']);
  end
end

function paths = fileList(files)
  if isa(files, 'string')
    files = cellstr(files);
  end
  if ischar(files) && size(files, 1) <= 1
    paths = {files};
  elseif isstruct(files) && isfield(files, 'name')
    paths = cell(size(files));
    for k = 1:numel(files)
      paths{k} = files(k).name;
      if isfield(files, 'folder')
        paths{k} = fullfile(files(k).folder, files(k).name);
      end
    end
  elseif iscell(files) && all(cellfun(@(f) ischar(f) && size(f, 1) <= 1, files(:)))
    paths = files;
  else
    error('rotkit:motionmap:files', ['motionmap: FILES must be a file name, a cell array of file names, ' ...
          'a string array or the struct array of dir.']);
  end
  % Names like '' become 1 x 0 rows, as bvhread expects.
  for k = 1:numel(paths)
    paths{k} = reshape(paths{k}, 1, []);
  end
end

function options = parseOptions(args)
  options = struct('workers', [], 'servers', [], 'hasServers', false, 'progress', 'auto');
  if mod(numel(args), 2) ~= 0
    error('rotkit:motionmap:optionPairs', 'motionmap: options come in name/value pairs.');
  end
  for k = 1:2:numel(args)
    name = args{k};
    value = args{k + 1};
    if ~ischar(name)
      name = '?';
    end
    switch lower(name)
      case 'workers'
        if ~(isnumeric(value) && isreal(value) && isscalar(value) && value >= 0 && isfinite(value) && value == round(value))
          error('rotkit:motionmap:workersValue', 'motionmap: Workers must be a whole number of at least 0.');
        end
        options.workers = double(value);
      case 'servers'
        if ~exist('OCTAVE_VERSION', 'builtin')
          error('rotkit:motionmap:serversNeedOctave', ['motionmap: Servers needs the parallel package of GNU Octave; ' ...
                'in MATLAB, open a pool on the cluster (parpool) and give Workers.']);
        end
        if ~isa(value, 'pconnections')
          error('rotkit:motionmap:serversValue', 'motionmap: Servers must be the connections that pconnect returns.');
        end
        options.servers = value;
        options.hasServers = true;
      case 'progress'
        if ischar(value) && strcmpi(value, 'auto')
          value = 'auto';
        elseif (islogical(value) || isnumeric(value)) && isscalar(value) && (value == 0 || value == 1)
          value = logical(value);
        else
          error('rotkit:motionmap:progressValue', 'motionmap: Progress must be true, false or ''auto''.');
        end
        options.progress = value;
      otherwise
        error('rotkit:motionmap:unknownOption', ['motionmap: unknown option "%s"; the options are Workers, ' ...
              'Servers and Progress.'], name);
    end
  end
  if ~isempty(options.workers) && options.hasServers
    error('rotkit:motionmap:workersAndServers', ['motionmap: give Workers or Servers, not both: each server runs ' ...
          'as many workers as it has cores.']);
  end
  if isempty(options.workers) && exist('OCTAVE_VERSION', 'builtin')
    options.workers = 0;
  end
end
