function [good, names, extra] = sweep_good_rot2mat ()
% A good call of rot2mat for the input sweep: the identity and a quarter turn.
  h = sqrt (0.5);
  good = {[1 h; 0 0; 0 0; 0 h]};
  names = {'Q'};
  extra = {};
end
