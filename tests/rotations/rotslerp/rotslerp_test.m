% rotslerp through the Octave MEX build: every column bit for bit what
% rotblend gives for it, in every broadcast form; shapes, ans, messages.

%!shared q1, qz
%! q1 = [1; 0; 0; 0]; qz = [cos(pi/4); 0; 0; sin(pi/4)];

%!function Q = columnwise (A, B, T)
%! n = max ([columns(A), columns(B), columns(T)]);
%! pick = @(X, k) X(:, min (k, columns (X)));
%! Q = zeros (4, n);
%! for k = 1:n
%!   Q(:, k) = rotblend (pick (A, k), pick (B, k), pick (T, k));
%! end
%!endfunction

%!test
%! % Random pairs, some close (the linear branch) and some opposite (the
%! % flip), parameters outside [0, 1] too; every form of broadcast.
%! rand ("seed", 5); randn ("seed", 5);
%! for n = [1 2 3 5 8 17]
%!   A = randn (4, n); B = randn (4, n);
%!   B(:, 1:2:end) = -A(:, 1:2:end) + 1e-4 * B(:, 1:2:end);
%!   T = 3 * rand (1, n) - 1;
%!   assert (samebits (rotslerp (A, B, T), columnwise (A, B, T)));
%!   assert (samebits (rotslerp (A(:, 1), B, T), columnwise (A(:, 1), B, T)));
%!   assert (samebits (rotslerp (A, B(:, 1), T), columnwise (A, B(:, 1), T)));
%!   assert (samebits (rotslerp (A, B, T(1)), columnwise (A, B, T(1))));
%!   assert (samebits (rotslerp (A(:, 1), B(:, 1), T), rotblend (A(:, 1), B(:, 1), T)));
%! end

%!test
%! % Exactly 0.999, q1 = q2, q1 = -q2, NaN, Inf and signed zeros.
%! s = sqrt (1 - 0.999^2);
%! A = [q1, q1, qz, qz, [NaN; 0; 0; 0], q1, -0 * q1];
%! B = [[0.999; s; 0; 0], [0.998; sqrt(1 - 0.998^2); 0; 0], qz, -qz, q1, qz, [0; -0; 0; -0]];
%! T = [0.5, 0.5, 0.3, 0.7, 0.5, Inf, -0];
%! assert (samebits (rotslerp (A, B, T), columnwise (A, B, T)));
%! assert (samebits (rotslerp (qz, -qz, 0.5), qz));

%!test
%! % Shapes: N-D inputs count their trailing dimensions as columns; empty
%! % inputs with the right rows give 4 x 0; a bare call sets ans.
%! Q = rotslerp (repmat (q1, [1 2 3]), qz, 0.5);
%! assert (size (Q), [4 6]);
%! assert (samebits (Q, repmat (rotblend (q1, qz, 0.5), 1, 6)));
%! assert (size (rotslerp (zeros (4, 0), q1, 0.5)), [4 0]);
%! assert (size (rotslerp (q1, qz, zeros (1, 0))), [4 0]);
%! rotslerp (q1, qz, 1);
%! assert (samebits (ans, rotblend (q1, qz, 1)));

%!error id=rotkit:rotslerp:notEnoughInputs rotslerp ([1; 0; 0; 0], [1; 0; 0; 0])
%!error id=rotkit:rotslerp:tooManyInputs rotslerp (1, 2, 3, 4)
%!error id=rotkit:rotslerp:tooManyOutputs [a, b] = rotslerp ([1; 0; 0; 0], [1; 0; 0; 0], 0)
%!error id=rotkit:rotslerp:notRealDouble rotslerp (single ([1; 0; 0; 0]), [1; 0; 0; 0], 0)
%!error id=rotkit:rotslerp:notRealDouble rotslerp ([1; 0; 0; 0], [1; 0; 0; 0], 0.5i)
%!error id=rotkit:rotslerp:notRealDouble rotslerp ([1; 0; 0; 0], {1}, 0)
%!error id=rotkit:rotslerp:notRealDouble rotslerp (@sin, [1; 0; 0; 0], 0)
%!error id=rotkit:rotslerp:sparse rotslerp (sparse ([1; 0; 0; 0]), [1; 0; 0; 0], 0)
%!error id=rotkit:rotslerp:q1Rows rotslerp ([1; 0; 0], [1; 0; 0; 0], 0)
%!error id=rotkit:rotslerp:q1Rows rotslerp ([1 0 0 0], [1; 0; 0; 0], 0)
%!error id=rotkit:rotslerp:q2Rows rotslerp ([1; 0; 0; 0], [], 0)
%!error id=rotkit:rotslerp:tRows rotslerp ([1; 0; 0; 0], [1; 0; 0; 0], [0; 1])
%!error id=rotkit:rotslerp:tRows rotslerp ([1; 0; 0; 0], [1; 0; 0; 0], [])
%!error id=rotkit:rotslerp:columnMismatch rotslerp (zeros (4, 2), zeros (4, 3), 0)
%!error id=rotkit:rotslerp:columnMismatch rotslerp (zeros (4, 2), [1; 0; 0; 0], [0 0.5 1])
%!error id=rotkit:rotslerp:columnMismatch rotslerp (zeros (4, 0), zeros (4, 2), 0)
