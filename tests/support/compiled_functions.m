function names = compiled_functions (folder)
%COMPILED_FUNCTIONS The functions compiled into FOLDER, a toolbox folder of a
%   build: the names of its oct-files (build/rotkit) or of its MEX files
%   (build/rotkit-mex), in the order dir gives them.
  files = [dir(fullfile (folder, '*.oct')); dir(fullfile (folder, ['*.' mexext()]))];
  names = unique (regexprep ({files.name}, ['\.(oct|' mexext() ')$'], ''), 'stable');
end
