function b = bitsof(x)
%BITSOF Bit patterns of a double array, as uint64, for exact comparisons
%   that tell -0 from +0. NaN payloads are not results: compare NaN with isnan.
  b = typecast(double(x(:)), 'uint64');
end
