function [good, names, extra] = sweep_good_rotcompose ()
% A good call of rotcompose for the input sweep: two 4 x 2 arrays.
  h = sqrt (0.5);
  good = {[1 h; 0 0; 0 0; 0 h], [0 h; 1 h; 0 0; 0 0]};
  names = {'Q1', 'Q2'};
  extra = {};
end
