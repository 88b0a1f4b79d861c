function Q = mcode_rotunwrap(Q)
%MCODE_ROTUNWRAP Quaternion signs made continuous as vectorised m-code, for
%   the end-to-end benchmark: a running parity of the negative dot products
%   of neighbouring columns. Q is 4 x N.
  flips = mod(cumsum([0, sum(Q(:, 1:end - 1) .* Q(:, 2:end), 1) < 0]), 2);
  Q = Q .* (1 - 2 * flips);
end
