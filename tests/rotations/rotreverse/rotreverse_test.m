% rotreverse through the Octave MEX build.

%!test
%! % Signs of zero in the vector part, exact cases, not normalised.
%! assert (samebits (rotreverse ([1; 0; 0; 0]), [1; -0; -0; -0]));
%! assert (samebits (rotreverse ([-1; -0; 0; -0]), [-1; 0; -0; 0]));
%! assert (samebits (rotreverse ([0.5; 0.5; 0.5; 0.5]), [0.5; -0.5; -0.5; -0.5]));
%! assert (samebits (rotreverse ([2; 0; 0; 0]), [0.5; -0; -0; -0]));
%! assert (samebits (rotreverse ([0; 1; 0; 0]), [0; -1; -0; -0]));

%!test
%! % The squared norm's order (x*x + w*w, + y*y, + z*z) and one division
%! % per component, written out in m-code: bit for bit.
%! t = 2^-27;
%! rand ("seed", 5);
%! q = [4 * rand(4, 50) - 2, [t; t; t; 1], [t; 1.25 * t; 1; 0], [3; 1; 0; 0], [1; 0; 3; 0]];
%! s = q(2,:) .* q(2,:) + q(1,:) .* q(1,:);
%! s = s + q(3,:) .* q(3,:);
%! s = s + q(4,:) .* q(4,:);
%! assert (samebits (rotreverse (q), [q(1,:) ./ s; -0 - q(2:4,:) ./ s]));

%!test
%! % IEEE results in their own columns, without an error.
%! r = rotreverse ([1, 0, 1e-170, 1e200, Inf, 1; 0, 0, 0, 1, 0, NaN; 0, 0, 0, 0, 0, 0; 0, 0, 0, 0, 0, 0]);
%! assert (samebits (r(:,1), [1; -0; -0; -0]));
%! assert (all (isnan (r(:,2))));
%! assert (samebits (r(:,3), [Inf; NaN; NaN; NaN]));
%! assert (samebits (r(:,4), [0; -0; -0; -0]));
%! assert (samebits (r(:,5), [NaN; -0; -0; -0]));
%! assert (all (isnan (r(:,6))));

%!test
%! % Groups of four in storage order; N is the column count alone.
%! a = reshape (1:10, 5, 2);
%! assert (samebits (rotreverse (a), rotreverse (reshape (1:8, 4, 2))));
%! assert (size (rotreverse (zeros (9, 1) + 1)), [4 1]);
%! for n = 1:9
%!   q = randn (4, n);
%!   assert (samebits (rotreverse (q), cell2mat (arrayfun (@(k) rotreverse (q(:,k)), 1:n, "uniformoutput", false))));
%! end
%! % A 4 x 2 x 3 array is 4 x 6 to the host.
%! b = reshape (1:24, 4, 2, 3);
%! assert (samebits (rotreverse (b), rotreverse (reshape (b, 4, 6))));

%!test
%! % q * inv(q) is the identity to rounding.
%! q = randn (4, 100);
%! assert (rotcompose (q, rotreverse (q)), repmat ([1; 0; 0; 0], 1, 100), 1e-14);

%!test
%! % An empty input of any shape and class: a real 0 x 0 double, no error.
%! empties = {[], zeros(4, 0), zeros(0, 3), complex(zeros(4, 0)), single([]), int8(zeros(0, 3)), ...
%!            false(4, 0), '', {}, struct([]), sparse(4, 0), zeros(0, 2^32 + 1)};
%! for e = empties
%!   r = rotreverse (e{1});
%!   assert (isa (r, "double") && isreal (r) && ! issparse (r) && isequal (size (r), [0 0]));
%! end

%!error <One inputs required.> x = rotreverse ()
%!error <One inputs required.> x = rotreverse ([1;0;0;0], [1;0;0;0])
%!error <One inputs required.> rotreverse ([1;0;0;0], [1;0;0;0])
%!error <One outputs required.> rotreverse ([1;0;0;0])
%!error <One outputs required.> [a, b] = rotreverse ([1;0;0;0])
%!error <Input must be a real double array.> x = rotreverse (complex ([1;0;0;0]))
%!error <Input must be a real double array.> x = rotreverse (single ([1;0;0;0]))
%!error <Input must be a real double array.> x = rotreverse (int8 ([1;0;0;0]))
%!error <Input must be a real double array.> x = rotreverse (uint64 ([1;0;0;0]))
%!error <Input must be a real double array.> x = rotreverse (true (4, 1))
%!error <Input must be a real double array.> x = rotreverse ('abcd')
%!error <Input must be a real double array.> x = rotreverse ({1; 0; 0; 0})
%!error <Input must be a real double array.> x = rotreverse (struct ())
%!error <Input must be a real double array.> x = rotreverse (@sin)
%!error <Input must be a real double array.> x = rotreverse (complex (zeros (2, 3)))
%!error <Input must be a real double array.> x = rotreverse (sparse (true (4, 1)))
%!error <Sparse input is not supported> x = rotreverse (sparse ([1;0;0;0]))
%!error <Sparse input is not supported> x = rotreverse (sparse (3, 2))
%!error <Q must have at least 4 rows \(w, x, y, z\).> x = rotreverse (1)
%!error <Q must have at least 4 rows \(w, x, y, z\).> x = rotreverse ([1, 0, 0, 0])
%!error <Q must have at least 4 rows \(w, x, y, z\).> x = rotreverse (zeros (3, 5))
