% rotcompose through the Octave MEX build.

%!shared i, j, k, one
%! one = [1; 0; 0; 0]; i = [0; 1; 0; 0]; j = [0; 0; 1; 0]; k = [0; 0; 0; 1];

%!test
%! assert (samebits (rotcompose (i, j), k));
%! assert (samebits (rotcompose (j, i), -k + 0));
%! assert (samebits (rotcompose ([2; 0; 0; 0], [3; 0; 0; 0]), [6; 0; 0; 0]));

%!test
%! % Left identity leaves finite columns as they are.
%! q2 = [0.5 -0.25; 3 7; -1e-300 8; 1e300 -9];
%! assert (isequal (rotcompose (one, q2), q2));

%!test
%! % The product's term order, written out in m-code: bit for bit.
%! rand ("seed", 7);
%! for n = [1 2 3 4 5 8 9]
%!   a = 4 * rand (4, n) - 2; b = 4 * rand (4, n) - 2;
%!   r = [((a(1,:).*b(1,:) - a(2,:).*b(2,:)) - a(3,:).*b(3,:)) - a(4,:).*b(4,:);
%!        ((a(1,:).*b(2,:) + a(2,:).*b(1,:)) + a(3,:).*b(4,:)) - a(4,:).*b(3,:);
%!        ((a(1,:).*b(3,:) - a(2,:).*b(4,:)) + a(3,:).*b(1,:)) + a(4,:).*b(2,:);
%!        ((a(1,:).*b(4,:) + a(2,:).*b(3,:)) - a(3,:).*b(2,:)) + a(4,:).*b(1,:)];
%!   assert (samebits (rotcompose (a, b), r));
%!   assert (samebits (rotcompose (a(:,1), b), rotcompose (repmat (a(:,1), 1, n), b)));
%!   assert (samebits (rotcompose (a, b(:,1)), rotcompose (a, repmat (b(:,1), 1, n))));
%! end

%!test
%! q1 = [one, [1; NaN; 0; 0], i];
%! r = rotcompose (q1, [one, one, j]);
%! assert (samebits (r(:,1), one));
%! assert (all (isnan (r(:,2))));
%! assert (samebits (r(:,3), k));

%!test
%! % Signed zeros come out as the term order makes them.
%! assert (samebits (rotcompose ([-0; 0; 0; 0], [0; 0; 0; 0]), [-0; 0; 0; 0]));
%! assert (samebits (rotcompose ([Inf; 0; 0; 0], [1; 1; 0; 0]), [Inf; Inf; NaN; NaN]));

%!test
%! % A 4 x 2 x 3 array is 4 x 6 to the host: its data is the same block.
%! a = reshape (1:24, 4, 2, 3);
%! assert (samebits (rotcompose (a, one), reshape (a, 4, 6)));

%!error <Two inputs required.> rotcompose (1, 2, 3)
%!error <Two inputs required.> rotcompose ([1;0;0;0])
%!error <One output required.> rotcompose ([1;0;0;0], [1;0;0;0])
%!error <One output required.> [a, b] = rotcompose ([1;0;0;0], [1;0;0;0])
%!error <Input must be a real double array.> x = rotcompose ([1;0;0;0], complex ([1;0;0;0]))
%!error <Input must be a real double array.> x = rotcompose (single ([1;0;0;0]), [1;0;0;0])
%!error <Input must be a real double array.> x = rotcompose (int8 ([1;0;0;0]), [1;0;0;0])
%!error <Input must be a real double array.> x = rotcompose (true (4, 1), [1;0;0;0])
%!error <Input must be a real double array.> x = rotcompose ('abcd', [1;0;0;0])
%!error <Input must be a real double array.> x = rotcompose ({1}, [1;0;0;0])
%!error <Input must be a real double array.> x = rotcompose (struct (), [1;0;0;0])
%!error <Input must be a real double array.> x = rotcompose (@sin, [1;0;0;0])
%!error <Input must be a real double array.> x = rotcompose ([1;0;0;0], @sin)
%!error <Input must be a real double array.> x = rotcompose (complex (zeros (3, 7)), [1;0;0;0])
%!error <Input Dimension missmatch> x = rotcompose (zeros (4, 2), zeros (4, 3))
%!error <Input Dimension missmatch> x = rotcompose (zeros (4, 0), zeros (4, 3))
%!error <Q1 is empty!> x = rotcompose (zeros (4, 0), zeros (4, 1))
%!error <Q2 is empty!> x = rotcompose (zeros (4, 1), zeros (4, 0))
%!error <Q1 is empty!> x = rotcompose ([], [])
%!error <Q1 has not 4 Dimensions!> x = rotcompose (zeros (3, 5), zeros (4, 5))
%!error <Q2 has not 4 Dimensions!> x = rotcompose (zeros (4, 5), zeros (5, 5))
%!error <Q1 has not 4 Dimensions!> x = rotcompose (zeros (0, 3), zeros (4, 3))
%!error <Q2 is empty!> x = rotcompose (zeros (3, 1), zeros (4, 0))
%!error <Sparse input is not supported> x = rotcompose (sparse ([1;0;0;0]), [1;0;0;0])
%!error <Sparse input is not supported> x = rotcompose ([1;0;0;0], sparse (4, 3))
%!error <Input must be a real double array.> x = rotcompose (sparse (true (4, 1)), [1;0;0;0])
%!error <Input is too large> x = rotcompose (zeros (0, 2^32 + 1), [1;0;0;0])
