% poseglobal from Octave: posechain's bits with constant offsets, per-frame
% offsets of the sample walk stretched, global rotations against rotcompose
% chained by hand, every refusal with its identifier.

%!shared skel, motion
%! [skel, motion] = bvhread (fullfile (fileparts (which ("bvhread")), "samples", "walk.bvh"));

%!test
%! [P, G] = poseglobal (skel.parents, skel.offsets, motion.rootPositions, motion.localRotations);
%! assert (samebits (P, posechain (skel.parents, skel.offsets, motion.rootPositions, motion.localRotations)));
%! % G: each joint's parent's global rotation times its own local one.
%! J = numel (skel.parents);
%! for j = 2:J
%!   p = skel.parents(j);
%!   chained = rotcompose (G(4 * p - 3:4 * p, :), motion.localRotations(4 * j - 3:4 * j, :));
%!   assert (max (max (abs (chained - G(4 * j - 3:4 * j, :)))) < 1e-15);
%! end
%! % A set of offsets per frame, all equal: the same bits.
%! N = columns (motion.rootPositions);
%! assert (samebits (poseglobal (skel.parents, repmat (skel.offsets(:), 1, N), motion.rootPositions, ...
%!                               motion.localRotations), P));

%!test
%! % Bones that grow by half over the walk: every joint's distance from its
%! % parent is its offset's length, frame by frame.
%! N = columns (motion.rootPositions);
%! scale = linspace (1, 1.5, N);
%! offsets = repmat (skel.offsets(:), 1, N) .* scale;
%! P = poseglobal (skel.parents, offsets, motion.rootPositions, motion.localRotations);
%! for j = 2:numel (skel.parents)
%!   bone = P(3 * j - 2:3 * j, :) - P(3 * skel.parents(j) - 2:3 * skel.parents(j), :);
%!   assert (sqrt (sum (bone .^ 2, 1)), norm (skel.offsets(:, j)) * scale, 1e-9);
%! end

%!error id=rotkit:poseglobal:notEnoughInputs poseglobal (1, 2, 3)
%!error id=rotkit:poseglobal:tooManyOutputs [a, b, c] = poseglobal (skel.parents, skel.offsets, motion.rootPositions, motion.localRotations)
%!error id=rotkit:poseglobal:notRealDouble poseglobal (int32 (skel.parents), skel.offsets, motion.rootPositions, motion.localRotations)
%!error id=rotkit:poseglobal:rootRows poseglobal (skel.parents, skel.offsets, motion.rootPositions(1:2, :), motion.localRotations)
%!error id=rotkit:poseglobal:rotationShape poseglobal (skel.parents, skel.offsets, motion.rootPositions, motion.localRotations(1:8, :))
%!error id=rotkit:poseglobal:offsetShape poseglobal (skel.parents, skel.offsets(:, 1:3), motion.rootPositions, motion.localRotations)
%!error <PARENTS\(3\) must be a whole number from 1 to 2> poseglobal ([0 1 2.5], zeros (3), zeros (3, 1), repmat ([1; 0; 0; 0], 3, 1))
