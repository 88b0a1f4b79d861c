function q = mcode_rotslerp(q1, q2, t)
%MCODE_ROTSLERP Spherical interpolation column by column as vectorised
%   m-code, for the end-to-end benchmark: q1 and q2 are 4 x N, t is 1 x N;
%   the shorter arc, and the normalised linear blend at and above 0.999.
  d = sum(q1 .* q2, 1);
  flip = d < 0;
  q2(:, flip) = -q2(:, flip);
  d(flip) = -d(flip);
  s = sqrt(1 - d .^ 2);
  theta = atan2(s, d);
  q = q1 .* (sin((1 - t) .* theta) ./ s) + q2 .* (sin(theta .* t) ./ s);
  linear = ~(d < 0.999);
  if any(linear)
    c = q1(:, linear) .* (1 - t(linear)) + q2(:, linear) .* t(linear);
    q(:, linear) = c ./ sqrt(sum(c .^ 2, 1));
  end
end
