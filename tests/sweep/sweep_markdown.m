function text = sweep_markdown (cases)
%SWEEP_MARKDOWN The input-handling tables of one function's CASES, as Markdown,
%   from the outcomes that RUN_SWEEP observed: first every input and output
%   count on good inputs, then each kind of array in place of each input.
  text = table_of (cases(strcmp ({cases.group}, 'counts')), 'inputs \ outputs requested');
  text = [text, "\n", table_of(cases(strcmp ({cases.group}, 'inputs')), 'input kind \ input replaced')];
end

% One table: rows and columns in order of first appearance; a cell that
% no case fills stays empty.
function text = table_of (cases, corner)
  rowNames = unique_in_order ({cases.row});
  colNames = unique_in_order ({cases.col});
  cells = repmat ({''}, numel (rowNames), numel (colNames));
  for c = cases
    cells{strcmp (rowNames, c.row), strcmp (colNames, c.col)} = c.outcome;
  end
  text = ['| ', corner, ' | ', strjoin(colNames, ' | '), " |\n"];
  text = [text, '|', repmat('---|', 1, numel (colNames) + 1), "\n"];
  for r = 1:numel (rowNames)
    text = [text, '| ', rowNames{r}, ' | ', strjoin(cells(r, :), ' | '), " |\n"];
  end
end

function names = unique_in_order (names)
  [~, first] = unique (names, 'first');
  names = names(sort (first));
end
