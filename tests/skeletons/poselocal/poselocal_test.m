% poselocal through the Octave MEX build: each joint is rotcompose of
% rotreverse of its parent and itself, bit for bit; posechain poses the
% local rotations exactly as the global ones place the joints; parent
% numbers as posechain reads them; the identifiers of its errors.

%!test
%! rand ('seed', 61); randn ('seed', 61);
%! J = 12;  N = 40;
%! parents = [0, arrayfun(@(j) randi(j - 1), 2:J)];
%! G = reshape (rotrand (J * N), 4 * J, N);
%! L = poselocal (parents, G);
%! assert (samebits (L(1:4, :), G(1:4, :)));
%! for j = 2:J
%!   p = parents(j);
%!   assert (samebits (L(4 * j - 3:4 * j, :), rotcompose (rotreverse (G(4 * p - 3:4 * p, :)), G(4 * j - 3:4 * j, :))));
%! end
%! % Posed from L, each joint sits at its parent plus its offset turned by G.
%! offsets = randn (3, J);
%! P = posechain (parents, offsets, zeros (3, N), L);
%! for j = 2:J
%!   p = parents(j);
%!   expected = P(3 * p - 2:3 * p, :) + rotapply (G(4 * j - 3:4 * j, :), offsets(:, j));
%!   assert (max (max (abs (P(3 * j - 2:3 * j, :) - expected))) < 1e-12);
%! end

%!test
%! % Fractional parent numbers truncate; a bare call; empty shapes.
%! G = reshape (rotrand (3 * 4), 12, 4);
%! assert (samebits (poselocal ([0 1.9 2.5], G), poselocal ([7 1 2], G)));
%! poselocal ([0 1 1], G);
%! assert (samebits (ans, poselocal ([0 1 1], G)));
%! assert (size (poselocal ([], zeros (0, 3))), [0 3]);
%! assert (size (poselocal ([0 1], zeros (8, 0))), [8 0]);

%!error id=rotkit:poselocal:notEnoughInputs poselocal ([0 1])
%!error id=rotkit:poselocal:gRows poselocal ([0 1], ones (4, 2))
%!error id=rotkit:poselocal:parentOrder poselocal ([0 2], ones (8, 2))
%!error id=rotkit:poselocal:parentOrder poselocal ([0 1 NaN], ones (12, 2))
%!error id=rotkit:poselocal:notRealDouble poselocal ({0 1}, ones (8, 2))
%!error <parents\(3\) must name an earlier joint> poselocal ([0 1 3], ones (12, 1))
