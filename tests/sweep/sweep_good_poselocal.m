function [good, names, extra] = sweep_good_poselocal ()
% A good call of poselocal for the input sweep: a root and two joints in a
% chain, two frames; and parent numbers of every kind for its first input.
  h = sqrt (0.5);
  good = {[0 1 2], repmat([h; 0; 0; h; 1; 0; 0; 0; h; h; 0; 0], 1, 2)};
  names = {'parents', 'G'};
  extra = {1, parent_numbers()};
end

% Parent numbers that do not name an earlier joint, and some that do.
function kinds = parent_numbers ()
  kinds = {
    'parents [0 0 2] (0)',               [0 0 2]
    'parents [0 -1 2] (negative)',       [0 -1 2]
    'parents [0 0.5 2] (truncates to 0)', [0 0.5 2]
    'parents [0 NaN 2]',                 [0 NaN 2]
    'parents [0 1 Inf]',                 [0 1 Inf]
    'parents [0 1 3] (itself)',          [0 1 3]
    'parents [0 3 1] (a later joint)',   [0 3 1]
    'parents [0 1 2.9] (truncates to 2)', [0 1 2.9]
    'parents [0 1 2^32+1]',              [0 1 2^32 + 1]
    'parents [NaN 1 2] (root element)',  [NaN 1 2]
  };
end
