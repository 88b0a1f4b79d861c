function positions = mcode_posechain(parents, offsets, rootPositions, localRotations)
%MCODE_POSECHAIN Forward kinematics as m-code, for the end-to-end benchmark:
%   a loop over the joints, each step vectorised over all frames. Frames run
%   down the columns of N x J matrices so that every joint's data is one
%   contiguous column.
  J = floor(size(localRotations, 1) / 4);
  N = size(rootPositions, 2);
  L = localRotations.';
  Gw = zeros(N, J); Gx = Gw; Gy = Gw; Gz = Gw;
  Px = zeros(N, J); Py = Px; Pz = Px;
  Gw(:,1) = L(:,1); Gx(:,1) = L(:,2); Gy(:,1) = L(:,3); Gz(:,1) = L(:,4);
  Px(:,1) = rootPositions(1,:).'; Py(:,1) = rootPositions(2,:).'; Pz(:,1) = rootPositions(3,:).';
  for j = 2:J
    p = fix(parents(j));
    aw = Gw(:,p); ax = Gx(:,p); ay = Gy(:,p); az = Gz(:,p);
    bw = L(:,4*j-3); bx = L(:,4*j-2); by = L(:,4*j-1); bz = L(:,4*j);
    w = aw.*bw - ax.*bx - ay.*by - az.*bz;
    x = aw.*bx + ax.*bw + ay.*bz - az.*by;
    y = aw.*by - ax.*bz + ay.*bw + az.*bx;
    z = aw.*bz + ax.*by - ay.*bx + az.*bw;
    Gw(:,j) = w; Gx(:,j) = x; Gy(:,j) = y; Gz(:,j) = z;
    v = offsets(:, j);
    % v + 2w (u x v) + 2 u x (u x v), with u the vector part.
    cx = y*v(3) - z*v(2); cy = z*v(1) - x*v(3); cz = x*v(2) - y*v(1);
    dx = y.*cz - z.*cy;   dy = z.*cx - x.*cz;   dz = x.*cy - y.*cx;
    Px(:,j) = Px(:,p) + (v(1) + 2 * (w.*cx + dx));
    Py(:,j) = Py(:,p) + (v(2) + 2 * (w.*cy + dy));
    Pz(:,j) = Pz(:,p) + (v(3) + 2 * (w.*cz + dz));
  end
  positions = zeros(3 * J, N);
  positions(1:3:end, :) = Px.';
  positions(2:3:end, :) = Py.';
  positions(3:3:end, :) = Pz.';
end
