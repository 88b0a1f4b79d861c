function q = mcode_eul2rot(A, seq)
%MCODE_EUL2ROT Euler angles to unit quaternions as vectorised m-code, for the
%   end-to-end benchmark: the closed form from the half-angle sines and
%   cosines, over all columns at once. A is 3 x N; seq as for eul2rot.
  axes = lower(seq) - 'x' + 1;
  if seq(1) >= 'a'                 % extrinsic: the intrinsic reverse
    axes = fliplr(axes);
    A = flipud(A);
  end
  i = axes(1); j = axes(2);
  other = 6 - i - j;
  e = 1 - 2 * (mod(j - i, 3) ~= 1);   % +1 for the cyclic order x, y, z
  h = A / 2;
  c = cos(h); s = sin(h);
  cc = c(1,:) .* c(2,:); ss = s(1,:) .* s(2,:);
  sc = s(1,:) .* c(2,:); cs = c(1,:) .* s(2,:);
  q = zeros(4, columns(A));
  if axes(1) == axes(3)
    q(1,:) = cc .* c(3,:) - sc .* s(3,:);
    q(1+i,:) = cc .* s(3,:) + sc .* c(3,:);
    q(1+j,:) = cs .* c(3,:) + ss .* s(3,:);
    q(1+other,:) = e * (ss .* c(3,:) - cs .* s(3,:));
  else
    q(1,:) = cc .* c(3,:) - e * ss .* s(3,:);
    q(1+i,:) = sc .* c(3,:) + e * cs .* s(3,:);
    q(1+j,:) = cs .* c(3,:) - e * sc .* s(3,:);
    q(1+other,:) = cc .* s(3,:) + e * ss .* c(3,:);
  end
end
