function [q, t, rms] = mcode_rotfit(a, b)
%MCODE_ROTFIT The per-frame rigid fit a user writes in m-code, for the
%   end-to-end benchmark: a loop over the frames, each a singular value
%   decomposition of the cross-covariance of the centred points (Kabsch)
%   with Umeyama's sign fix, the rotation matrix turned into a quaternion
%   by mat2rot. a is one 3M x 1 reference cluster, b is 3M x N.
  m = size(b, 1) / 3;
  n = size(b, 2);
  pa = reshape(a, 3, m);
  ca = mean(pa, 2);
  da = pa - ca;
  q = zeros(4, n);
  t = zeros(3, n);
  rms = zeros(1, n);
  for k = 1:n
    pb = reshape(b(:, k), 3, m);
    cb = mean(pb, 2);
    [u, ~, v] = svd(da * (pb - cb)');
    r = v * diag([1, 1, sign(det(v * u'))]) * u';
    q(:, k) = mat2rot(r);
    t(:, k) = cb - r * ca;
    rms(k) = sqrt(mean(sum((r * pa + t(:, k) - pb) .^ 2, 1)));
  end
end
