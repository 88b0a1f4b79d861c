%ROTFIT  Rigid motion that best carries points onto points, frame by frame.
%   [Q, T, RMS] = ROTFIT(A, B) finds, in each frame k, the rotation Q(:,k)
%   and the translation T(:,k) that carry the M points of A onto those of B
%   with the least sum of squared distances: they minimise
%   sum_m |ROTAPPLY(Q(:,k), a_m) + T(:,k) - b_m|^2. B is 3M x N, one column
%   per frame, point m in rows 3m-2 to 3m (the layout of POSECHAIN's
%   result and of motion files' markers); A is 3M x 1 (one reference
%   cluster, markers in a segment's own frame, say) or 3M x N. Q is 4 x N,
%   unit quaternions scalar first [w; x; y; z] with w >= 0 (at w = 0, a
%   half turn, the first nonzero of x, y, z positive); T is 3 x N; RMS is
%   1 x N, the root mean square of the distances left.
%   ROTFIT(A, B, W) weighs point m by W(m), a vector of M finite weights of
%   0 or more. ROTFIT(..., 'translation', false) fits a rotation alone: the
%   points are directions, nothing is centred and T is zero (what
%   scipy.spatial.transform.Rotation.align_vectors does).
%
%   A point with a NaN or Inf coordinate in A or B in a frame (a marker
%   lost to occlusion), or of weight 0, is left out of that frame's fit.
%   Where the rotation is not unique, that frame's Q, T and RMS are NaN:
%   fewer than 3 usable points (2 without translation), or all of them on
%   one line as far as double precision can tell (then the turn about that
%   line rests on rounding alone), or any other configuration that leaves
%   the best rotation free, such as a regular tetrahedron matched to its
%   mirror image. Precisely: the two largest eigenvalues of Horn's matrix
%   lie within 2^-44*rho of each other, rho = sum w*(|a|*|b-bc| +
%   |a-ac|*|b|) with |v| = |x|+|y|+|z| and ac, bc the weighted centroids, a
%   bound on what rounding the coordinates and the sums moves them by, some
%   2^8 times over. Points 1e-4 of the cluster's size off one line are well
%   inside what is fitted.
%
%   Method: Horn's closed form with quaternions (1987): S = sum w*(a-ac)*
%   (b-bc)', and Q the eigenvector of the largest eigenvalue of Horn's
%   symmetric 4 x 4 matrix of S, found by cyclic Jacobi rotations, which
%   keep full accuracy near a half turn and for flat clusters, and need no
%   sign fix; T = bc - ROTAPPLY(Q, ac). Q lies within a few units of 2^-52
%   of the exact least-squares rotation times the fit's condition, T within
%   as many of the coordinates' size (docs/accuracy.md). Coordinates of any
%   size are scaled by a power of two where they would overflow or
%   underflow. Every result is defined bit for bit; vector paths and
%   threads change speed, never bits.
%
%   Errors, checked in this order (the first failure is reported; nothing
%   is created before it), with their identifiers (err.identifier in a
%   catch); each message names the argument, as "B must be a real, full
%   double array." does:
%     rotkit:rotfit:notEnoughInputs   fewer than two inputs
%     rotkit:rotfit:tooManyInputs     more than five inputs
%     rotkit:rotfit:tooManyOutputs    more than three outputs
%     rotkit:rotfit:notRealDouble     A, B or W of another class, or
%                                     complex
%     rotkit:rotfit:sparse            A, B or W sparse
%     rotkit:rotfit:tooLarge          a count of A, B or W of 2^31 or more
%     rotkit:rotfit:pointRows         rows of B not a multiple of 3
%     rotkit:rotfit:aRows             A without the rows of B
%     rotkit:rotfit:aColumns          A with neither one column nor one
%                                     per frame
%     rotkit:rotfit:weightCount       W not a vector of one weight per
%                                     point
%     rotkit:rotfit:weightValues      a weight negative, NaN or Inf
%     rotkit:rotfit:option            an option other than 'translation'
%                                     (in any case)
%     rotkit:rotfit:optionValue       'translation' without a value
%     rotkit:rotfit:translationValue  a value other than true, false, 1
%                                     or 0
%   A call without an output returns Q into ans.
%
%   Examples: four markers of a segment, moved in frame 1, turned a
%   quarter turn about z and moved in frame 2, and so again in frame 3 with
%   marker 2 lost; two directions seen turned; three points on a line.
%     >> A = [0 100 0 0; 0 0 80 0; 0 0 0 60];        % markers in columns
%     >> q = [cos(pi/4); 0; 0; sin(pi/4)];           % 90 degrees about z
%     >> B1 = A + [10; 20; 30];
%     >> B2 = rotapply(q, A) + [0; 0; 5];
%     >> B3 = B2;  B3(:, 2) = NaN;
%     >> [Q, T, rms] = rotfit(A(:), [B1(:), B2(:), B3(:)]);
%     >> Q = round(Q * 1e12) / 1e12
%     Q =
%        1.0000   0.7071   0.7071
%             0        0        0
%             0        0        0
%             0   0.7071   0.7071
%     >> T = round(T * 1e12) / 1e12
%     T =
%        10    0    0
%        20    0    0
%        30    5    5
%     >> small = rms < 1e-12
%     small =
%       1  1  1
%     >> up = [0; 0; 1];  east = [1; 0; 0];
%     >> seen = rotapply(q, [up, east]);
%     >> Q = rotfit([up; east], seen(:), 'translation', false);
%     >> Q = round(Q * 1e12) / 1e12
%     Q =
%        0.7071
%             0
%             0
%        0.7071
%     >> line = rotfit([0; 0; 0; 1; 0; 0; 2; 0; 0], [0; 0; 0; 0; 1; 0; 0; 2; 0])
%     line =
%        NaN
%        NaN
%        NaN
%        NaN
%
%
%   See also ROTAPPLY, ROTDIST, ROTMEAN, POSELOCAL.

% This file holds the help text; the function itself is a MEX file.
