% rotfit through the Octave MEX build: known motions recovered, against
% the per-frame singular value decomposition a user writes (Kabsch with
% Umeyama's sign fix), lost markers, frames without a unique rotation, the
% option without translation, weights, and the identifiers of its errors.

%!function [q, t] = kabsch (a, b, w, translation)
%!  % The per-frame reference: a 3 x M, b 3 x M, weights w (1 x M).
%!  if (translation)
%!    ca = a * w' / sum (w);  cb = b * w' / sum (w);
%!  else
%!    ca = zeros (3, 1);  cb = zeros (3, 1);
%!  end
%!  h = (a - ca) .* w * (b - cb)';
%!  [u, ~, v] = svd (h);
%!  r = v * diag ([1, 1, sign(det (v * u'))]) * u';
%!  q = mat2rot (r);
%!  t = cb - r * ca;
%!endfunction

%!test
%! % Exact data: the motion that made the markers, to rounding.
%! rand ('seed', 31); randn ('seed', 31);
%! a = 100 * randn (3, 6);
%! n = 500;
%! q = rotrand (n);
%! t = 1000 * randn (3, n);
%! b = zeros (18, n);
%! for k = 1:n
%!   b(:, k) = reshape (rotapply (q(:, k), a) + t(:, k), 18, 1);
%! end
%! [Q, T, rms] = rotfit (a(:), b);
%! assert (max (rotdist (Q, q)) < 1e-13);
%! assert (max (abs (T(:) - t(:))) < 1e-9);
%! assert (max (rms) < 1e-10);
%! assert (all (Q(1, :) >= 0));
%! assert (max (abs (sum (Q .^ 2) - 1)) < 3 * eps);

%!test
%! % Noisy, weighted data: the weighted Kabsch solution of every frame.
%! rand ('seed', 32); randn ('seed', 32);
%! a = 50 * randn (3, 5);
%! w = [1 2 0.5 3 1];
%! n = 200;
%! b = zeros (15, n);
%! q = rotrand (n);
%! for k = 1:n
%!   b(:, k) = reshape (rotapply (q(:, k), a) + randn (3, 5) + [1; 2; 3], 15, 1);
%! end
%! [Q, T] = rotfit (a(:), b, w);
%! for k = 1:n
%!   [qk, tk] = kabsch (a, reshape (b(:, k), 3, 5), w, true);
%!   assert (rotdist (Q(:, k), qk) < 1e-12);
%!   assert (max (abs (T(:, k) - tk)) < 1e-10);
%! end
%! [Q, T] = rotfit (a(:), b, w, 'translation', false);
%! assert (samebits (T, zeros (3, n)));
%! for k = 1:n
%!   assert (rotdist (Q(:, k), kabsch (a, reshape (b(:, k), 3, 5), w, false)) < 1e-12);
%! end

%!test
%! % A lost marker (NaN) is left out: the same bits as the fit without it.
%! rand ('seed', 33); randn ('seed', 33);
%! a = 50 * randn (12, 1);
%! b = rotapply (rotrand (1), reshape (a, 3, 4)) + randn (3, 4);
%! gone = b(:);
%! gone(4:6) = NaN;
%! keep = [1:3, 7:12];
%! [q1, t1, r1] = rotfit (a, gone);
%! [q2, t2, r2] = rotfit (a(keep), b(keep)');
%! assert (samebits ([q1; t1; r1], [q2; t2; r2]));
%! [q3, t3, r3] = rotfit (a, b(:), [1 0 1 1]);
%! assert (samebits ([q3; t3; r3], [q2; t2; r2]));

%!test
%! % No unique rotation: two usable points, three on a line; but four
%! % points in a plane are a fit.
%! bad = rotfit ([0; 0; 0; 1; 0; 0; 0; 1; 0], [0; 0; 0; 1; 0; 0; NaN; 1; 0]);
%! assert (all (isnan (bad)));
%! [q, t, r] = rotfit ([0; 0; 0; 1; 1; 1; 3; 3; 3], [1; 1; 1; 2; 2; 2; 7; 7; 7]);
%! assert (all (isnan ([q; t; r])));
%! q = rotfit ([0; 0; 0; 1; 0; 0; 0; 1; 0; 1; 1; 0], [0; 0; 0; 0; 1; 0; -1; 0; 0; -1; 1; 0]);
%! assert (rotdist (q, [cos(pi/4); 0; 0; sin(pi/4)]) < 1e-15);

%!test
%! % One reference cluster, or the same in every column: the same bits; a
%! % bare call returns Q into ans; empty shapes.
%! rand ('seed', 34); randn ('seed', 34);
%! a = randn (9, 1);
%! b = randn (9, 7);
%! assert (samebits (rotfit (a, b), rotfit (repmat (a, 1, 7), b)));
%! rotfit (a, b);
%! assert (samebits (ans, rotfit (a, b)));
%! assert (size (rotfit (zeros (9, 1), zeros (9, 0))), [4 0]);
%! [q, t, r] = rotfit (zeros (0, 1), zeros (0, 2));
%! assert (all (isnan ([q(:); t(:); r(:)])));

%!error id=rotkit:rotfit:notEnoughInputs rotfit (1)
%!error id=rotkit:rotfit:pointRows rotfit (ones (4, 1), ones (4, 1))
%!error id=rotkit:rotfit:aRows rotfit (ones (6, 1), ones (9, 1))
%!error id=rotkit:rotfit:aColumns rotfit (ones (9, 2), ones (9, 3))
%!error id=rotkit:rotfit:weightCount rotfit (ones (9, 1), ones (9, 1), [1 1])
%!error id=rotkit:rotfit:weightValues rotfit (ones (9, 1), ones (9, 1), [1 -1 1])
%!error id=rotkit:rotfit:option rotfit (ones (9, 1), ones (9, 1), 'scale', 1)
%!error id=rotkit:rotfit:optionValue rotfit (ones (9, 1), ones (9, 1), 'translation')
%!error id=rotkit:rotfit:translationValue rotfit (ones (9, 1), ones (9, 1), 'translation', 'no')
%!error id=rotkit:rotfit:notRealDouble rotfit (single (ones (9, 1)), ones (9, 1))
%!error <B must have 3 rows per point> rotfit (ones (3, 1), ones (4, 1))
