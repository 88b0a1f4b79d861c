% rot2mat through the Octave MEX build.

%!test
%! % The element formulas of the help text, in m-code: bit for bit.
%! rand ("seed", 8);
%! q = 4 * rand (4, 999) - 2;
%! w = q(1,:); x = q(2,:); y = q(3,:); z = q(4,:);
%! e = [(w.*w + x.*x) - (y.*y + z.*z); (x.*y + w.*z) * 2; (x.*z - w.*y) * 2;
%!      (x.*y - w.*z) * 2; (w.*w + y.*y) - (x.*x + z.*z); (y.*z + w.*x) * 2;
%!      (x.*z + w.*y) * 2; (y.*z - w.*x) * 2; (w.*w + z.*z) - (x.*x + y.*y)];
%! assert (samebits (rot2mat (q), reshape (e, 3, 3, 999)));

%!test
%! % Unit q: orthogonal, determinant 1; any q: |q|^2 times that.
%! randn ("seed", 9);
%! q = randn (4, 1);  u = q / norm (q);
%! R = rot2mat (u);
%! assert (norm (R' * R - eye (3)) < 4 * eps);
%! assert (abs (det (R) - 1) < 16 * eps);
%! assert (norm (rot2mat (q) - (q' * q) * R) < 8 * eps * (q' * q));
%! assert (samebits (rot2mat ([2; 0; 0; 0]), 4 * eye (3)));

%!test
%! assert (size (rot2mat ([1; 0; 0; 0])), [3 3]);
%! assert (size (rot2mat (zeros (4, 0))), [3 3 0]);
%! assert (size (rot2mat (ones (4, 2, 3))), [3 3 6]);
%! rot2mat ([0.5; 0.5; 0.5; 0.5]);
%! assert (samebits (ans, [0 0 1; 1 0 0; 0 1 0]));

%!error id=rotkit:rot2mat:notEnoughInputs rot2mat ()
%!error id=rotkit:rot2mat:tooManyInputs rot2mat ([1; 0; 0; 0], 1)
%!error id=rotkit:rot2mat:tooManyOutputs [a, b] = rot2mat ([1; 0; 0; 0])
%!error id=rotkit:rot2mat:notRealDouble rot2mat (true (4, 1))
%!error id=rotkit:rot2mat:notRealDouble rot2mat (complex ([1; 0; 0; 0]))
%!error id=rotkit:rot2mat:sparse rot2mat (sparse (4, 1))
%!error id=rotkit:rot2mat:qRows rot2mat (eye (3))
%!error id=rotkit:rot2mat:tooLarge rot2mat (zeros (2^31, 0))
