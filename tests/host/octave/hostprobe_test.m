% The oct-file binding (src/host/octave) held to Octave's own MEX interface:
% one gateway that calls every host operation (hostprobe_gateway.cpp), built
% both ways, must see every kind of input alike and hand back the same
% values, messages, identifiers, warnings and outputs; an error raised after
% the output exists leaves nothing behind; and with both files in one
% folder Octave calls the oct-file.
% ctest BUILDS: oct

%!shared oct, mex, probes
%! probes = fullfile (fileparts (fileparts (which ("rotcompose"))), "tests", "hostprobe");
%! oct = mex = [];
%! if (! exist (fullfile (probes, "mex", "hostprobe.mex"), "file"))
%!   skip_test_file ("no MEX build beside the oct-files (ROTKIT_OCTAVE_MEX is OFF)");
%! else
%!   % A simple function handle keeps the file it was made from.
%!   addpath (fullfile (probes, "mex"));
%!   mex = @hostprobe;
%!   rmpath (fullfile (probes, "mex"));
%!   addpath (fullfile (probes, "oct"));
%!   oct = @hostprobe;
%!   assert (! strcmp (functions (oct).file, functions (mex).file));
%! end

%!function [message, identifier] = raised (f, varargin)
%!  message = identifier = "(none)";
%!  try
%!    f (varargin{:});
%!  catch err
%!    message = err.message;
%!    identifier = err.identifier;
%!  end
%!endfunction

%!test
%! % Every class, shape, complexity and sparsity, as the two interfaces read it.
%! if (isempty (oct)) return; end
%! inputs = {[], zeros(2, 0), zeros(0, 3), 1, -0, [1 2; 3 4], reshape(1:24, 2, 3, 4), 1:0, 2:4, ...
%!           complex([1 2 3], -1), sparse([1 0 2]), sparse(logical([1 0 1])), single([1 2]), int8(-3), ...
%!           uint64(5), true, logical([1 0 1 1 0]), "abc", "", ["ab"; "cd"], "a longer text", {}, {1, "a"}, ...
%!           struct(), struct("a", {}), struct("a", 1, "b", "x"), struct("a", {1, 2}), zeros(0, 2^31), ...
%!           [NaN -Inf]};
%! for k = 1:numel (inputs)
%!   assert (samebits (oct ("describe", inputs{k}), mex ("describe", inputs{k})), "input %d is seen otherwise", k);
%! end
%! d = oct ("describe", complex ([1 2 3], -1));
%! assert (d.data, [1 2 3]);  % the real parts
%! d = oct ("describe", reshape (1:24, 2, 3, 4));
%! assert ([d.m, d.n, d.dims], [2, 12, 2, 3, 4]);

%!test
%! % Fields and cell elements of the caller's values, and field names in order.
%! if (isempty (oct)) return; end
%! s = struct ("b", {1, "two"}, "a", {[], {3}});
%! for call = {{"field", s, 0, "b"}, {"field", s, 1, "b"}, {"field", s, 1, "a"}, {"field", s, 0, "zz"}, ...
%!             {"cell", {1, "a"; [], {}}, 3}, {"cell", {1, "a"}, 1}, ...
%!             {"fields", s}, {"fields", struct()}}
%!   assert (samebits (oct (call{1}{:}), mex (call{1}{:})), "%s differs", call{1}{1});
%! end
%! assert (oct ("fields", s), {"b", "a"});
%! % Octave's MEX interface raises an error for a field or an element of
%! % another class; the binding gives null, as MATLAB does.
%! assert ({oct("field", 5, 0, "b"), oct("cell", 1, 0), oct("field", s, 2, "b")}, {"none", "none", "none"});

%!test
%! % Created arrays of every kind, uninitialised ones written whole, and
%! % arrays destroyed with what they hold.
%! if (isempty (oct)) return; end
%! created = oct ("create");
%! assert (samebits (created, mex ("create")));
%! assert (class (created.text), "char");
%! assert (size (created.noText), [0 0]);
%! assert (size (created.pages), [2 3 4]);
%! assert (size (created.flat), [2 3]);
%! assert (created.cell, {"first", [], 3});
%! assert (samebits (created.uninit, [0.5, -0]));
%! assert (samebits (oct ("uninit", 3, 4), reshape (0:11, 3, 4)));
%! assert (samebits (oct ("uninit", 0, 4), zeros (0, 4)));
%! assert (oct ("destroy"), mex ("destroy"));

%!test
%! % Messages with the function's name, identifiers, warnings.
%! if (isempty (oct)) return; end
%! for kind = {"plain", "id", "newline"}
%!   [message, identifier] = raised (oct, "error", kind{1}, 2);
%!   [mexMessage, mexIdentifier] = raised (mex, "error", kind{1}, 2);
%!   assert ({message, identifier}, {mexMessage, mexIdentifier});
%! end
%! assert (raised (oct, "error", "id", 2), "hostprobe: failed after creating its output (100%).");
%! [~, identifier] = raised (oct, "error", "id", 2);
%! assert (identifier, "rotkit:hostprobe:afterOutput");
%! assert (raised (oct, "unknown"), raised (mex, "unknown"));
%! state = warning ();
%! unwind_protect
%!   warning ("on", "rotkit:hostprobe:careful");
%!   lastwarn ("");
%!   evalc ('oct ("warn", "rotkit:hostprobe:careful", "mind the 100%")');
%!   [message, identifier] = lastwarn ();
%!   lastwarn ("");
%!   evalc ('mex ("warn", "rotkit:hostprobe:careful", "mind the 100%")');
%!   assert ({message, identifier}, nthargout (1:2, @lastwarn));
%!   assert ({message, identifier}, {"hostprobe: mind the 100%", "rotkit:hostprobe:careful"});
%!   % A warning made an error leaves the call as an error does.
%!   warning ("error", "rotkit:hostprobe:careful");
%!   [message, identifier] = raised (oct, "warn", "rotkit:hostprobe:careful", "stop");
%!   assert ({message, identifier}, nthargout (1:2, @raised, mex, "warn", "rotkit:hostprobe:careful", "stop"));
%!   assert (identifier, "rotkit:hostprobe:careful");
%! unwind_protect_cleanup
%!   warning (state);
%! end_unwind_protect

%!test
%! % nlhs as a MEX file gets it: 0 for a bare call (the result goes to
%! % ans), and outputs left unset as Octave reports them.
%! if (isempty (oct)) return; end
%! [a, b, c] = oct ("outputs");
%! assert ([a, b, c], [3 3 3]);
%! oct ("outputs");
%! assert (ans, 0);
%! mex ("outputs");
%! assert (ans, 0);
%! assert (raised (@() oct ("none") + 1), raised (@() mex ("none") + 1));
%! oct ("none");  % no output asked, none set: no error

%!test
%! % An error after the output exists frees it: 20 calls of 72 MB each
%! % (zero-filled, so every page is touched) leave the resident size as it
%! % was, give or take a fraction of what a leak would add.
%! if (isempty (oct)) return; end
%! resident = @() str2double (strsplit (fileread ("/proc/self/statm")){2}) * 4096;
%! before = resident ();
%! for k = 1:20
%!   raised (oct, "error", "id", 3000);
%! end
%! assert (resident () - before < 0.25 * 20 * 3000^2 * 8);

%!test
%! % f.oct and f.mex in one folder: Octave calls f.oct.
%! if (isempty (oct)) return; end
%! both = tempname ();
%! mkdir (both);
%! unwind_protect
%!   copyfile (fullfile (probes, "oct", "hostprobe.oct"), both);
%!   copyfile (fullfile (probes, "mex", "hostprobe.mex"), both);
%!   addpath (both);
%!   [~, ~, extension] = fileparts (which ("hostprobe"));
%!   assert (extension, ".oct");
%! unwind_protect_cleanup
%!   rmpath (both);
%!   confirm_recursive_rmdir (false, "local");
%!   rmdir (both, "s");
%! end_unwind_protect
