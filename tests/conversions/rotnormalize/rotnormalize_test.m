% rotnormalize through the Octave MEX build.

%!test
%! % The documented steps, written out in m-code: bit for bit.
%! rand ("seed", 6);
%! q = 6 * rand (4, 999) - 3;
%! len = sqrt ((q(1,:) .* q(1,:) + q(2,:) .* q(2,:)) + (q(3,:) .* q(3,:) + q(4,:) .* q(4,:)));
%! u = q ./ len;
%! half = (((u(1,:) .* u(1,:) + u(2,:) .* u(2,:)) + (u(3,:) .* u(3,:) + u(4,:) .* u(4,:))) - 1) * 0.5;
%! expected = u - u .* half;
%! assert (samebits (rotnormalize (q), expected));

%!test
%! % No scale changes a bit; huge and tiny quaternions come out unit.
%! randn ("seed", 7);
%! q = randn (4, 50);
%! for e = [-1000 -600 -501 -40 0 40 501 600 1000]
%!   assert (samebits (rotnormalize (q * 2^e), rotnormalize (q)));
%! end
%! assert (samebits (rotnormalize ([1e200; 0; 0; 0]), [1; 0; 0; 0]));
%! assert (samebits (rotnormalize ([realmax; realmax; -realmax; realmax]), [0.5; 0.5; -0.5; 0.5]));
%! assert (samebits (rotnormalize ([-0; 2; 0; -0]), [-0; 1; 0; -0]));

%!test
%! assert (all (isnan (rotnormalize ([0 1 Inf; 0 NaN 0; 0 0 0; 0 0 0])(:))));
%! assert (size (rotnormalize (zeros (4, 0))), [4 0]);
%! assert (size (rotnormalize (ones (4, 2, 3))), [4 6]);
%! rotnormalize ([3; 0; 0; 4]);
%! assert (samebits (ans, [0.6; 0; 0; 0.8]));

%!error id=rotkit:rotnormalize:notEnoughInputs rotnormalize ()
%!error id=rotkit:rotnormalize:tooManyInputs rotnormalize ([1; 0; 0; 0], 1)
%!error id=rotkit:rotnormalize:tooManyOutputs [a, b] = rotnormalize ([1; 0; 0; 0])
%!error id=rotkit:rotnormalize:notRealDouble rotnormalize (int8 ([1; 0; 0; 0]))
%!error id=rotkit:rotnormalize:notRealDouble rotnormalize ({1})
%!error id=rotkit:rotnormalize:sparse rotnormalize (sparse ([1; 0; 0; 0]))
%!error id=rotkit:rotnormalize:qRows rotnormalize ([])
%!error id=rotkit:rotnormalize:qRows rotnormalize ([1 0 0 0])
