% rotvel through the Octave MEX build: a constant rate at every sample, the
% world frame as the body rate turned by the orientation, joints as
% separate motions, shapes, ans, and the errors' identifiers.

%!shared Q, t, w
%! w = [0.3; -0.7; 0.4];
%! t = cumsum ([0, 0.01 + 0.02 * rand(1, 59)]);
%! Q = rotcompose ([0.6; 0; 0.8; 0], vec2rot (w * t));

%!test
%! assert (rotvel (Q, t), repmat (w, 1, 60), 1e-11);
%! assert (rotvel (Q, t, 'world'), repmat (rotapply ([0.6; 0; 0.8; 0], w), 1, 60), 1e-11);
%! % q and -q are one rotation
%! S = Q; S(:, 2:3:end) = -S(:, 2:3:end);
%! assert (samebits (rotvel (S, t), rotvel (Q, t)));

%!test
%! % Joints: each its own motion, bit for bit; trailing dimensions as columns.
%! P = rotcompose (Q, [cos(0.2); 0; sin(0.2); 0]);
%! W2 = rotvel ([Q; P], t, 'body');
%! assert (samebits (W2, [rotvel(Q, t); rotvel(P, t)]));
%! assert (size (rotvel (reshape (Q, 4, 30, 2), 0.1)), [3 60]);
%! rotvel (Q(:, 1:2), 0.5);
%! assert (samebits (ans, rotvel (Q(:, 1:2), [0 0.5])));
%! assert (samebits (rotvel (Q(:, 1), 1), NaN (3, 1)));
%! assert (size (rotvel (zeros (8, 0), 1)), [6 0]);

%!test
%! calls = {@() rotvel(Q), @() rotvel(Q, t, 'body', 1), @() rotvel(single (Q), t), @() rotvel(Q, {t}), ...
%!          @() rotvel(sparse (Q), t), @() rotvel(Q(1:3, :), t), @() rotvel(Q, -1), @() rotvel(Q, [t; t]), ...
%!          @() rotvel(Q, fliplr (t)), @() rotvel(Q, t, 'Body')};
%! assert (error_identifiers (calls), strcat ('rotkit:rotvel:', {'notEnoughInputs', 'tooManyInputs', 'notRealDouble', 'notRealDouble', 'sparse', ...
%!                                          'qRows', 'timeInterval', 'timeShape', 'timeOrder', 'frame'}));

%!error <Q must have 4 rows, or 4J for J joints> rotvel (zeros (3, 2), 1)
%!error <frame must be 'body' or 'world'> rotvel ([1; 0; 0; 0], 1, 'fixed')
