function ids = error_identifiers (calls)
%ERROR_IDENTIFIERS The identifier of the error each function handle in the
%   cell array CALLS raises when called ('' for a call that returns).
  ids = cell (1, numel (calls));
  for k = 1:numel (calls)
    try
      calls{k}();
      ids{k} = '';
    catch err
      ids{k} = err.identifier;
    end
  end
end
