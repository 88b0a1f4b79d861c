% rotblend through the Octave MEX build.

%!shared one, i, tol
%! one = [1; 0; 0; 0]; i = [0; 1; 0; 0];
%! tol = 4 * eps;

%!test
%! % Points on the quarter circle from 1 to i; sin and atan2 enter, so a
%! % few ulps. t is not clamped: the same circle goes on past both ends.
%! q = rotblend (one, i, [0 0.5 1 2 -1]);
%! assert (size (q), [4 5]);
%! assert (q, [1 sqrt(0.5) 0 -1 0; 0 sqrt(0.5) 1 0 -1; 0 0 0 0 0; 0 0 0 0 0], tol);
%! assert (samebits (q(2:4,1), [0; 0; 0]));   % the second weight is exactly 0 at t = 0

%!test
%! % The shorter arc: d = -0.5, so the blend runs towards -q2.
%! q2 = [-0.5; sqrt(0.75); 0; 0];
%! q = rotblend (one, q2, [0.5 1]);
%! assert (q, [sqrt(0.75) 0.5; -0.5 -sqrt(0.75); 0 0; 0 0], tol);
%! % d = -0 is not negative: no flip.
%! q = rotblend ([1; -0; -0; -0], [-0; 5; 5; 5], 1);
%! assert (q(2:4) > 4.9);

%!test
%! % Exactly 0.999 takes the normalised linear blend, just below it the
%! % spherical formula, which does not normalise.
%! linear = rotblend (one, [0.999; 5; 0; 0], 0.5);
%! assert (norm (linear), 1, tol);
%! spherical = rotblend (one, [0.999 - eps(0.999); 5; 0; 0], 0.5);
%! assert (spherical(2) > 2.4);

%!test
%! % The linear branch needs only sqrt and the four basic operations: its
%! % formula in m-code is bit for bit, for non-unit ends and any t too.
%! rand ("seed", 9);
%! for trial = 1:20
%!   a = 4 * rand (4, 1) - 2;
%!   a = a * ((1 + rand ()) / norm (a));   % length 1 to 2: |d| stays above 0.999
%!   b = (2 * mod (trial, 2) - 1) * a + 1e-4 * rand (4, 1);
%!   t = 6 * rand (1, 7) - 3;
%!   p = b;
%!   if (((a(1)*b(1) + a(2)*b(2)) + a(3)*b(3)) + a(4)*b(4) < 0)
%!     p = -b;
%!   end
%!   c = (1 - t) .* a + t .* p;
%!   n = sqrt (((c(1,:).*c(1,:) + c(2,:).*c(2,:)) + c(3,:).*c(3,:)) + c(4,:).*c(4,:));
%!   assert (samebits (rotblend (a, b, t), c .* (1 ./ n)));
%! end

%!test
%! % The spherical formula in m-code, within a few ulps (sin and atan2 are
%! % the math library's).
%! rand ("seed", 3);
%! for trial = 1:20
%!   a = 4 * rand (4, 1) - 2; b = 4 * rand (4, 1) - 2;
%!   d = ((a(1)*b(1) + a(2)*b(2)) + a(3)*b(3)) + a(4)*b(4);
%!   p = b;
%!   if (d < 0)
%!     p = -b; d = -d;
%!   end
%!   if (d >= 0.999)
%!     continue;
%!   end
%!   t = 4 * rand (1, 5) - 2;
%!   s = sqrt (1 - d * d); theta = atan2 (s, d); r = 1 / s;
%!   expected = a .* (sin ((1 - t) * theta) * r) + p .* (sin (theta * t) * r);
%!   assert (rotblend (a, b, t), expected, -8 * eps);
%! end

%!test
%! % q1 = q2 and q1 = -q2: q1 whatever t; non-unit ends in the linear
%! % branch come out of unit length, a zero blend as NaN.
%! u = [0.5; -0.5; 0.5; 0.5];
%! assert (rotblend (u, u, [-3 0 0.3 1 7]), repmat (u, 1, 5), tol);
%! assert (rotblend (u, -u, [-3 0 0.3 1 7]), repmat (u, 1, 5), tol);
%! assert (rotblend ([2; 0; 0; 0], [3; 0; 0; 0], 0.25), one, tol);
%! assert (all (isnan (rotblend (one, [3; 0; 0; 0], -0.5))));

%!test
%! % NaN and Inf pass into their own columns.
%! q = rotblend (one, i, [0.5 NaN Inf -Inf 0]);
%! assert (all (isnan (q(:,2:4))(:)));
%! assert (q(:,[1 5]), [sqrt(0.5) 1; sqrt(0.5) 0; 0 0; 0 0], tol);
%! assert (all (isnan (rotblend ([NaN; 0; 0; 0], one, [0 1]))(:)));

%!test
%! % N is the column count of t and the parameters its first N elements.
%! q2 = [0.5; 0.5; -0.5; 0.5];
%! row = rotblend (one, q2, [0.1 0.2 0.3]);
%! assert (samebits (rotblend (one, q2, [0.1; 0.2; 0.3]), row(:,1)));
%! assert (samebits (rotblend (one, q2, [0.1 0.3 0.5; 0.2 0.4 0.6]), row));
%! assert (samebits (rotblend (one, q2, reshape ([0.1 0.2 0.3 9], 1, 1, 4)), [row, rotblend(one, q2, 9)]));
%! assert (size (rotblend (one, q2, [])), [4 0]);
%! assert (size (rotblend (one, q2, zeros (5, 0))), [4 0]);

%!test
%! % Only the first four elements of q1 and q2, whatever their shape; a
%! % complex input counts with its real parts.
%! q2 = [0.5; 0.5; -0.5; 0.5];
%! ref = rotblend (one, q2, [0.25 0.75]);
%! assert (samebits (rotblend (one', reshape (q2, 2, 2), [0.25 0.75]), ref));
%! assert (samebits (rotblend ([one, 7 * ones(4, 2)], [q2; -7], [0.25 0.75]), ref));
%! assert (samebits (rotblend (complex (one, 9), complex (q2, -9), complex ([0.25 0.75], 1)), ref));

%!error <Three inputs required.> x = rotblend ([1;0;0;0], [1;0;0;0])
%!error <Three inputs required.> x = rotblend ([1;0;0;0], [1;0;0;0], 0, 1)
%!error <Three inputs required.> rotblend (@sin, @sin)
%!error <One output required.> rotblend ([1;0;0;0], [1;0;0;0], 0)
%!error <One output required.> [a, b] = rotblend ([1;0;0;0], [1;0;0;0], 0)
%!error <Input must be a full double array.> x = rotblend (@sin, [1;0;0;0], 0)
%!error <Input must be a full double array.> x = rotblend ([1;0;0;0], @sin, 0)
%!error <Input must be a full double array.> x = rotblend ([1;0;0;0], [1;0;0;0], @sin)
%!error <Input must be a full double array.> x = rotblend (single ([1;0;0;0]), [1;0;0;0], 0)
%!error <Input must be a full double array.> x = rotblend ([1;0;0;0], int16 ([1;0;0;0]), 0)
%!error <Input must be a full double array.> x = rotblend ([1;0;0;0], [1;0;0;0], true)
%!error <Input must be a full double array.> x = rotblend ('abcd', [1;0;0;0], 0)
%!error <Input must be a full double array.> x = rotblend ([1;0;0;0], {1, 0, 0, 0}, 0)
%!error <Input must be a full double array.> x = rotblend ([1;0;0;0], [1;0;0;0], struct ('t', 0))
%!error <Input must be a full double array.> x = rotblend ([1;0;0;0], [1;0;0;0], uint8 (1:3))
%!error <Input must be a full double array.> x = rotblend (sparse (true (4, 1)), [1;0;0;0], 0)
%!error <Sparse input is not supported> x = rotblend (sparse ([1;0;0;0]), [1;0;0;0], 0)
%!error <Sparse input is not supported> x = rotblend ([1;0;0;0], [1;0;0;0], sparse ([0 1]))
%!error <q1 must hold at least four elements> x = rotblend ([1;0;0], [1;0;0;0], 0)
%!error <q1 must hold at least four elements> x = rotblend ([], [], [])
%!error <q2 must hold at least four elements> x = rotblend ([1;0;0;0], zeros (0, 4), 0)
%!error <q2 must hold at least four elements> x = rotblend ([1;0;0;0], 1, [])
%!error <t must hold at least one element per column.> x = rotblend ([1;0;0;0], [1;0;0;0], zeros (0, 5))
%!error <Input is too large> x = rotblend ([1;0;0;0], [1;0;0;0], zeros (0, 2^32 + 1))
