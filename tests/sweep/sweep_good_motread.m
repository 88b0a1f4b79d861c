function [good, names, extra] = sweep_good_motread ()
% A good call of motread for the input sweep (see sweep_good_c3dread.m).
  cd (tempdir ());
  copyfile (fullfile (fileparts (mfilename ('fullpath')), '..', '..', 'toolbox', 'rotkit', 'samples', 'walk.mot'), 'rotkit_sweep.mot');
  copyfile (fullfile (fileparts (mfilename ('fullpath')), '..', '..', 'toolbox', 'rotkit', 'samples', 'walk.trc'), 'rotkit_sweep.trc');
  good = {'rotkit_sweep.mot'};
  names = {'FILE'};
  extra = {1, {'the name as a column', good{1}'; 'a TRC file', 'rotkit_sweep.trc'; 'a folder', '.'}};
end
