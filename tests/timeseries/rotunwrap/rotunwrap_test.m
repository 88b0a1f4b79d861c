% rotunwrap through the Octave MEX build: signs only, continuous components
% after, joints on their own, and the errors' identifiers.

%!test
%! Q = vec2rot (cumsum (0.1 * randn (3, 300), 2));
%! S = Q .* sign (randn (1, 300));
%! U = rotunwrap (S);
%! assert (samebits (abs (U), abs (S)));
%! assert (all (sum (U(:, 1:end-1) .* U(:, 2:end)) >= 0));
%! assert (samebits (U(:, 1), S(:, 1)));
%! assert (samebits (rotunwrap ([S; -S]), [U; -U]));
%! rotunwrap (S);
%! assert (samebits (ans, U));

%!test
%! try
%!   rotunwrap (zeros (5, 2));
%! catch err
%!   assert (err.identifier, 'rotkit:rotunwrap:qRows');
%! end
%!error <Q must be a real, full double array.> rotunwrap (single ([1; 0; 0; 0]))
%!error <Too many input arguments; the call is Q2 = rotunwrap\(Q\)> rotunwrap ([1; 0; 0; 0], 1)
