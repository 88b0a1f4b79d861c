function d = mcode_rotdist(q1, q2)
%MCODE_ROTDIST The angle between rotations as vectorised m-code, for the
%   end-to-end benchmark: the product conj(q1)*q2 and 2*atan2(|v|, |s|),
%   which keeps its digits near pi but not near 0 (the product's vector
%   part there is a difference of nearly equal terms).
  aw = q1(1,:); ax = q1(2,:); ay = q1(3,:); az = q1(4,:);
  bw = q2(1,:); bx = q2(2,:); by = q2(3,:); bz = q2(4,:);
  s = aw.*bw + ax.*bx + ay.*by + az.*bz;
  x = aw.*bx - ax.*bw - ay.*bz + az.*by;
  y = aw.*by + ax.*bz - ay.*bw - az.*bx;
  z = aw.*bz - ax.*by + ay.*bx - az.*bw;
  d = 2 * atan2(sqrt(x.^2 + y.^2 + z.^2), abs(s));
end
