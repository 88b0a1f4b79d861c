function kinds = sweep_word_kinds (name, words)
%SWEEP_WORD_KINDS Kinds of a word argument (rotvel's frame, rotinterp's
%   method) for the input sweep: each word it takes, and every way to get
%   one wrong.
  kinds = cell (0, 2);
  for k = 1:numel (words)
    kinds(end + 1, :) = {sprintf("%s '%s'", name, words{k}), words{k}};
  end
  w = words{1};
  kinds = [kinds; {
    sprintf("%s '%s' (upper case)", name, upper (w)),  upper(w)
    sprintf("%s '%s'", name, w(1:2)),                  w(1:2)
    sprintf("%s ''", name),                            ''
    sprintf("%s 2 x %d char", name, numel (w)),        [w; w]
    sprintf('%s "%s" (a string)', name, w),            w
    sprintf("%s {'%s'}", name, w),                     {w}
    sprintf("%s 1 (double)", name),                    1
  }];
end
