function [good, names, extra] = sweep_good_bvhread ()
% A good call of bvhread for the input sweep: a small file, named relative
% to the temporary folder where the sweep's calls run (sweep_child.m); and
% names of a missing file and of a folder for FILE.
  fid = fopen (fullfile (tempdir (), 'rotkit_sweep.bvh'), 'w');
  fprintf (fid, 'HIERARCHY\nROOT A\n{\nOFFSET 0 0 0\nCHANNELS 3 Xposition Yposition Zposition\n');
  fprintf (fid, 'End Site\n{\nOFFSET 0 1 0\n}\n}\nMOTION\nFrames: 2\nFrame Time: 0.5\n0 1 2\n3 4 5\n');
  fclose (fid);
  good = {'rotkit_sweep.bvh'};
  names = {'FILE'};
  extra = {1, {'a missing file (no such file.bvh)', 'no such file.bvh'
               'a folder (.)', '.'}};
end
