% build_mex.m as a MATLAB user runs it, with Octave's mex in MATLAB's
% place: build_mex(OUTDIR, 'mex') compiles every function of
% src/functions.txt into MEX files, with what build_mex_test.m checks of
% the oct-files (check_build_mex.m). A test of its own, so that each of the
% two builds has the test time of one. It builds the toolbox its own way,
% so it runs once, not per build.
% ctest BUILDS: oct

%!test
%! root = fileparts (fileparts (fileparts (which ("samebits"))));
%! check_build_mex (root, "mex", ".mex");
