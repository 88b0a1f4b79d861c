function build_mex(outdir, kind)
%BUILD_MEX Build the toolbox with MATLAB's mex or Octave's mkoctfile.
%   BUILD_MEX compiles every function listed in src/functions.txt into the
%   folder build/rotkit beside this file, and copies there each function's
%   help text and every m-file of toolbox/rotkit, so that afterwards
%
%      addpath(fullfile(pwd, 'build', 'rotkit'))
%
%   gives every function of the toolbox and its help. BUILD_MEX(OUTDIR)
%   builds into OUTDIR instead.
%
%   MATLAB gets MEX files. Octave gets oct-files, its native interface, on
%   which the functions make their outputs without the MEX interface's
%   copies (the same results, bit for bit); BUILD_MEX(OUTDIR, 'mex') builds
%   Octave's MEX files instead. Put only one of the two builds on the path:
%   with f.oct and f.mex in one folder, Octave calls f.oct.
%
%   The compiler flags come from src/flags.txt, which every build of the
%   toolbox reads: results are defined bit for bit, so no compiler may
%   contract a product and a sum into a fused multiply-add, and fast-math
%   is never used. MATLAB needs a C++ compiler set up (mex -setup C++):
%   GCC or Clang on Linux and macOS, MinGW-w64 or Microsoft Visual C++ on
%   Windows. Warnings are not errors here.

  root = fileparts(mfilename('fullpath'));
  if nargin < 1 || isempty(outdir)
    outdir = fullfile(root, 'build', 'rotkit');
  end
  isOctave = exist('OCTAVE_VERSION', 'builtin') ~= 0;
  if nargin < 2
    kind = 'oct';
  end
  if ~isOctave
    kind = 'mex';
  elseif ~any(strcmp(kind, {'oct', 'mex'}))
    error('build_mex: KIND must be ''oct'' or ''mex''.');
  end
  if ~exist(outdir, 'dir')
    mkdir(outdir);
  end
  functions = readFunctions(fullfile(root, 'src', 'functions.txt'));
  flags = readFlags(fullfile(root, 'src', 'flags.txt'));

  % Objects go to a folder of their own, which is removed afterwards.
  objdir = tempname();
  mkdir(objdir);
  here = pwd();
  cleanup = onCleanup(@() leaveObjects(here, objdir));
  cd(objdir);
  if strcmp(kind, 'oct')
    binding = compileOctBinding(root, flags);
  end
  for f = 1:numel(functions)
    fn = functions(f);
    sources = sourcesOf(root, fn);
    if strcmp(kind, 'oct')
      built = buildOct(root, outdir, fn.name, [sources, binding], flags);
    elseif isOctave
      built = buildOctave(root, outdir, fn.name, sources, flags);
    else
      built = buildMatlab(root, outdir, fn.name, sources, flags);
    end
    copyfile(fullfile(root, 'src', fn.folder, [fn.name '.m']), outdir);
    fprintf('built %s\n', built);
  end
  copyfile(fullfile(root, 'toolbox', 'rotkit', '*'), outdir);
  fprintf('copied the m-files of toolbox/rotkit to %s\n', outdir);
end

function functions = readFunctions(file)
  % One line per function: its name, its folder under src/, and folders
  % whose .cpp files it is compiled with as well.
  functions = struct('name', {}, 'folder', {}, 'shared', {});
  for line = manifestLines(file)
    words = regexp(line{1}, '\S+', 'match');
    functions(end + 1) = struct('name', words{1}, 'folder', words{2}, ... %#ok<AGROW>
                                'shared', {words(3:end)});
  end
end

function flags = readFlags(file)
  % Lines 'key: flags', such as 'gcc.fp: -ffp-contract=off ...'.
  flags = struct();
  for line = manifestLines(file)
    parts = regexp(line{1}, '^([\w.]+):\s*(.*)$', 'tokens', 'once');
    flags.(strrep(parts{1}, '.', '_')) = strtrim(parts{2});
  end
end

function lines = manifestLines(file)
  % The lines of a manifest, comments and blank lines left out.
  text = fileread(file);
  lines = regexprep(regexp(text, '\r?\n', 'split'), '#.*$', '');
  lines = strtrim(lines);
  lines = lines(~cellfun(@isempty, lines));
end

function sources = sourcesOf(root, fn)
  % The gateway first, then the kernel: the other .cpp files of the
  % folder and of the shared folders (a shared folder may be another
  % function's: its gateway stays out).
  folder = fullfile(root, 'src', fn.folder);
  gateway = [fn.name '_gateway.cpp'];
  sources = {fullfile(folder, gateway)};
  for dirName = [{fn.folder}, fn.shared]
    files = dir(fullfile(root, 'src', dirName{1}, '*.cpp'));
    names = {files.name};
    names = names(cellfun(@isempty, regexp(names, '_gateway\.cpp$', 'once')));
    if ~isempty(names)        % fullfile of no names would give the folder itself
      sources = [sources, fullfile(root, 'src', dirName{1}, names)]; %#ok<AGROW>
    end
  end
end

function built = buildOctave(root, outdir, name, sources, flags)
  % Octave's mex takes its compiler flags from the environment.
  oldFlags = getenv('CXXFLAGS');
  restore = onCleanup(@() setenv('CXXFLAGS', oldFlags));
  setenv('CXXFLAGS', strjoin({flags.gcc_optimize, flags.gcc_std, flags.gcc_fp, '-fPIC'}, ' '));
  built = fullfile(outdir, [name '.mex']);
  mex(['-I' fullfile(root, 'src')], '-o', built, sources{:});
end

function objects = compileOctBinding(root, flags)
  % The oct-file binding (src/host/octave), compiled once for every
  % oct-file; its entry point is compiled per function.
  files = dir(fullfile(root, 'src', 'host', 'octave', '*.cpp'));
  files = setdiff({files.name}, {'octfile_entry.cpp'});
  objects = cell(1, numel(files));
  restore = octFlags(root, flags); %#ok<NASGU>
  for k = 1:numel(files)
    objects{k} = fullfile(pwd(), strrep(files{k}, '.cpp', '.o'));
    if exist('OCTAVE_VERSION', 'builtin')
      mkoctfile('-c', fullfile(root, 'src', 'host', 'octave', files{k}), '-o', objects{k});
    end
  end
end

function built = buildOct(root, outdir, name, sources, flags)
  % The gateway unchanged, under Octave's native entry point for NAME.
  restore = octFlags(root, flags); %#ok<NASGU>
  built = fullfile(outdir, [name '.oct']);
  if exist('OCTAVE_VERSION', 'builtin')
    mkoctfile(['-DROTKIT_FUNCTION=' name], '-o', built, sources{:}, ...
              fullfile(root, 'src', 'host', 'octave', 'octfile_entry.cpp'));
  end
end

function restore = octFlags(root, flags)
  % mkoctfile takes its compiler flags from the environment, and puts
  % CPPFLAGS before its own include folders: the binding's mex.h must be
  % the one src/host/host.h finds.
  names = {'CXXFLAGS', 'CPPFLAGS'};
  old = cellfun(@getenv, names, 'UniformOutput', false);
  restore = onCleanup(@() setVariables(names, old));
  setenv('CXXFLAGS', strjoin({flags.gcc_optimize, flags.gcc_std, flags.gcc_fp, flags.gcc_octfile}, ' '));
  setenv('CPPFLAGS', ['-I' fullfile(root, 'src', 'host', 'octave') ' -I' fullfile(root, 'src')]);
end

function setVariables(names, values)
  for k = 1:numel(names)
    setenv(names{k}, values{k});
  end
end

function built = buildMatlab(root, outdir, name, sources, flags)
  % The compiler that mex -setup C++ selected: Microsoft's (its flags in
  % COMPFLAGS), MinGW-w64 (MATLAB's add-on; GCC's flags, and its C++
  % runtime linked in, as MATLAB has no MinGW DLLs on its path), or GCC and
  % Clang on Linux and macOS.
  compiler = mex.getCompilerConfigurations('C++', 'Selected');
  compilerName = lower(compiler.Name);
  if ispc() && ~isempty(strfind(compilerName, 'microsoft'))
    options = {['COMPFLAGS=$COMPFLAGS ' flags.msvc_std ' ' flags.msvc_fp], ...
               ['OPTIMFLAGS=' flags.msvc_optimize]};
  else
    options = {['CXXFLAGS=$CXXFLAGS ' flags.gcc_std ' ' flags.gcc_fp], ...
               ['CXXOPTIMFLAGS=' flags.gcc_optimize]};
    if ispc() && ~isempty(strfind(compilerName, 'mingw'))
      options{end + 1} = ['LDFLAGS=$LDFLAGS ' flags.mingw_link];
    end
  end
  mex('-R2017b', ['-I' fullfile(root, 'src')], options{:}, '-output', name, '-outdir', outdir, sources{:});
  built = fullfile(outdir, [name '.' mexext()]);
end

function leaveObjects(here, objdir)
  cd(here);
  rmdir(objdir, 's');
end
