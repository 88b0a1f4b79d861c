function [good, names, extra] = sweep_good_posechain ()
% A good call of posechain for the input sweep: a root and two joints in a
% chain, two frames; and parent numbers of every kind for its first input.
  h = sqrt (0.5);
  good = {[1 1 2], [0 1 0; 0 0 2; 0 0 0], [0 1; 0 1; 0 1], repmat([h; 0; 0; h; 1; 0; 0; 0; 1; 0; 0; 0], 1, 2)};
  names = {'parents', 'offsets', 'rootPositions', 'localRotations'};
  extra = {1, parent_kinds()};
end

% Parent numbers that do not name an earlier joint, and some that do.
function kinds = parent_kinds ()
  kinds = {
    'parents [1 0 2] (0)',              [1 0 2]
    'parents [1 -1 2] (negative)',      [1 -1 2]
    'parents [1 0.5 2] (truncates to 0)', [1 0.5 2]
    'parents [1 NaN 2]',                [1 NaN 2]
    'parents [1 Inf 2]',                [1 Inf 2]
    'parents [1 2 2] (itself)',         [1 2 2]
    'parents [1 3 2] (a later joint)',  [1 3 2]
    'parents [1 1 2.9] (truncates to 2)', [1 1 2.9]
    'parents [1 1 2^31]',               [1 1 2^31]
    'parents [1 1 2^32+1]',             [1 1 2^32 + 1]
    'parents [1 1 1e300]',              [1 1 1e300]
    'parents [NaN 1 2] (root element)', [NaN 1 2]
  };
end
