function Q = mcode_rotintegrate(W, t, q0)
%MCODE_ROTINTEGRATE Orientations from body rates as vectorised m-code, for
%   the end-to-end benchmark: each step's turn by the trapezoid rule, then
%   their running products by a scan of log2(N) vectorised Hamilton
%   products (no loop over the samples). W is 3 x N, t 1 x N, q0 4 x 1.
  h = diff(t);
  P = [[1; 0; 0; 0], mcode_vec2rot((W(:, 1:end - 1) + W(:, 2:end)) .* (h / 2))];
  n = size(P, 2);
  shift = 1;
  while shift < n
    P(:, shift + 1:end) = mcode_rotcompose(P(:, 1:end - shift), P(:, shift + 1:end));
    shift = 2 * shift;
  end
  Q = mcode_rotcompose(q0, P);
end
