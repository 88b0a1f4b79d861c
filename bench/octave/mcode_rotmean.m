function m = mcode_rotmean(q, w)
%MCODE_ROTMEAN The weighted chordal L2 mean of the quaternions q (4 x N) as
%   vectorised m-code, for the end-to-end benchmark: each column normalised
%   (as rotmean takes it), the weighted sum of q*q' by one matrix product,
%   eig, and the sign that makes w >= 0.
  q = q ./ sqrt(sum(q .^ 2, 1));
  [v, d] = eig((q .* w) * q');
  [~, i] = max(diag(d));
  m = v(:, i) * sign(v(1, i));
end
