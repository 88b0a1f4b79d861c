function [good, names, extra] = sweep_good_bvhwrite ()
% A good call of bvhwrite for the input sweep: a file named relative to
% the temporary folder where the sweep's calls run (sweep_child.m), a
% shoulder and an elbow with its End Site, two frames.
  skel.parents = [0 1 2];
  skel.offsets = [0 10 5; 0 0 0; 0 0 0];
  skel.names = {'Shoulder', 'Elbow', 'Elbow_end'};
  motion.rootPositions = zeros (3, 2);
  motion.localRotations = repmat ([1; 0; 0; 0], 3, 2);
  motion.frameTime = 0.5;
  good = {'rotkit_sweep_out.bvh', skel, motion};
  names = {'FILE', 'SKEL', 'MOTION'};
  extra = {1, {'a folder that is not there', 'no/such/folder/x.bvh'}};
end
