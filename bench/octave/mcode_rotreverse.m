function r = mcode_rotreverse(q)
%MCODE_ROTREVERSE Quaternion inverses as vectorised m-code, for the
%   end-to-end benchmark: the conjugate divided by the squared norm.
  s = sum(q .^ 2, 1);
  r = [q(1,:); -q(2:4,:)] ./ s;
end
