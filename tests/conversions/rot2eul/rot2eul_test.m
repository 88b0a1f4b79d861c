% eul2rot and rot2eul through the Octave MEX build: the conventions against
% rotation matrices written out in m-code, the round trip eul2rot(rot2eul(q))
% with both MEX files, at the poles and off them, and the lock flags.

%!function R = turn (axis, a)
%!  c = cos (a); s = sin (a);
%!  switch (axis)
%!    case "x", R = [1 0 0; 0 c -s; 0 s c];
%!    case "y", R = [c 0 s; 0 1 0; -s 0 c];
%!    case "z", R = [c -s 0; s c 0; 0 0 1];
%!  end
%!endfunction

%!function R = matrixOf (q)
%!  % The active rotation of a unit quaternion, scalar first, Hamilton.
%!  w = q(1); x = q(2); y = q(3); z = q(4);
%!  R = [1-2*(y^2+z^2), 2*(x*y-w*z), 2*(x*z+w*y); 2*(x*y+w*z), 1-2*(x^2+z^2), 2*(y*z-w*x);
%!       2*(x*z-w*y), 2*(y*z+w*x), 1-2*(x^2+y^2)];
%!endfunction

%!function seqs = conventions ()
%!  upperCase = {"XYZ", "XZY", "YXZ", "YZX", "ZXY", "ZYX", "XYX", "XZX", "YXY", "YZY", "ZXZ", "ZYZ"};
%!  seqs = [upperCase, lower(upperCase)];
%!endfunction

%!test
%! % Upper case turns about the body's axes, Ra(A1)*Rb(A2)*Rc(A3); lower case
%! % about fixed axes, Rc(A3)*Rb(A2)*Ra(A1): a BVH joint with CHANNELS
%! % Zrotation Xrotation Yrotation reads as 'ZXY'.
%! rand ("seed", 11);
%! for seq = conventions ()
%!   s = seq{1}; ax = lower (s);
%!   A = (2 * rand (3, 20) - 1) * pi;
%!   Q = eul2rot (A, s);
%!   for k = 1:20
%!     if (s(1) <= "Z")
%!       R = turn (ax(1), A(1,k)) * turn (ax(2), A(2,k)) * turn (ax(3), A(3,k));
%!     else
%!       R = turn (ax(3), A(3,k)) * turn (ax(2), A(2,k)) * turn (ax(1), A(1,k));
%!     end
%!     assert (matrixOf (Q(:,k)), R, 8 * eps);
%!   end
%! end

%!test
%! % The round trip through both MEX files gives back q or -q, to a few
%! % units of eps, for random quaternions, at the poles (the middle angle
%! % pi/2 or 0 and pi) and 1e-9 off them; the poles are locked, with the
%! % third angle 0, and nothing else is.
%! rand ("seed", 12); randn ("seed", 12);
%! for seq = conventions ()
%!   s = seq{1};
%!   proper = s(1) == s(3);
%!   q = randn (4, 200);
%!   q = q ./ sqrt (sum (q .^ 2));
%!   poles = [-pi/2, pi/2] * !proper + [0, pi] * proper;
%!   off = poles + [1e-9, -1e-9];
%!   middle = [repmat(poles, 1, 50), repmat(off, 1, 50)];
%!   A = [(2 * rand(1, 200) - 1) * pi; middle; (2 * rand(1, 200) - 1) * pi];
%!   q = [q, eul2rot(A, s)];
%!   [B, locked] = rot2eul (q, s);
%!   back = eul2rot (B, s);
%!   err = min (max (abs (back - q)), max (abs (back + q)));
%!   assert (max (err) < 8 * eps, "%s: %g eps", s, max (err) / eps);
%!   assert (class (locked), "logical");
%!   assert (isequal (locked, [false(1, 200), repmat([true true], 1, 50), false(1, 100)]), s);
%!   assert (all (B(3, locked) == 0));
%! end

%!test
%! % Ranges: first and third in [-pi, pi], the middle in [-pi/2, pi/2] or [0, pi].
%! randn ("seed", 13);
%! q = randn (4, 5000);
%! A = rot2eul (q, "ZXY");
%! assert (all (abs (A(:)) <= pi) && all (abs (A(2, :)) <= pi/2));
%! A = rot2eul (q, "zxz");
%! assert (all (abs (A(:)) <= pi) && all (A(2, :) >= 0));

%!test
%! % A common factor changes nothing; a bare call returns into ans.
%! q = [0.1; 0.2; 0.3; 0.4];
%! assert (rot2eul (q * 1e-200, "YXY"), rot2eul (q, "YXY"), 4 * eps);
%! assert (rot2eul (q * 1e200, "yxz"), rot2eul (q, "yxz"), 4 * eps);
%! rot2eul (q, "ZYX");
%! assert (ans, rot2eul (q, "ZYX"));
%! eul2rot ([1; 2; 3], "ZYX");
%! assert (ans, eul2rot ([1; 2; 3], "ZYX"));

%!error id=rotkit:eul2rot:seqCase eul2rot ([1; 2; 3], "zXy")
%!error id=rotkit:rot2eul:seqRepeat rot2eul ([1; 0; 0; 0], "ZZY")
%!error id=rotkit:eul2rot:aRows eul2rot ([1; 2], "ZXY")
