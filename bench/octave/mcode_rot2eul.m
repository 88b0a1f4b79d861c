function A = mcode_rot2eul(q, seq)
%MCODE_ROT2EUL Quaternions to Euler angles as vectorised m-code, for the
%   end-to-end benchmark: the direct method (atan2 of sums and differences
%   of components) over all columns at once, without lock handling.
%   q is 4 x N; seq as for rot2eul.
  axes = lower(seq) - 'x' + 1;
  extrinsic = seq(1) >= 'a';
  if extrinsic
    axes = fliplr(axes);
  end
  i = axes(1); j = axes(2);
  other = 6 - i - j;
  e = 1 - 2 * (mod(j - i, 3) ~= 1);
  proper = axes(1) == axes(3);
  if proper
    a = q(1,:); b = q(1+i,:); c = q(1+j,:); d = e * q(1+other,:);
  else
    a = q(1,:) - q(1+j,:); b = q(1+i,:) - e * q(1+other,:);
    c = q(1+j,:) + q(1,:); d = q(1+i,:) + e * q(1+other,:);
  end
  middle = 2 * atan2(hypot(c, d), hypot(a, b));
  sigma = atan2(b, a); delta = atan2(d, c);
  first = sigma + delta; third = sigma - delta;
  if !proper
    middle = middle - pi/2;
    third = -e * third;
  end
  first = mod(first + pi, 2*pi) - pi;
  third = mod(third + pi, 2*pi) - pi;
  A = [first; middle; third];
  if extrinsic
    A = flipud(A);
  end
end
