% mat2rot through the Octave MEX build.

%!test
%! % Round trips: mat2rot(rot2mat(q)) is the canonical one of q and -q, to
%! % within 1.05 * eps, for random rotations and at and near half turns.
%! randn ("seed", 10);
%! q = randn (4, 2000);  q = q ./ sqrt (sum (q .^ 2));
%! axis = randn (3, 1000);  axis = axis ./ sqrt (sum (axis .^ 2));
%! epsilon = [0, 2 .^ -(1:999) * 45 / 999];
%! half = [sin(epsilon / 2); cos(epsilon / 2) .* axis];
%! for set = {q, half}
%!   p = set{1};
%!   back = mat2rot (rot2mat (p));
%!   p(:, p(1, :) < 0) = -p(:, p(1, :) < 0);
%!   assert (max (min (max (abs (back - p)), max (abs (back + p)))) <= 1.05 * eps);
%!   assert (all (back(1, :) >= 0));
%! end

%!test
%! % Half turns have one sign; zeros come out as +0 whatever their sign in R.
%! assert (samebits (mat2rot (diag ([-1 -1 1])), [0; 0; 0; 1]));
%! assert (samebits (mat2rot ([-1 -0 0; 0 -1 -0; -0 0 1]), [0; 0; 0; 1]));
%! assert (samebits (mat2rot (diag ([1 -1 -1])), [0; 1; 0; 0]));
%! r = mat2rot (rot2mat ([0; -0.6; 0.8; 0]));
%! assert (r(1) == 0 && r(2) > 0 && abs (r(3) + 0.8) < eps);

%!test
%! assert (size (mat2rot (zeros (3, 3, 0))), [4 0]);
%! assert (size (mat2rot (repmat (eye (3), [1 1 2 3]))), [4 6]);
%! assert (samebits (mat2rot (eye (3)), [1; 0; 0; 0]));
%! assert (all (isnan (mat2rot ([NaN 0 0; 0 1 0; 0 0 1]))));
%! mat2rot ([0 0 1; 1 0 0; 0 1 0]);
%! assert (samebits (ans, [0.5; 0.5; 0.5; 0.5]));

%!error id=rotkit:mat2rot:notEnoughInputs mat2rot ()
%!error id=rotkit:mat2rot:tooManyInputs mat2rot (eye (3), 1)
%!error id=rotkit:mat2rot:tooManyOutputs [a, b] = mat2rot (eye (3))
%!error id=rotkit:mat2rot:notRealDouble mat2rot (single (eye (3)))
%!error id=rotkit:mat2rot:notRealDouble mat2rot (struct ())
%!error id=rotkit:mat2rot:sparse mat2rot (speye (3))
%!error id=rotkit:mat2rot:rShape mat2rot (eye (4))
%!error id=rotkit:mat2rot:rShape mat2rot (ones (3, 6))
%!error id=rotkit:mat2rot:rShape mat2rot (ones (9, 1))
%!error id=rotkit:mat2rot:rShape mat2rot ([])
