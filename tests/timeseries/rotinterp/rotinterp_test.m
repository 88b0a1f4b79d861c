% rotinterp through the Octave MEX build: slerp on the great arc where
% rotslerp blends linearly, the keys at key times, the spline's rates and
% C2 continuity, joints, NaN outside, and the errors' identifiers.

%!test
%! % Keys 1e-5 rad apart, where rotslerp blends linearly: rotinterp stays on
%! % the arc (the exact turn by vec2rot), rotslerp strays from it.
%! a = rotnormalize ([0.3; -0.2; 0.9; 0.1]);
%! v = [1e-5; 0; 0];
%! b = rotcompose (a, vec2rot (v));
%! s = 0:0.125:1;
%! exact = rotcompose (a, vec2rot (v * s));
%! assert (max (max (abs (rotinterp ([0 1], [a b], s) - exact))) < 4 * eps);
%! assert (samebits (rotinterp ([0 1], [a b], [0 1]), [a b]));

%!test
%! % Key times give the keys bit for bit, from either method, even for -q.
%! Q = rotnormalize (randn (4, 7)); t = sort (rand (1, 7)) + (0:6);
%! assert (samebits (rotinterp (t, Q, t), Q));
%! assert (samebits (rotinterp (t, -Q, t(end:-1:1), 'spline'), -Q(:, end:-1:1)));
%! Qi = rotinterp (t, Q, [t(1) - 1, NaN, t(end) + eps(t(end))]);
%! assert (all (isnan (Qi(:))));

%!test
%! % A constant rate: the spline is the motion itself, rates and all.
%! w = [0.4; 0.1; -0.3]; t = cumsum ([0, 0.1 + rand(1, 9)]);
%! ti = linspace (t(1), t(end), 77);
%! [Qi, Wi, Ai] = rotinterp (t, vec2rot (w * t), ti, 'spline');
%! assert (Qi, vec2rot (w * ti), 1e-14);
%! assert (Wi, repmat (w, 1, 77), 1e-12);
%! assert (Ai, zeros (3, 77), 1e-11);

%!test
%! % Joints: each its own motion, bit for bit, with both methods.
%! Q = reshape (rotnormalize (randn (4, 12)), 8, 6); ti = [0.3 2.5 4.9];
%! for method = {'slerp', 'spline'}
%!   [A, WA] = rotinterp (1, Q, ti, method{1});
%!   [B, WB] = rotinterp (1, Q(1:4, :), ti, method{1});
%!   [C, WC] = rotinterp (1, Q(5:8, :), ti, method{1});
%!   assert (samebits (A, [B; C]) && samebits (WA, [WB; WC]));
%! end

%!test
%! calls = {@() rotinterp(1, [1; 0; 0; 0]), @() rotinterp(int8 (1), [1; 0; 0; 0], 0), ...
%!          @() rotinterp(1, [1; 0; 0; 0], 0, 'cubic'), @() rotinterp(1, [1; 0; 0; 0], [0; 1]), ...
%!          @() rotinterp([0 1], [1; 0; 0; 0], 0), @() rotinterp(0, [1; 0; 0; 0], 0)};
%! assert (error_identifiers (calls), strcat ('rotkit:rotinterp:', {'notEnoughInputs', 'notRealDouble', 'method', 'tiShape', 'timeShape', ...
%!                                             'timeInterval'}));
%!error <method must be 'slerp' or 'spline'> rotinterp (1, [1; 0; 0; 0], 0, 'linear')
