function check_build_mex (root, kind, extension)
%CHECK_BUILD_MEX build_mex.m as a user runs it at the Octave prompt, into a
%   folder of its own: KIND '' (oct-files, what Octave gets by default) or
%   'mex' (MEX files, what MATLAB gets, built here with Octave's mex);
%   EXTENSION the file ending it must give every function of the manifest.
%   Help texts and the toolbox's m-files beside them, no fused multiply-add
%   in what it built, and the same bits as the build on the path.
  out = tempname ();
  unwind_protect
    octave = fullfile (OCTAVE_HOME (), "bin", "octave-cli");
    call = sprintf ("build_mex('%s')", out);
    if (! isempty (kind))
      call = sprintf ("build_mex('%s', '%s')", out, kind);
    end
    [status, output] = system (sprintf ("cd '%s' && '%s' --norc --no-history --quiet --eval \"%s\" 2>&1", ...
                                        root, octave, call));
    assert (status, 0, output);
    names = manifest_functions (root);
    for k = 1:numel (names)
      assert (exist (fullfile (out, [names{k} extension]), "file") > 0, "build_mex built no %s", names{k});
      assert (exist (fullfile (out, [names{k} ".m"]), "file") == 2, "build_mex copied no help for %s", names{k});
    end
    assert (numel (compiled_functions (out)), numel (names));
    assert (exist (fullfile (out, "Contents.m"), "file") == 2);
    [status, output] = system (sprintf ("bash '%s' %s/*%s", fullfile (root, "tools", "check_no_fma.sh"), ...
                                        out, extension));
    assert (status, 0, output);
    % The same sources and flags: the same bits as the build's functions.
    q = [0.5 0.1; 0.5 -0.7; 0.5 0.2; 0.5 0.4];
    results = fullfile (out, "results.bin");
    [status, output] = system (sprintf (["'%s' --norc --no-history --quiet --eval \"addpath('%s'); " ...
                                         "q = [0.5 0.1; 0.5 -0.7; 0.5 0.2; 0.5 0.4]; " ...
                                         "got = {rotcompose(q, q), rot2vec(q), rotslerp(q(:, 1), q(:, 2), 0.3)}; " ...
                                         "assert (strcmp (which ('rotcompose'), fullfile ('%s', 'rotcompose%s'))); " ...
                                         "save('-binary', '%s', 'got')\" 2>&1"], octave, out, out, extension, results));
    assert (status, 0, output);
    got = load (results).got;
    expected = {rotcompose(q, q), rot2vec(q), rotslerp(q(:, 1), q(:, 2), 0.3)};
    for k = 1:numel (got)
      assert (samebits (got{k}, expected{k}));
    end
  unwind_protect_cleanup
    if (exist (out, "dir"))
      confirm_recursive_rmdir (false, "local");
      rmdir (out, "s");
    end
  end_unwind_protect
end
