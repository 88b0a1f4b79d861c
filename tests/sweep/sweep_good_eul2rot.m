function [good, names, extra] = sweep_good_eul2rot ()
% A good call of eul2rot for the input sweep: two columns of angles, an
% intrinsic sequence; and sequences of every kind for its second input.
  good = {[pi/2 0; 0 pi/4; 0 0], 'ZXY'};
  names = {'A', 'seq'};
  extra = {2, sweep_seq_kinds()};
end
