function [good, names, extra] = sweep_good_rot2eul ()
% A good call of rot2eul for the input sweep: a quarter turn about z and
% the identity, an intrinsic sequence; and sequences of every kind.
  h = sqrt (0.5);
  good = {[h 1; 0 0; 0 0; h 0], 'ZXY'};
  names = {'Q', 'seq'};
  extra = {2, sweep_seq_kinds()};
end
