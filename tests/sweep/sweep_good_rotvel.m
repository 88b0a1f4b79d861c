function [good, names, extra] = sweep_good_rotvel ()
% A good call of rotvel for the input sweep: a turn about z at three sample
% times, in the body's frame; and frames of every kind.
  good = {[cos([0 0.5 1]); zeros(2, 3); sin([0 0.5 1])], [0 0.5 1], 'body'};
  names = {'Q', 't', 'frame'};
  extra = {3, sweep_word_kinds('frame', {'body', 'world'})};
end
