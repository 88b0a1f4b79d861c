function [good, names, extra] = sweep_good_rotslerp ()
% A good call of rotslerp for the input sweep: two pairs of rotations, each
% at a parameter of its own.
  h = sqrt (0.5);
  good = {[1 1; 0 0; 0 0; 0 0], [h 0; 0 1; 0 0; h 0], [0.5 0.25]};
  names = {'Q1', 'Q2', 'T'};
  extra = {};
end
