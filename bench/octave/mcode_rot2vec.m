function v = mcode_rot2vec(q)
%MCODE_ROT2VEC Quaternions to rotation vectors as vectorised m-code, for the
%   end-to-end benchmark: w >= 0, angle 2*atan2(|u|, w). q is 4 x N.
  s = 1 - 2 * (q(1,:) < 0);
  u = q(2:4,:) .* s;
  w = abs(q(1,:));
  n = vecnorm(u);
  ratio = 2 * atan2(n, w) ./ n;
  ratio(n == 0) = 2 ./ w(n == 0);
  v = u .* ratio;
end
