function r = mcode_rotapply(q, v)
%MCODE_ROTAPPLY Vectors turned by quaternions as vectorised m-code, for the
%   end-to-end benchmark: what a competent user writes instead of the MEX.
%   Scalar first; v + 2w(u x v) + 2u x (u x v), u the vector part of q, the
%   cross products written out row by row (faster than cross()).
  w = q(1,:); x = q(2,:); y = q(3,:); z = q(4,:);
  cx = y .* v(3,:) - z .* v(2,:);
  cy = z .* v(1,:) - x .* v(3,:);
  cz = x .* v(2,:) - y .* v(1,:);
  r = v + 2 * [w .* cx + (y .* cz - z .* cy);
               w .* cy + (z .* cx - x .* cz);
               w .* cz + (x .* cy - y .* cx)];
end
