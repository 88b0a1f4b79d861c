function ok = samebits(a, b)
%SAMEBITS True when A and B have the same size and every element the same
%   bit pattern, -0 and +0 told apart; NaN matches NaN whatever the payload.
  ok = isequal(size(a), size(b));
  if ok
    nans = isnan(a(:));
    ok = isequal(nans, isnan(b(:))) && isequal(bitsof(a(~nans)), bitsof(b(~nans)));
  end
end
