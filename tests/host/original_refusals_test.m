% The original four functions (rotcompose, rotreverse, rotblend, posechain)
% raise their own texts, typos included, and no identifier: callers match
% on the texts. Every other compiled function raises identifiers of the
% form rotkit:<function>:<reason>.

%!function expect_text (code, message)
%!  q = [1; 0; 0; 0];  % for the code
%!  try
%!    eval (code);
%!  catch err
%!    assert (err.message, message);
%!    assert (err.identifier, "");
%!    return;
%!  end
%!  error ("no error from %s", code);
%!endfunction

%!test
%! expect_text ("x = rotcompose (q, q, q);", "rotcompose: Two inputs required.");
%! expect_text ("rotcompose (q, q);", "rotcompose: One output required.");
%! expect_text ("x = rotcompose (single (q), q);", "rotcompose: Input must be a real double array.");
%! expect_text ("x = rotcompose (zeros (4, 2), zeros (4, 3));", "rotcompose: Input Dimension missmatch");
%! expect_text ("x = rotcompose (zeros (4, 0), q);", "rotcompose: Q1 is empty!");
%! expect_text ("x = rotcompose (q, zeros (5, 1));", "rotcompose: Q2 has not 4 Dimensions!");
%! expect_text ("x = rotcompose (sparse (q), q);", "rotcompose: Sparse input is not supported; convert it with full().");
%! expect_text ("x = rotcompose (zeros (0, 2^32 + 1), q);", ...
%!              "rotcompose: Input is too large: row and column counts must be below 2^31.");
%! expect_text ("x = rotreverse ();", "rotreverse: One inputs required.");
%! expect_text ("rotreverse (q);", "rotreverse: One outputs required.");
%! expect_text ("x = rotreverse (ones (3, 2));", "rotreverse: Q must have at least 4 rows (w, x, y, z).");
%! expect_text ("x = rotblend (q, q);", "rotblend: Three inputs required.");
%! expect_text ("x = rotblend (q, q, @sin);", "rotblend: Input must be a full double array.");
%! expect_text ("x = rotblend ([1; 0], q, 0);", "rotblend: q1 must hold at least four elements (w, x, y, z).");
%! expect_text ("x = rotblend (q, q, zeros (0, 2));", "rotblend: t must hold at least one element per column.");
%! expect_text ("x = posechain (1, 2, 3);", "posechain: Four inputs required.");
%! expect_text ("posechain (0, zeros (3, 1), zeros (3, 1), q);", "posechain: One output required.");
%! expect_text ("x = posechain (0, zeros (3, 1), zeros (3, 2), zeros (4, 3));", "posechain: Input Dimension missmatch");
%! expect_text ("x = posechain ([0 2], zeros (3, 2), zeros (3, 1), zeros (8, 1));", ...
%!              "posechain: parents(2) must name an earlier joint (1 to 1).");

%!test
%! % Called without inputs, every other function of the manifest refuses
%! % with an identifier of its own.
%! root = fileparts (fileparts (fileparts (which ("samebits"))));
%! for name = setdiff (manifest_functions (root), {"rotcompose", "rotreverse", "rotblend", "posechain"})
%!   try
%!     x = feval (name{1});
%!   catch err
%!     assert (strncmp (err.identifier, ["rotkit:" name{1} ":"], numel (name{1}) + 8), ...
%!             "%s raised \"%s\" (%s)", name{1}, err.message, err.identifier);
%!   end
%! end
