% rotrand: unit quaternions with w >= 0, governed by whatever governs rand
% (rand('seed'), rand('state'), rng), spread as uniform rotations are (the
% angle's density (1 - cos)/pi, the axes even), and its errors.

%!test
%! for seed = {{'seed', 5}, {'state', 5}, {'twister', 5}}
%!   rand (seed{1}{:});  a = rotrand (50);
%!   rand (seed{1}{:});  b = rotrand (50);
%!   assert (isequal (a, b));
%! end
%! rng (7);  a = rotrand (4);
%! rng (7);  u = rand (3, 4);
%! rng (7);  b = rotrand (4);
%! assert (isequal (a, b));
%! % Shoemake's formula on the same three numbers per rotation.
%! q = [sqrt(u(1, :)) .* cos(2 * pi * u(3, :)); sqrt(1 - u(1, :)) .* sin(2 * pi * u(2, :)); ...
%!      sqrt(1 - u(1, :)) .* cos(2 * pi * u(2, :)); sqrt(u(1, :)) .* sin(2 * pi * u(3, :))];
%! q = q .* sign (q(1, :));
%! assert (max (abs (a(:) - q(:))) < 4 * eps);

%!test
%! rand ('seed', 71);
%! q = rotrand (200000);
%! assert (size (q), [4 200000]);
%! assert (all (q(1, :) >= 0));
%! assert (max (abs (sum (q .^ 2) - 1)) < 3 * eps);
%! % The angle 2*acos(w): its distribution (theta - sin theta)/pi, checked
%! % at a few points within 5 standard errors; the axes point evenly.
%! angle = 2 * acos (min (q(1, :), 1));
%! for x = [0.5 1 1.5 2 2.5 3]
%!   p = (x - sin (x)) / pi;
%!   assert (abs (mean (angle <= x) - p) < 5 * sqrt (p * (1 - p) / 200000));
%! end
%! assert (max (abs (mean (q(2:4, :), 2))) < 0.005);
%! assert (size (rotrand ()), [4 1]);
%! assert (size (rotrand (0)), [4 0]);
%! assert (size (rotrand (int8 (3))), [4 3]);

%!error id=rotkit:rotrand:nValue rotrand (-1)
%!error id=rotkit:rotrand:nValue rotrand (2.5)
%!error id=rotkit:rotrand:nValue rotrand ([1 2])
%!error id=rotkit:rotrand:nValue rotrand ('a')
%!error id=rotkit:rotrand:nValue rotrand (Inf)
%!error id=rotkit:rotrand:tooLarge rotrand (2^31)
%!error id=rotkit:rotrand:tooManyInputs rotrand (1, 2)
%!error id=rotkit:rotrand:tooManyOutputs [a, b] = rotrand (1)
