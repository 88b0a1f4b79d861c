function [good, names, extra] = sweep_good_asfread ()
% A good call of asfread for the input sweep (see sweep_good_c3dread.m):
% the sample skeleton and its motion.
  cd (tempdir ());
  samples = fullfile (fileparts (mfilename ('fullpath')), '..', '..', 'toolbox', 'rotkit', 'samples');
  copyfile (fullfile (samples, 'walk.asf'), 'rotkit_sweep.asf');
  copyfile (fullfile (samples, 'walk.amc'), 'rotkit_sweep.amc');
  good = {'rotkit_sweep.asf', 'rotkit_sweep.amc'};
  names = {'ASFFILE', 'AMCFILE'};
  extra = {1, {'the name as a column', good{1}'; 'the AMC file', good{2}}; ...
           2, {'the name as a column', good{2}'; 'the ASF file', good{1}}};
end
