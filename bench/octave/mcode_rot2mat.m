function R = mcode_rot2mat(q)
%MCODE_ROT2MAT Rotation matrices of quaternions as vectorised m-code, for
%   the end-to-end benchmark: the nine elements as rows, then one reshape
%   into 3 x 3 x N pages.
  w = q(1,:); x = q(2,:); y = q(3,:); z = q(4,:);
  ww = w .* w; xx = x .* x; yy = y .* y; zz = z .* z;
  xy = x .* y; xz = x .* z; yz = y .* z; wx = w .* x; wy = w .* y; wz = w .* z;
  R = reshape([ww + xx - yy - zz; 2 * (xy + wz); 2 * (xz - wy);
               2 * (xy - wz); ww - xx + yy - zz; 2 * (yz + wx);
               2 * (xz + wy); 2 * (yz - wx); ww - xx - yy + zz], 3, 3, []);
end
