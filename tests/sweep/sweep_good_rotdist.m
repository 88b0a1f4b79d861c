function [good, names, extra] = sweep_good_rotdist ()
% A good call of rotdist for the input sweep: a quarter turn about z and
% the identity, against the identity and a half turn about x.
  h = sqrt (0.5);
  good = {[h 1; 0 0; 0 0; h 0], [1 0; 0 1; 0 0; 0 0]};
  names = {'Q1', 'Q2'};
  extra = {};
end
