function [good, names, extra] = sweep_good_rotblend ()
% A good call of rotblend for the input sweep: a quarter turn at three parameters.
  h = sqrt (0.5);
  good = {[1; 0; 0; 0], [h; 0; 0; h], [0 0.5 1]};
  names = {'q1', 'q2', 't'};
  extra = {};
end
