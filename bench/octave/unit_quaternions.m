function q = unit_quaternions(n)
%UNIT_QUATERNIONS N random unit quaternions, scalar first, as a 4 x N array.
  q = randn(4, n);
  q = q ./ sqrt(sum(q .^ 2, 1));
end
