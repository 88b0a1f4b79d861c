function [good, names, extra] = sweep_good_rotrand ()
% A good call of rotrand for the input sweep: three rotations; and counts
% of every kind.
  good = {3};
  names = {'N'};
  extra = {1, {
    'N = 0',            0
    'N = -1',           -1
    'N = 2.5',          2.5
    'N = NaN',          NaN
    'N = Inf',          Inf
    'N = 2^31',         2^31
    'N = true',         true
  }};
end
