function [good, names, extra] = sweep_good_rotreverse ()
% A good call of rotreverse for the input sweep: one 4 x 2 array.
  h = sqrt (0.5);
  good = {[1 h; 0 0; 0 0; 0 h]};
  names = {'Q'};
  extra = {};
end
