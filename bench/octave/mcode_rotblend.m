function q = mcode_rotblend(q1, q2, t)
%MCODE_ROTBLEND Spherical interpolation along the shorter arc as vectorised
%   m-code, for the end-to-end benchmark: q1 and q2 are 4 x 1, t is 1 x N.
  d = q1' * q2;
  if d < 0
    q2 = -q2;
    d = -d;
  end
  if d < 0.999
    s = sqrt(1 - d * d);
    theta = atan2(s, d);
    q = q1 .* (sin((1 - t) * theta) / s) + q2 .* (sin(theta * t) / s);
  else
    c = q1 .* (1 - t) + q2 .* t;
    q = c ./ sqrt(sum(c .^ 2, 1));
  end
end
