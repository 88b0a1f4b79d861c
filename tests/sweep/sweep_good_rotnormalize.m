function [good, names, extra] = sweep_good_rotnormalize ()
% A good call of rotnormalize for the input sweep: two quaternions of length 5.
  good = {[3 0; 0 0; 0 0; 4 5]};
  names = {'Q'};
  extra = {};
end
