function [good, names, extra] = sweep_good_rot2vec ()
% A good call of rot2vec for the input sweep: a quarter turn about z and the identity.
  h = sqrt (0.5);
  good = {[h 1; 0 0; 0 0; h 0]};
  names = {'Q'};
  extra = {};
end
