function W = mcode_rotvel(Q, t)
%MCODE_ROTVEL Body angular velocity at every sample as vectorised m-code,
%   for the end-to-end benchmark: the steps' rotation vectors over their
%   lengths, weighted at the inner samples, extrapolated at the ends.
%   Q is 4 x N (N >= 3), t the 1 x N times.
  conjugate = [Q(1, 1:end - 1); -Q(2:4, 1:end - 1)];
  h = diff(t);
  a = mcode_rot2vec(mcode_rotcompose(conjugate, Q(:, 2:end))) ./ h;
  before = h(1:end - 1);
  after = h(2:end);
  W = zeros(3, size(Q, 2));
  W(:, 2:end - 1) = (a(:, 1:end - 1) .* after + a(:, 2:end) .* before) ./ (before + after);
  W(:, 1) = a(:, 1) + (a(:, 1) - a(:, 2)) * (h(1) / (h(1) + h(2)));
  W(:, end) = a(:, end) + (a(:, end) - a(:, end - 1)) * (h(end) / (h(end) + h(end - 1)));
end
