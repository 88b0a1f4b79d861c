function ok = samebits(a, b)
%SAMEBITS True when A and B have the same size and every element the same
%   bit pattern, -0 and +0 told apart; NaN matches NaN whatever the payload.
%   Structs (the same fields in the same order) and cells compare element
%   by element, text and logical arrays as they are.
  ok = isequal(size(a), size(b)) && strcmp(class(a), class(b));
  if ~ok
    return;
  end
  if isstruct(a)
    ok = isequal(fieldnames(a), fieldnames(b));
    names = fieldnames(a);
    for k = 1:numel(a)
      for f = 1:numel(names)
        ok = ok && samebits(a(k).(names{f}), b(k).(names{f}));
      end
    end
  elseif iscell(a)
    for k = 1:numel(a)
      ok = ok && samebits(a{k}, b{k});
    end
  elseif ischar(a) || islogical(a)
    ok = isequal(a, b);
  else
    nans = isnan(a(:));
    ok = isequal(nans, isnan(b(:))) && isequal(bitsof(a(~nans)), bitsof(b(~nans)));
  end
end
