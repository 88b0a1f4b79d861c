function [good, names, extra] = sweep_good_rotinterp ()
% A good call of rotinterp for the input sweep: three keys of a turn about
% z, two query times between them, the spline; and methods of every kind.
  good = {[0 1 2], [cos([0 0.5 1]); zeros(2, 3); sin([0 0.5 1])], [0.5 1.5], 'spline'};
  names = {'t', 'Q', 'ti', 'method'};
  extra = {4, sweep_word_kinds('method', {'slerp', 'spline'})};
end
