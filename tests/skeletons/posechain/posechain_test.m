% posechain through the Octave MEX build.

%!function [P, G] = chainformulas (parents, offsets, root, local)
%! % The kernel's formulas in m-code, every frame at once: each product and
%! % sum rounded on its own, in the kernel's order.
%! J = floor (rows (local) / 4);
%! P = zeros (floor (3 * rows (local) / 4), columns (local));
%! G = zeros (size (local));
%! P(1:3,:) = root;
%! G(1:4,:) = local(1:4,:);
%! for j = 2:J
%!   p = fix (parents(j));
%!   Pw = G(4*p-3,:); Px = G(4*p-2,:); Py = G(4*p-1,:); Pz = G(4*p,:);
%!   Lw = local(4*j-3,:); Lx = local(4*j-2,:); Ly = local(4*j-1,:); Lz = local(4*j,:);
%!   w = ((Pw.*Lw - Px.*Lx) - Py.*Ly) - Pz.*Lz;
%!   x = ((Px.*Lw + Pw.*Lx) + Py.*Lz) - Pz.*Ly;
%!   y = ((Py.*Lw + Pw.*Ly) + Pz.*Lx) - Px.*Lz;
%!   z = ((Pz.*Lw + Pw.*Lz) + Px.*Ly) - Py.*Lx;
%!   G(4*j-3:4*j,:) = [w; x; y; z];
%!   v = offsets(:,j);
%!   cx = y*v(3) - z*v(2); cy = z*v(1) - x*v(3); cz = x*v(2) - y*v(1);
%!   dx = y.*cz - z.*cy; dy = z.*cx - x.*cz; dz = x.*cy - y.*cx;
%!   t = w*2.0;
%!   r = [(cx.*t + v(1)) + dx*2.0; (cy.*t + v(2)) + dy*2.0; (cz.*t + v(3)) + dz*2.0];
%!   P(3*j-2:3*j,:) = r + P(3*p-2:3*p,:);
%! end
%!endfunction

%!function P = matrixchain (parents, offsets, root, local)
%! % Forward kinematics with rotation matrices, written independently of
%! % the quaternion formulas; valid for unit quaternions only.
%! J = rows (local) / 4;
%! N = columns (local);
%! R = cell (1, J);
%! P = zeros (3 * J, N);
%! for j = 1:J
%!   q = reshape (local(4*j-3:4*j,:), 4, 1, N);
%!   w = q(1,1,:); x = q(2,1,:); y = q(3,1,:); z = q(4,1,:);
%!   L = [1-2*(y.^2+z.^2), 2*(x.*y-w.*z),   2*(x.*z+w.*y);
%!        2*(x.*y+w.*z),   1-2*(x.^2+z.^2), 2*(y.*z-w.*x);
%!        2*(x.*z-w.*y),   2*(y.*z+w.*x),   1-2*(x.^2+y.^2)];
%!   if j == 1
%!     R{1} = L;
%!     P(1:3,:) = root;
%!   else
%!     p = parents(j);
%!     A = R{p};
%!     C = zeros (3, 3, N);
%!     for r = 1:3
%!       for c = 1:3
%!         C(r,c,:) = A(r,1,:).*L(1,c,:) + A(r,2,:).*L(2,c,:) + A(r,3,:).*L(3,c,:);
%!       end
%!     end
%!     R{j} = C;
%!     turned = reshape (sum (C .* reshape (offsets(:,j), 1, 3), 2), 3, N);
%!     P(3*j-2:3*j,:) = P(3*p-2:3*p,:) + turned;
%!   end
%! end
%!endfunction

%!test
%! % The kernel's formulas, bit for bit, on a random tree with non-unit
%! % rotations, parent numbers with fractions and a row or column layout.
%! rand ("seed", 11);
%! J = 12; N = 40;
%! parents = [0, arrayfun(@(j) floor (rand * (j - 1)) + 1 + 0.5 * rand, 2:J)];
%! offsets = 4 * rand (3, J) - 2;
%! root = 4 * rand (3, N) - 2;
%! local = 4 * rand (4 * J, N) - 2;
%! P = posechain (parents, offsets, root, local);
%! assert (samebits (P, chainformulas (parents, offsets, root, local)));
%! assert (samebits (posechain (parents(:), offsets(:)', root, local), P));

%!test
%! % Cross-check: a random tree of 30 joints over many frames against forward
%! % kinematics with rotation matrices.
%! randn ("seed", 30); rand ("seed", 30);
%! J = 30; N = 5000;
%! parents = [0, arrayfun(@(j) randi (j - 1), 2:J)];
%! offsets = randn (3, J);
%! root = 10 * randn (3, N);
%! q = randn (4, J * N);
%! local = reshape (q ./ sqrt (sum (q .^ 2)), 4 * J, N);
%! P = posechain (parents, offsets, root, local);
%! assert (size (P), [3 * J, N]);
%! % One figure, not an element-by-element report, should it fail.
%! deviation = max (abs (P(:) - matrixchain (parents, offsets, root, local)(:)));
%! assert (deviation < 1e-12, "largest deviation %g", deviation);

%!test
%! % A complex input contributes its real parts.
%! rand ("seed", 2);
%! local = rand (8, 2); offsets = rand (3, 2); root = rand (3, 2);
%! P = posechain ([0 1], offsets, root, local);
%! assert (samebits (posechain (complex ([0 1], [3 4]), complex (offsets, 1), complex (root, 2), complex (local, 3)), P));

%!test
%! % With no frame nothing is read, whatever the inputs are.
%! assert (size (posechain (@sin, {1}, zeros (3, 0), zeros (7, 0))), [5 0]);
%! assert (size (posechain (struct (), 'abc', zeros (0, 0), int8 (zeros (8, 0)))), [6 0]);
%! assert (size (posechain ([], [], [], [])), [0 0]);

%!error <Four inputs required.> x = posechain (1, 2, 3)
%!error <Four inputs required.> x = posechain (1, 2, 3, 4, 5)
%!error <One output required.> posechain (0, zeros (3, 1), zeros (3, 1), [1; 0; 0; 0])
%!error <One output required.> [a, b] = posechain (0, zeros (3, 1), zeros (3, 1), [1; 0; 0; 0])
%!error <Input Dimension missmatch> x = posechain (0, zeros (3, 1), zeros (3, 2), zeros (4, 3))
%!error <Input Dimension missmatch> x = posechain (@sin, {}, zeros (3, 2), zeros (4, 3))
%!error <Input is too large> x = posechain (0, 0, zeros (0, 2^32 + 1), zeros (0, 2^32 + 1))
%!error <Input is too large> x = posechain (0, 0, zeros (3, 0), zeros (2^31, 0))
%!error <localRotations has too many rows> x = posechain (0, 0, zeros (3, 0), zeros (1431655766, 0))
%!error <Input is too large> x = posechain (zeros (2^31, 0), zeros (3, 1), zeros (3, 1), [1; 0; 0; 0])
%!error <rootPositions must have 3 rows> x = posechain (0, zeros (3, 1), zeros (2, 1), zeros (3, 1))
%!error <localRotations must have at least 4 rows> x = posechain (0, zeros (3, 1), zeros (3, 1), zeros (3, 1))
%!error <parents must have one element per joint, at least 2.> x = posechain (0, zeros (3, 2), zeros (3, 1), zeros (8, 1))
%!error <offsets must have 3 elements per joint, at least 6 \(3 x 2\).> x = posechain ([0 1], zeros (3, 1), zeros (3, 1), zeros (8, 1))
%!error <Input must be a full double array.> x = posechain (@sin, zeros (3, 1), zeros (3, 1), [1; 0; 0; 0])
%!error <Input must be a full double array.> x = posechain (0, {1, 2, 3}, zeros (3, 1), [1; 0; 0; 0])
%!error <Input must be a full double array.> x = posechain (int32 ([0 1]), zeros (3, 2), zeros (3, 1), zeros (8, 1))
%!error <Input must be a full double array.> x = posechain (0, zeros (3, 1), zeros (3, 1), sparse (true (4, 1)))
%!error <Sparse input is not supported> x = posechain (0, zeros (3, 1), sparse (3, 1), [1; 0; 0; 0])
%!error <parents\(3\) must name an earlier joint \(1 to 2\).> x = posechain ([0 1 NaN], zeros (3, 3), zeros (3, 1), zeros (12, 1))
%!error <parents\(2\) must name an earlier joint \(1 to 1\).> x = posechain ([0 2 1], zeros (3, 3), zeros (3, 1), zeros (12, 1))
