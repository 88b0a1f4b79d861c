% The mutation test, short (make mutate runs a long one): valid BVH files
% changed at random, a byte, a line or a number at a time; every outcome
% must be an error that names a line, or a parse that bvhwrite and bvhread
% give back unchanged (tools/bvh_mutation_run.m says how).

%!test
%! root = fileparts (fileparts (fileparts (which ("samebits"))));
%! addpath (fullfile (root, "tools"));
%! counts = bvh_mutation_run (200, 20260101, true);
%! assert (counts.faults, 0);
%! assert (counts.refused > 0 && counts.parsed > 0);
