function [good, names, extra] = sweep_good_rotmean ()
% A good call of rotmean for the input sweep: three turns about z and
% their weights.
  good = {[1 0.8 0.6; 0 0 0; 0 0 0; 0 0.6 0.8], [1 2 3]};
  names = {'Q', 'W'};
  extra = {};
end
