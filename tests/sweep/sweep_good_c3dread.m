function [good, names, extra] = sweep_good_c3dread ()
% A good call of c3dread for the input sweep: the sample C3D file under a
% name of fixed length in the temporary folder (the sweep's child works
% there), and file names that name no C3D file.
  cd (tempdir ());
  copyfile (fullfile (fileparts (mfilename ('fullpath')), '..', '..', 'toolbox', 'rotkit', 'samples', 'walk.c3d'), 'rotkit_sweep.c3d');
  copyfile (fullfile (fileparts (mfilename ('fullpath')), '..', '..', 'toolbox', 'rotkit', 'samples', 'walk.trc'), 'rotkit_sweep.trc');
  good = {'rotkit_sweep.c3d'};
  names = {'FILE'};
  extra = {1, {'the name as a column', good{1}'; 'a TRC file', 'rotkit_sweep.trc'; 'a folder', '.'}};
end
