function r = mcode_rotnormalize(q)
%MCODE_ROTNORMALIZE Quaternions divided by their lengths as vectorised
%   m-code, for the end-to-end benchmark.
  r = q ./ sqrt(sum(q .^ 2, 1));
end
