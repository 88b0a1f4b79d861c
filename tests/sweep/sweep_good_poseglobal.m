function [good, names, extra] = sweep_good_poseglobal ()
% A good call of poseglobal for the input sweep: a root and two joints in
% a chain, two frames; parent numbers of every kind; offsets per frame.
  h = sqrt (0.5);
  good = {[0 1 2], [0 1 0; 0 0 2; 0 0 0], [0 1; 0 1; 0 1], repmat([h; 0; 0; h; 1; 0; 0; 0; 1; 0; 0; 0], 1, 2)};
  names = {'parents', 'offsets', 'rootPositions', 'localRotations'};
  extra = {1, {'parents [0 0 2] (0)', [0 0 2]
               'parents [0 1 1.5] (not whole)', [0 1 1.5]
               'parents [0 NaN 2]', [0 NaN 2]
               'parents [0 1 3] (a later joint)', [0 1 3]
               'parents [NaN 1 2] (root element)', [NaN 1 2]}
           2, {'offsets 9 x 2 (a set per frame)', repmat([0; 0; 0; 1; 0; 0; 0; 2; 0], 1, 2)
               'offsets 9 x 3', zeros(9, 3)}};
end
