% build_mex.m as a user runs it at the Octave prompt: every function of
% src/functions.txt compiled into a folder of its own as oct-files (what
% Octave gets by default), help texts and the toolbox's m-files beside
% them, no fused multiply-add in what it built, and the same bits as the
% CMake build (check_build_mex.m; build_mex_mex_test.m builds the MEX
% files). It builds the toolbox its own way, so it runs once, not per
% build.
% ctest BUILDS: oct

%!test
%! root = fileparts (fileparts (fileparts (which ("samebits"))));
%! check_build_mex (root, "", ".oct");
