% motionresample's 'spline' method: original frames kept bit for bit, the
% rotations those of rotinterp's spline through the frames, positions
% interp1's cubic spline, and the method checked.

%!shared motion
%! file = fullfile (fileparts (which ('bvhread')), 'samples', 'walk.bvh');
%! [~, motion] = bvhread (file);

%!test
%! fast = motionresample (motion, motion.frameTime / 3, 'spline');
%! assert (samebits (fast.localRotations(:, 1:3:end), motion.localRotations));
%! assert (samebits (fast.rootPositions(:, 1:3:end), motion.rootPositions));
%! N = size (motion.localRotations, 2);
%! u = (1:3:3 * (N - 1)) / 3;   % frames of motion, one past each original frame
%! expected = rotinterp (motion.frameTime, motion.localRotations, u * motion.frameTime, 'spline');
%! assert (fast.localRotations(:, 2:3:end), expected, 1e-13);
%! assert (fast.rootPositions(:, 2:3:end), interp1 (0:N - 1, motion.rootPositions.', u, 'spline').', 1e-12);

%!test
%! % 'slerp' is the default; one frame gives that frame.
%! assert (isequal (motionresample (motion, 0.01), motionresample (motion, 0.01, 'slerp')));
%! one = motion;
%! one.rootPositions = motion.rootPositions(:, 1);
%! one.localRotations = motion.localRotations(:, 1);
%! if isfield (one, 'leafRotations')
%!   one.leafRotations = motion.leafRotations(:, 1);
%! end
%! assert (samebits (motionresample (one, 0.01, 'spline').localRotations, one.localRotations));

%!error <METHOD must be 'slerp' or 'spline'> motionresample (motion, 0.01, 'cubic')
