function q = mcode_mat2rot(R)
%MCODE_MAT2ROT Quaternions of rotation matrices as vectorised m-code, for
%   the end-to-end benchmark: the largest pivot chosen per page with max,
%   the four cases filled by logical indexing, then normalised, w >= 0.
  r = reshape(R, 9, []);
  r11 = r(1,:); r21 = r(2,:); r31 = r(3,:);
  r12 = r(4,:); r22 = r(5,:); r32 = r(6,:);
  r13 = r(7,:); r23 = r(8,:); r33 = r(9,:);
  p = [1 + r11 + r22 + r33; 1 + r11 - r22 - r33; 1 - r11 + r22 - r33; 1 - r11 - r22 + r33];
  [~, pivot] = max(p, [], 1);
  q = zeros(4, columns(r));
  c = pivot == 1;
  q(:, c) = [p(1, c); r32(c) - r23(c); r13(c) - r31(c); r21(c) - r12(c)];
  c = pivot == 2;
  q(:, c) = [r32(c) - r23(c); p(2, c); r12(c) + r21(c); r13(c) + r31(c)];
  c = pivot == 3;
  q(:, c) = [r13(c) - r31(c); r12(c) + r21(c); p(3, c); r23(c) + r32(c)];
  c = pivot == 4;
  q(:, c) = [r21(c) - r12(c); r13(c) + r31(c); r23(c) + r32(c); p(4, c)];
  q = q ./ sqrt(sum(q .^ 2, 1));
  q(:, q(1,:) < 0) = -q(:, q(1,:) < 0);
end
