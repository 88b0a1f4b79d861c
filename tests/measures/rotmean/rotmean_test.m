% rotmean through the Octave MEX build: the eigenvector of the weighted sum
% of q*q' as a user computes it with eig, the signs and lengths of the
% columns, each joint of 4J x N on its own, frames left out, NaN where the
% mean is not unique, and the identifiers of its errors.

%!function m = by_eig (q, w)
%!  q = q ./ sqrt (sum (q .^ 2));
%!  [v, d] = eig ((q .* w) * q');
%!  [~, i] = max (diag (d));
%!  m = v(:, i) * sign (v(1, i));
%!endfunction

%!test
%! rand ('seed', 41); randn ('seed', 41);
%! centre = rotrand (1);
%! q = rotcompose (centre, vec2rot (0.4 * randn (3, 5000)));
%! q(:, 1:3:end) = -3 * q(:, 1:3:end);
%! w = rand (1, 5000);
%! m = rotmean (q, w);
%! assert (max (abs (m - by_eig (q, w))) < 1e-14);
%! assert (abs (norm (m) - 1) < 2 * eps);
%! assert (samebits (rotmean (-q, w), m));
%! assert (samebits (rotmean (q, 2^40 * w), m));
%! assert (max (abs (rotmean (q) - by_eig (q, ones (1, 5000)))) < 1e-14);

%!test
%! % Joints apart; lost frames and zero weights left out alike.
%! rand ('seed', 42); randn ('seed', 42);
%! q = rotrand (3 * 100);
%! motion = reshape (q, 12, 100);
%! m = rotmean (motion);
%! for j = 1:3
%!   assert (samebits (m(4 * j - 3:4 * j), rotmean (motion(4 * j - 3:4 * j, :))));
%! end
%! lost = motion;
%! lost(2, 5:7:end) = NaN;
%! w = ones (1, 100);
%! w(5:7:end) = 0;
%! assert (samebits (rotmean (lost(1:4, :)), rotmean (motion(1:4, :), w)));

%!test
%! % No unique mean: a half turn apart with equal weights, the four quarter
%! % turns about an axis, nothing left; three of those quarter turns have
%! % the middle one as their mean; 4 x 0 gives NaN, 0 x N gives 0 x 1.
%! assert (all (isnan (rotmean ([1 0; 0 0; 0 1; 0 0]))));
%! assert (all (isnan (rotmean ([1 0; 0 0; 0 1; 0 0], [3 3]))));
%! assert (samebits (rotmean ([1 0; 0 0; 0 1; 0 0], [3 2]), [1; 0; 0; 0]));
%! cube = mat2rot (cat (3, eye (3), [0 -1 0; 1 0 0; 0 0 1], [-1 0 0; 0 -1 0; 0 0 1], [0 1 0; -1 0 0; 0 0 1]));
%! assert (all (isnan (rotmean (cube))));
%! assert (rotdist (rotmean (cube(:, 1:3)), cube(:, 2)) < 1e-15);
%! assert (all (isnan (rotmean (zeros (4, 0)))));
%! assert (size (rotmean (zeros (0, 5))), [0 1]);
%! rotmean ([1; 0; 0; 0]);
%! assert (samebits (ans, [1; 0; 0; 0]));

%!error id=rotkit:rotmean:notEnoughInputs rotmean ()
%!error id=rotkit:rotmean:tooManyInputs rotmean (1, 2, 3)
%!error id=rotkit:rotmean:qRows rotmean (ones (3, 2))
%!error id=rotkit:rotmean:weightCount rotmean (ones (4, 2), [1 1 1])
%!error id=rotkit:rotmean:weightValues rotmean (ones (4, 2), [1 NaN])
%!error id=rotkit:rotmean:notRealDouble rotmean (int8 (ones (4, 2)))
%!error id=rotkit:rotmean:sparse rotmean (sparse (ones (4, 2)))
