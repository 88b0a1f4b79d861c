% help <function> gives every compiled function's help file, whichever
% build is on the path: Octave reads a MEX file's help from the .m file
% beside it, and an oct-file reads the same file when it is loaded.

%!test
%! toolbox = fileparts (which ("rotcompose"));
%! names = compiled_functions (toolbox);
%! assert (numel (names) >= 4);
%! for k = 1:numel (names)
%!   [text, format] = get_help_text (names{k});
%!   assert (strcmp (text, get_help_text_from_file (fullfile (toolbox, [names{k} ".m"]))), "help %s", names{k});
%!   assert (format, "plain text");
%!   assert (strncmp (text, upper (names{k}), numel (names{k})), "help %s starts otherwise", names{k});
%! end
