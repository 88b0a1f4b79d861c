function [good, names, extra] = sweep_good_rotapply ()
% A good call of rotapply for the input sweep: two rotations, two vectors.
  h = sqrt (0.5);
  good = {[1 h; 0 0; 0 0; 0 h], [1 0; 0 1; 0 0]};
  names = {'Q', 'V'};
  extra = {};
end
