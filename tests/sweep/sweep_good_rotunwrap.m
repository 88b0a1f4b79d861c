function [good, names, extra] = sweep_good_rotunwrap ()
% A good call of rotunwrap for the input sweep: a turn about z whose middle
% sample has the other sign.
  good = {[cos([0 0.5 1]) .* [1 -1 1]; zeros(2, 3); sin([0 0.5 1]) .* [1 -1 1]]};
  names = {'Q'};
  extra = {};
end
