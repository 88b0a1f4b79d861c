function [good, names, extra] = sweep_good_trcread ()
% A good call of trcread for the input sweep (see sweep_good_c3dread.m).
  cd (tempdir ());
  copyfile (fullfile (fileparts (mfilename ('fullpath')), '..', '..', 'toolbox', 'rotkit', 'samples', 'walk.trc'), 'rotkit_sweep.trc');
  copyfile (fullfile (fileparts (mfilename ('fullpath')), '..', '..', 'toolbox', 'rotkit', 'samples', 'walk.c3d'), 'rotkit_sweep.c3d');
  good = {'rotkit_sweep.trc'};
  names = {'FILE'};
  extra = {1, {'the name as a column', good{1}'; 'a C3D file', 'rotkit_sweep.c3d'; 'a folder', '.'}};
end
