function varargout = rotrand(varargin)
%ROTRAND  Rotations drawn uniformly at random.
%   Q = ROTRAND(N) draws N rotations uniformly and returns them as unit
%   quaternions, 4 x N, scalar first [w; x; y; z], with w >= 0.
%   ROTRAND with no input draws one.
%
%   Uniformly means over the rotations themselves (the Haar measure of the
%   rotation group): every axis is equally likely and the angle has the
%   density (1 - cos(angle))/pi on [0, pi], so turns near a half turn are
%   common and small ones rare. Such rotations are the unit quaternions
%   spread evenly over the unit sphere in four dimensions, q and -q being
%   one rotation. They are drawn by Shoemake's method ("Uniform random
%   rotations", Graphics Gems III, 1992): three numbers u1, u2, u3 of
%   RAND(3, N) per rotation give
%     [sqrt(u1)*cos(2*pi*u3); sqrt(1-u1)*sin(2*pi*u2);
%      sqrt(1-u1)*cos(2*pi*u2); sqrt(u1)*sin(2*pi*u3)],
%   which ROTNORMALIZE divides by its length (it is unit to a few
%   roundings already), and the sign that makes w >= 0 is kept: a column
%   with w < 0 is negated.
%
%   The numbers come from the host's generator, RAND(3, N), so whatever
%   governs RAND governs ROTRAND, in MATLAB and in Octave alike: rng(s),
%   rand('seed', s), rand('state', s), rand('twister', s). ROTRAND(N) takes
%   3N numbers from that stream. The same seed gives the same rotations on
%   one host; MATLAB's and Octave's generators differ.
%
%   Errors, checked in this order, with their identifiers (err.identifier
%   in a catch):
%     rotkit:rotrand:tooManyInputs    more than one input
%     rotkit:rotrand:tooManyOutputs   more than one output
%     rotkit:rotrand:nValue           N not a real whole number of 0 or
%                                     more, one numeric value
%     rotkit:rotrand:tooLarge         N of 2^31 or more
%
%   Examples: a thousand unit quaternions with w >= 0, and the same three
%   rotations twice from the same seed.
%     >> Q = rotrand(1000);
%     >> sizeQ = size(Q)
%     sizeQ =
%           4   1000
%     >> unit = max(abs(sum(Q .^ 2) - 1)) < 4 * eps
%     unit = 1
%     >> positive = all(Q(1, :) >= 0)
%     positive = 1
%     >> rand('seed', 42);  a = rotrand(3);
%     >> rand('seed', 42);  b = rotrand(3);
%     >> same = isequal(a, b)
%     same = 1
%
%
%   See also ROTNORMALIZE, ROTMEAN, ROTDIST.

  if nargin > 1
    error('rotkit:rotrand:tooManyInputs', 'Too many input arguments; the call is Q = rotrand(N).');
  end
  if nargout > 1
    error('rotkit:rotrand:tooManyOutputs', 'Too many output arguments; the call is Q = rotrand(N).');
  end
  n = 1;
  if nargin == 1
    n = varargin{1};
    if ~isnumeric(n) || ~isscalar(n) || ~isreal(n) || ~(n >= 0) || isinf(n) || n ~= fix(n)
      error('rotkit:rotrand:nValue', 'N must be a real whole number of 0 or more, one numeric value.');
    end
    n = full(double(n));
    if n >= 2^31
      error('rotkit:rotrand:tooLarge', 'N is too large: it must be below 2^31.');
    end
  end
  u = rand(3, n);
  outer = sqrt(1 - u(1, :));
  inner = sqrt(u(1, :));
  q = [inner .* cos(2 * pi * u(3, :)); outer .* sin(2 * pi * u(2, :)); ...
       outer .* cos(2 * pi * u(2, :)); inner .* sin(2 * pi * u(3, :))];
  q = rotnormalize(q);
  negative = q(1, :) < 0;
  q(:, negative) = -q(:, negative);
  varargout{1} = q;
end
