function Qi = mcode_rotinterp(t, Q, ti)
%MCODE_ROTINTERP Slerp between neighbouring keys at any times as vectorised
%   m-code, for the end-to-end benchmark: each query's step by interp1
%   ('previous'), then Q(:,k) times the exponential of the step's rotation
%   vector scaled to the query. t is 1 x N, Q 4 x N, ti 1 x M within t.
  n = numel(t);
  k = min(interp1(t, 1:n, ti, 'previous'), n - 1);
  s = (ti - t(k)) ./ (t(k + 1) - t(k));
  a = Q(:, k);
  v = mcode_rot2vec(mcode_rotcompose([a(1, :); -a(2:4, :)], Q(:, k + 1)));
  Qi = mcode_rotcompose(a, mcode_vec2rot(v .* s));
end
