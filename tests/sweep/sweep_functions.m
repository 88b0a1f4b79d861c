function names = sweep_functions ()
%SWEEP_FUNCTIONS The functions of the input sweep, in a fixed order: every NAME
%   with a sweep_good_NAME.m in this folder, the four first functions first.
  here = fileparts (mfilename ('fullpath'));
  files = dir (fullfile (here, 'sweep_good_*.m'));
  names = regexprep ({files.name}, '^sweep_good_(.*)\.m$', '$1');
  first = {'rotcompose', 'rotreverse', 'rotblend', 'posechain'};
  names = [first(ismember(first, names)), sort(setdiff(names, first))];
end
