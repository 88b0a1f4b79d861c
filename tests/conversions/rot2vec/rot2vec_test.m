% vec2rot and rot2vec through the Octave MEX build: the round trips with
% both MEX files for angles from 1e-300 to pi, the half-turn sign, and the
% exact limits.

%!test
%! % vec2rot(rot2vec(q)) is q or -q, and rot2vec(vec2rot(v)) is v, relative
%! % to its length, for angles spread over the binades from 1e-300 to pi.
%! randn ("seed", 21); rand ("seed", 21);
%! axis = randn (3, 3000);
%! axis = axis ./ sqrt (sum (axis .^ 2));
%! angle = [10 .^ (-300 + 300.5 * rand(1, 1000)), pi * rand(1, 1000), pi * (1 - 10 .^ (-16 * rand(1, 1000)))];
%! angle = min (angle, pi);
%! v = axis .* angle;
%! q = vec2rot (v);
%! back = rot2vec (q);
%! assert (max (sqrt (sum ((back - v) .^ 2)) ./ angle) < 8 * eps);
%! again = vec2rot (back);
%! assert (max (min (max (abs (again - q)), max (abs (again + q)))) < 4 * eps);

%!test
%! % The identity and tiny turns are exact; a half turn is given with its
%! % first nonzero component positive, for q and for -q.
%! assert (samebits (vec2rot ([0; 0; 0]), [1; 0; 0; 0]));
%! assert (samebits (vec2rot ([6e-301; 8e-301; 0]), [1; 3e-301; 4e-301; 0]));
%! assert (samebits (rot2vec ([1; 0; 0; 0]), [0; 0; 0]));
%! assert (samebits (rot2vec ([1; 1e-300; 0; 0]), [2e-300; 0; 0]));
%! assert (rot2vec ([0; 0; -1; 0]), [0; pi; 0]);
%! assert (rot2vec ([0; 0; 1; 0]), [0; pi; 0]);
%! q = [cos(0.3); sin(0.3) * [0.6; 0; -0.8]];
%! assert (samebits (rot2vec (q), rot2vec (-q)));
%! assert (samebits (rot2vec (5 * q), rot2vec (q)) || max (abs (rot2vec (5 * q) - rot2vec (q))) < 2 * eps);

%!test
%! % Shapes: empty in, empty out; trailing dimensions count as columns.
%! assert (size (vec2rot (zeros (3, 0))), [4 0]);
%! assert (size (rot2vec (zeros (4, 0))), [3 0]);
%! assert (size (rot2vec (ones (4, 2, 3))), [3 6]);
%! vec2rot ([0; 0; pi/2]);
%! assert (ans, vec2rot ([0; 0; pi/2]));

%!error id=rotkit:vec2rot:vRows vec2rot ([1; 2])
%!error id=rotkit:rot2vec:qRows rot2vec ([1; 2; 3])
%!error id=rotkit:rot2vec:notRealDouble rot2vec (single ([1; 0; 0; 0]))
