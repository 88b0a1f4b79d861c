% rotdist through the Octave MEX build: known angles from 1e-300 to pi,
% where the arc cosine of a dot product gives 0 or loses digits; either
% order of the sides and either sign the same bits; broadcasting; the
% identifiers of its errors.

%!test
%! rand ('seed', 51); randn ('seed', 51);
%! n = 3000;
%! q1 = rotrand (n);
%! axis = randn (3, n);
%! axis = axis ./ sqrt (sum (axis .^ 2));
%! angle = [10 .^ (-15 * rand(1, 1000)), pi * rand(1, 1000), pi - 10 .^ (-8 * rand(1, 1000))];
%! q2 = rotcompose (q1, [cos(angle / 2); sin(angle / 2) .* axis]);
%! d = rotdist (q1, q2);
%! % The turn of q2 from q1 is the one composed, to rounding of q2.
%! assert (max (abs (d - angle) ./ max (angle, 1)) < 1e-15 + 4 * eps ./ min (angle, 1));
%! assert (samebits (rotdist (q2, q1), d));
%! assert (samebits (rotdist (-q1, q2), d));
%! assert (all (d >= 0 & d <= pi));

%!test
%! % Exact: the identity, a tiny turn the arc cosine misses, a half turn.
%! assert (samebits (rotdist ([1; 0; 0; 0], [1; 1e-300; 0; 0]), 2e-300));
%! assert (samebits (rotdist ([1; 0; 0; 0], [0; 0; 1; 0]), pi));
%! assert (2 * acos ([1 0 0 0] * [cos(5e-10); sin(5e-10); 0; 0]) == 0);
%! assert (abs (rotdist ([1; 0; 0; 0], [cos(5e-10); sin(5e-10); 0; 0]) - 1e-9) < 1e-24);
%! assert (isnan (rotdist ([0; 0; 0; 0], [1; 0; 0; 0])));
%! assert (isnan (rotdist ([NaN; 0; 0; 0], [1; 0; 0; 0])));

%!test
%! % One column against many, either side; empty shapes; ans.
%! q = rotrand (5);
%! assert (samebits (rotdist (q(:, 1), q), rotdist (repmat (q(:, 1), 1, 5), q)));
%! assert (samebits (rotdist (q, q(:, 1)), rotdist (q(:, 1), q)));
%! assert (size (rotdist (zeros (4, 0), [1; 0; 0; 0])), [1 0]);
%! rotdist (q, q);
%! assert (ans, zeros (1, 5));

%!error id=rotkit:rotdist:notEnoughInputs rotdist ([1; 0; 0; 0])
%!error id=rotkit:rotdist:q1Rows rotdist ([1; 0; 0], [1; 0; 0; 0])
%!error id=rotkit:rotdist:q2Rows rotdist ([1; 0; 0; 0], ones (5, 1))
%!error id=rotkit:rotdist:columnMismatch rotdist (ones (4, 2), ones (4, 3))
%!error id=rotkit:rotdist:notRealDouble rotdist (complex (ones (4, 1)), ones (4, 1))
%!error <Q2 must have 4 rows> rotdist ([1; 0; 0; 0], [1; 0])
