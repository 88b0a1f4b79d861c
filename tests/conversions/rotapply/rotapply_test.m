% rotapply through the Octave MEX build.

%!shared h
%! h = sqrt (0.5);

%!test
%! % The turn of posechain, bit for bit: a joint's offset turned by its
%! % global rotation, with a root at the origin and an identity local rotation.
%! rand ("seed", 3);
%! for n = [1 2 3 4 5 8 9 17]
%!   q = 4 * rand (4, n) - 2;  v = 4 * rand (3, n) - 2;
%!   got = rotapply (q, v);
%!   for k = 1:n
%!     p = posechain ([0 1], [zeros(3, 1), v(:, k)], zeros (3, 1), [q(:, k); 1; 0; 0; 0]);
%!     assert (samebits (got(:, k), p(4:6)));
%!   end
%! end

%!test
%! % Either side broadcast: the same bits as the repeated column.
%! rand ("seed", 4);
%! q = 4 * rand (4, 7) - 2;  v = 4 * rand (3, 7) - 2;
%! assert (samebits (rotapply (q(:, 1), v), rotapply (repmat (q(:, 1), 1, 7), v)));
%! assert (samebits (rotapply (q, v(:, 1)), rotapply (q, repmat (v(:, 1), 1, 7))));

%!test
%! % For unit quaternions: the matrix of rot2mat, and composition by rotcompose.
%! randn ("seed", 5);
%! q1 = randn (4, 1000);  q1 = q1 ./ sqrt (sum (q1 .^ 2));
%! q2 = randn (4, 1000);  q2 = q2 ./ sqrt (sum (q2 .^ 2));
%! v = randn (3, 1000);
%! R = rot2mat (q1);
%! byMatrix = squeeze (sum (R .* reshape (v, 1, 3, 1000), 2));
%! assert (max (sqrt (sum ((byMatrix - rotapply (q1, v)) .^ 2)) ./ sqrt (sum (v .^ 2))) <= 5 * eps);
%! twice = rotapply (q1, rotapply (q2, v));
%! assert (max (abs (twice(:) - reshape (rotapply (rotcompose (q1, q2), v), [], 1))) < 1e-14);

%!test
%! assert (samebits (rotapply ([0.5; 0.5; 0.5; 0.5], eye (3)), [0 0 1; 1 0 0; 0 1 0]));
%! assert (size (rotapply (zeros (4, 0), zeros (3, 0))), [3 0]);
%! assert (size (rotapply ([1; 0; 0; 0], zeros (3, 0))), [3 0]);
%! assert (size (rotapply (zeros (4, 0), [1; 2; 3])), [3 0]);
%! rotapply ([0; 0; 0; 1], [1; 2; 3]);
%! assert (samebits (ans, [-1; -2; 3]));

%!error id=rotkit:rotapply:notEnoughInputs rotapply ([1; 0; 0; 0])
%!error id=rotkit:rotapply:tooManyInputs rotapply ([1; 0; 0; 0], [1; 2; 3], 1)
%!error id=rotkit:rotapply:tooManyOutputs [a, b] = rotapply ([1; 0; 0; 0], [1; 2; 3])
%!error id=rotkit:rotapply:notRealDouble rotapply (single ([1; 0; 0; 0]), [1; 2; 3])
%!error id=rotkit:rotapply:notRealDouble rotapply ([1; 0; 0; 0], @sin)
%!error id=rotkit:rotapply:notRealDouble rotapply (complex ([1; 0; 0; 0]), [1; 2; 3])
%!error id=rotkit:rotapply:sparse rotapply (sparse ([1; 0; 0; 0]), [1; 2; 3])
%!error id=rotkit:rotapply:qRows rotapply ([1; 0; 0], [1; 2; 3])
%!error id=rotkit:rotapply:vRows rotapply ([1; 0; 0; 0], [1; 2; 3; 4])
%!error id=rotkit:rotapply:columnMismatch rotapply (zeros (4, 2), zeros (3, 3))
%!error id=rotkit:rotapply:tooLarge rotapply (zeros (4, 0), zeros (0, 2^32 + 1))
