% rotintegrate through the Octave MEX build: a constant gyroscope rate, the
% round trip through rotvel to second order, both frames, joints, and the
% errors' identifiers.

%!test
%! w = [0.2; 1.1; -0.4]; t = cumsum ([0, 0.005 + 0.01 * rand(1, 2999)]);
%! q0 = [0.5; 0.5; -0.5; 0.5];
%! Q = rotintegrate (repmat (w, 1, 3000), t, q0);
%! assert (samebits (Q(:, 1), q0));
%! assert (Q, rotcompose (q0, vec2rot (w * t)), 1e-12);
%! Qw = rotintegrate (repmat (w, 1, 3000), t, q0, 'world');
%! assert (Qw, rotcompose (vec2rot (w * t), q0), 1e-12);

%!test
%! % The round trip: second order, the error falling by about four as the
%! % step halves.
%! motion = @(t) [cos(sin (t)); 0.6 * sin(sin (t)); zeros(size (t)); 0.8 * sin(sin (t))];
%! err = [];
%! for n = [200 400]
%!   t = linspace (0, 2, n);
%!   Q = rotnormalize (rotcompose (motion (t), vec2rot ([0.3; 0.1; 0.2] * t)));
%!   err(end + 1) = max (max (abs (rotintegrate (rotvel (Q, t), t, Q(:, 1)) - Q)));
%! end
%! assert (err(1) < 1e-3 && err(1) / err(2) > 3.5 && err(1) / err(2) < 4.6);

%!test
%! % Joints side by side, bit for bit; shapes.
%! W = randn (6, 50);
%! Q = rotintegrate (W, 0.01, [1; 0; 0; 0; 0; 1; 0; 0]);
%! assert (samebits (Q, [rotintegrate(W(1:3, :), 0.01, [1; 0; 0; 0]); rotintegrate(W(4:6, :), 0.01, [0; 1; 0; 0])]));
%! assert (size (rotintegrate (zeros (3, 0), 1, [1; 0; 0; 0])), [4 0]);

%!error <q0 must be a 4J x 1 column> rotintegrate (zeros (3, 2), 1, [1 0 0 0])
%!error <W must have 3 rows, or 3J for J joints> rotintegrate (zeros (4, 2), 1, [1; 0; 0; 0])
%!test
%! try
%!   rotintegrate (zeros (3, 2), [0 0], [1; 0; 0; 0]);
%! catch err
%!   assert (err.identifier, 'rotkit:rotintegrate:timeOrder');
%! end
