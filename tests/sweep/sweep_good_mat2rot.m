function [good, names, extra] = sweep_good_mat2rot ()
% A good call of mat2rot for the input sweep: the identity and a quarter
% turn as a 3 x 3 x 2 array, and the shapes of its own.
  good = {cat(3, eye (3), [0 -1 0; 1 0 0; 0 0 1])};
  names = {'R'};
  extra = {1, {
    '3 x 3 (one matrix)',        eye(3)
    '3 x 3 x 0',                 zeros(3, 3, 0)
    '3 x 3 x 2 x 2',             repmat(eye (3), [1 1 2 2])
    '9 x 2 (matrices as columns)', reshape(good{1}, 9, 2)
    '3 x 6 (matrices side by side)', reshape(good{1}, 3, 6)
  }};
end
