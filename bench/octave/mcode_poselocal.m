function local = mcode_poselocal(parents, globalRotations)
%MCODE_POSELOCAL Local rotations from global ones as m-code, for the
%   end-to-end benchmark: a loop over the joints, each step vectorised over
%   all frames: the inverse of the parent's global rotation (conjugate over
%   squared norm) times the joint's own.
  J = numel(parents);
  local = globalRotations;
  for j = 2:J
    p = fix(parents(j));
    a = globalRotations(4 * p - 3:4 * p, :);
    a = [a(1, :); -a(2:4, :)] ./ sum(a .^ 2, 1);
    b = globalRotations(4 * j - 3:4 * j, :);
    local(4 * j - 3:4 * j, :) = ...
      [a(1,:).*b(1,:) - a(2,:).*b(2,:) - a(3,:).*b(3,:) - a(4,:).*b(4,:);
       a(1,:).*b(2,:) + a(2,:).*b(1,:) + a(3,:).*b(4,:) - a(4,:).*b(3,:);
       a(1,:).*b(3,:) - a(2,:).*b(4,:) + a(3,:).*b(1,:) + a(4,:).*b(2,:);
       a(1,:).*b(4,:) + a(2,:).*b(3,:) - a(3,:).*b(2,:) + a(4,:).*b(1,:)];
  end
end
