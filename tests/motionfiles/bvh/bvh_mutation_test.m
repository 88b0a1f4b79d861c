% The mutation test, short (make mutate runs a long one): valid BVH files
% changed at random, a byte, a line or a number at a time; every outcome
% must be an error that names a line, or a parse that bvhwrite and bvhread
% give back unchanged and, where the m-code reader before it read the file
% right, the values it gave, bit for bit (tools/bvh_mutation_run.m says how).

%!test
%! root = fileparts (fileparts (fileparts (which ("samebits"))));
%! addpath (fullfile (root, "tools"));
%! addpath (fullfile (root, "bench", "octave"));
%! counts = bvh_mutation_run (300, 20260101, true, @mcode_bvhread);
%! assert (counts.faults, 0);
%! assert (counts.refused > 0 && counts.parsed > 0 && counts.agreed > 0);
