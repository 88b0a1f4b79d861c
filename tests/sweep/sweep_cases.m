function cases = sweep_cases (name)
%SWEEP_CASES The calls of the input sweep for one function, in a fixed order.
%   CASES = SWEEP_CASES (NAME) is a struct array with fields
%     group  'counts' (every input and output count, on good inputs) or
%            'inputs' (one input replaced by a kind of array);
%     row    the row of the table: input count, or the kind of array;
%     col    the column: output count, or the input replaced;
%     nlhs   outputs requested;
%     args   the inputs.
%   The same NAME always gives the same cases, so a child process can run
%   case K of them by its number. The functions swept are those with a
%   sweep_good_NAME.m here (sweep_functions.m lists them).
  % sweep_good_NAME.m gives one call that succeeds, the names of its inputs,
  % and kinds of array of the function's own for some inputs ({position,
  % kinds} pairs, in the form of input_kinds).
  [good, names, extra] = feval (['sweep_good_' name]);
  cases = struct ('group', {}, 'row', {}, 'col', {}, 'nlhs', {}, 'args', {});
  n = numel (good);
  for nrhs = 0:n + 1
    args = [good, good(end)](1:nrhs);
    for nlhs = 0:2
      cases(end + 1) = make_case ('counts', sprintf ('%d', nrhs), sprintf ('%d', nlhs), nlhs, args);
    end
  end
  for p = 1:n
    kinds = input_kinds (good{p});
    for e = 1:rows (extra)
      if (extra{e, 1} == p)
        kinds = [kinds; extra{e, 2}];
      end
    end
    for k = 1:rows (kinds)
      args = good;
      args{p} = kinds{k, 2};
      cases(end + 1) = make_case ('inputs', kinds{k, 1}, names{p}, 1, args);
    end
  end
end

function c = make_case (group, row, col, nlhs, args)
  c = struct ('group', group, 'row', row, 'col', col, 'nlhs', nlhs, 'args', {args});
end

% Every class, complexity, sparsity and shape in place of the good input v.
% A char input (an axis sequence) is swept as double(v): its own kinds come
% from the function's extra kinds.
function kinds = input_kinds (v)
  if (isstruct (v))
    kinds = struct_kinds (v);
    return;
  end
  if (ischar (v))
    v = double (v);
  end
  [m, n] = size (v);
  stacked = repmat (v, 5, 1);
  nonfinite = v;
  nonfinite(1) = NaN;
  nonfinite(end) = Inf;
  kinds = {
    'good input (double)',      v
    'single',                   single(v)
    'int8',                     int8(v)
    'uint8',                    uint8(v)
    'int16',                    int16(v)
    'uint16',                   uint16(v)
    'int32',                    int32(v)
    'uint32',                   uint32(v)
    'int64',                    int64(v)
    'uint64',                   uint64(v)
    'logical',                  logical(v)
    'char',                     repmat('a', m, n)
    'cell',                     num2cell(v)
    'struct',                   struct('v', v)
    'function handle',          @sin
    'sparse double',            sparse(v)
    'sparse logical',           sparse(logical(v))
    'complex double',           complex(v, v)
    'NaN and Inf elements',     nonfinite
    'empty 0 x 0',              []
    'empty, no columns',        zeros(m, 0)
    'empty, no rows',           zeros(0, n)
    'empty single',             single([])
    'empty cell',               {}
    'empty char',               ''
    '1 row',                    stacked(1, :)
    '2 rows',                   stacked(1:2, :)
    '3 rows',                   stacked(1:3, :)
    '5 rows',                   stacked(1:5, :)
    'one column',               v(:, 1)
    'column vector of all',     v(:)
    'row vector of all',        v(:)'
    '3-D array (m x n x 2)',    cat(3, v, v)
    'empty 0 x (2^32 + 1)',     zeros(0, 2^32 + 1)
    'empty (2^32 + 1) x 0',     zeros(2^32 + 1, 0)
    'empty 0 x 2^31',           zeros(0, 2^31)
  };
end

% A struct input (bvhwrite's SKEL and MOTION): other classes, a struct
% without its first field, struct arrays, empty ones.
function kinds = struct_kinds (v)
  names = fieldnames (v);
  kinds = {
    'good input (struct)',      v
    'double',                   1
    'char',                     'a'
    'cell',                     {v}
    'function handle',          @sin
    'empty 0 x 0',              []
    'struct without its first field', rmfield(v, names{1})
    'struct array (1 x 2)',     [v, v]
    'empty struct (0 x 0)',     v([])
  };
end
