function q = mcode_vec2rot(v)
%MCODE_VEC2ROT Rotation vectors to unit quaternions as vectorised m-code, for
%   the end-to-end benchmark. v is 3 x N.
  theta = vecnorm(v);
  f = sin(theta / 2) ./ theta;
  f(theta == 0) = 0.5;
  q = [cos(theta / 2); f .* v];
end
