function [same, report] = bvh_round_trip(skel, motion, file)
%BVH_ROUND_TRIP Write SKEL and MOTION with bvhwrite, read them back, compare.
%   [SAME, REPORT] = BVH_ROUND_TRIP(SKEL, MOTION) writes into a temporary
%   file (or FILE), reads it with bvhread and tells whether the two agree:
%   the same tree (parents, offsets, names, channels, End Sites, leaf
%   joints; a NaN offset, of a joint whose translation changes, as NaN)
%   and frame time, exactly; joint positions from poseglobal (with
%   motion.offsets where the file has them, which both must) within
%   1e-9 of the skeleton's size (the longest chain of offsets from the
%   root, or the largest root coordinate if that is larger: a root far away
%   rounds at its own scale); the rotations of leaf joints within 1e-9, up
%   to sign. REPORT holds the differences: positionError (absolute),
%   scale, positionRatio = positionError / scale, leafError, and
%   what (the first thing that differs, '' if nothing). Used by the tests
%   of tests/motionfiles/bvh and by make mutate.
  temporary = nargin < 3;
  if temporary
    file = [tempname() '.bvh'];
  end
  cleanup = onCleanup(@() removeIf(file, temporary));
  bvhwrite(file, skel, motion);
  [skel2, motion2] = bvhread(file);

  report = struct('positionError', 0, 'scale', 0, 'positionRatio', 0, 'leafError', 0, 'what', '');
  for field = {'parents', 'offsets', 'names', 'channels', 'endSites', 'leafJoints'}
    a = skel.(field{1});
    b = skel2.(field{1});
    if isnumeric(a) && isnumeric(b) && isequal(size(a), size(b))
      a(isnan(a)) = Inf;      % NaN marks a changing translation: the same in both
      b(isnan(b)) = Inf;
    end
    if ~isequal(a, b)
      report.what = ['skel.' field{1}];
      same = false;
      return;
    end
  end
  if ~isequal(motion.frameTime, motion2.frameTime)
    report.what = 'motion.frameTime';
    same = false;
    return;
  end
  if isfield(motion, 'offsets') ~= isfield(motion2, 'offsets')
    report.what = 'motion.offsets (present in one only)';
    same = false;
    return;
  end
  P = posed(skel, motion);
  P2 = posed(skel2, motion2);
  report.scale = max([skeletonSize(skel, motion), max(abs(motion.rootPositions(:))), realmin]);
  finite = isfinite(P) & isfinite(P2);
  if ~isequal(isfinite(P), isfinite(P2)) || ~isequal(P(~finite), P2(~finite))
    report.what = 'positions (non-finite)';
    same = false;
    return;
  end
  report.positionError = max([0; abs(P(finite) - P2(finite))]);
  report.positionRatio = report.positionError / report.scale;
  if ~(report.positionRatio <= 1e-9)
    report.what = 'positions';
  end
  A = reshape(motion.leafRotations, 4, []);
  B = reshape(motion2.leafRotations, 4, []);
  if ~isequal(size(A), size(B))
    report.what = 'motion.leafRotations (size)';
  elseif ~isempty(A)
    A = A ./ sqrt(sum(A .^ 2, 1));
    B = B ./ sqrt(sum(B .^ 2, 1));
    report.leafError = max(min(sqrt(sum((A - B) .^ 2, 1)), sqrt(sum((A + B) .^ 2, 1))));
    if ~(report.leafError <= 1e-9) && isempty(report.what)
      report.what = 'motion.leafRotations';
    end
  end
  same = isempty(report.what);
end

function P = posed(skel, motion)
  if isfield(motion, 'offsets')
    P = poseglobal(skel.parents, motion.offsets, motion.rootPositions, motion.localRotations);
  else
    P = poseglobal(skel.parents, skel.offsets, motion.rootPositions, motion.localRotations);
  end
end

% The longest chain of offsets from the root: no pose reaches farther.
function s = skeletonSize(skel, motion)
  J = numel(skel.parents);
  reach = zeros(1, J);
  offsets = skel.offsets;
  if isfield(motion, 'offsets') && ~isempty(motion.offsets)
    offsets = reshape(max(abs(motion.offsets), [], 2), 3, J);
  end
  lengths = sqrt(sum(offsets .^ 2, 1));
  for j = 2:J
    reach(j) = reach(skel.parents(j)) + lengths(j);
  end
  s = max(reach);
end

function removeIf(file, yes)
  if yes && exist(file, 'file')
    delete(file);
  end
end
