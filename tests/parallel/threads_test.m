% Thread counts change speed, never bits: every compiled function of the build,
% on random data large enough to be split (and on odd lengths), gives the
% same bits with ROTKIT_NUM_THREADS = 1, 2, 3 and 7, set at the prompt
% between calls as a user would.

%!function outputs = call_all (name, args)
%!  if (any (strcmp (name, {'rot2eul', 'poseglobal', 'bvhread', 'asfread'})))
%!    [a, b] = feval (name, args{:});
%!    outputs = {a, b};
%!  elseif (any (strcmp (name, {'bvhwrite', 'c3dwrite', 'trcwrite', 'motwrite'})))
%!    outputs = {fileread(feval (name, args{:}))};
%!  elseif (strcmp (name, 'rotfit'))
%!    [q, t, rms] = feval (name, args{:});
%!    outputs = {q, t, rms};
%!  else
%!    outputs = {feval(name, args{:})};
%!  end
%!endfunction

%!test
%! addpath (fullfile (fileparts (which ('samebits')), '..', 'parallel'));
%! names = compiled_functions (fileparts (which ('rotcompose')));
%! assert (numel (names) >= 4);
%! previous = getenv ('ROTKIT_NUM_THREADS');
%! unwind_protect
%!   for n = names
%!     name = n{1};
%!     for columns = [300001, 77777]
%!       args = large_call (name, columns);
%!       setenv ('ROTKIT_NUM_THREADS', '1');
%!       reference = call_all (name, args);
%!       for threads = {'2', '3', '7'}
%!         setenv ('ROTKIT_NUM_THREADS', threads{1});
%!         got = call_all (name, args);
%!         for k = 1:numel (reference)
%!           assert (samebits (got{k}, reference{k}), '%s: %s threads differ from 1 (%d columns)', ...
%!                   name, threads{1}, columns);
%!         end
%!       end
%!     end
%!   end
%! unwind_protect_cleanup
%!   setenv ('ROTKIT_NUM_THREADS', previous);
%! end_unwind_protect
