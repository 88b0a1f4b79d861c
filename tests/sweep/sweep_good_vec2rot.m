function [good, names, extra] = sweep_good_vec2rot ()
% A good call of vec2rot for the input sweep: a quarter turn about z and no turn.
  good = {[0 0; 0 0; pi/2 0]};
  names = {'V'};
  extra = {};
end
