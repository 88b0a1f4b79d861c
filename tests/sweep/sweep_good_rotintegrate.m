function [good, names, extra] = sweep_good_rotintegrate ()
% A good call of rotintegrate for the input sweep: a constant rate about z
% at three sample times from the identity, in the body's frame; and frames
% of every kind.
  good = {[0 0 0; 0 0 0; 1 1 1], [0 0.5 1], [1; 0; 0; 0], 'body'};
  names = {'W', 't', 'q0', 'frame'};
  extra = {4, sweep_word_kinds('frame', {'body', 'world'})};
end
