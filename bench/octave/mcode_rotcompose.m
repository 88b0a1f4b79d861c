function r = mcode_rotcompose(a, b)
%MCODE_ROTCOMPOSE The Hamilton product as vectorised m-code, for the
%   end-to-end benchmark: what a competent user writes instead of the MEX.
%   Scalar first; a one-column side broadcasts. Octave evaluates the sums
%   left to right, so the bits equal rotcompose's.
  aw = a(1,:); ax = a(2,:); ay = a(3,:); az = a(4,:);
  bw = b(1,:); bx = b(2,:); by = b(3,:); bz = b(4,:);
  r = [aw.*bw - ax.*bx - ay.*by - az.*bz;
       aw.*bx + ax.*bw + ay.*bz - az.*by;
       aw.*by - ax.*bz + ay.*bw + az.*bx;
       aw.*bz + ax.*by - ay.*bx + az.*bw];
end
