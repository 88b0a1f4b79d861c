function motion2 = motionresample(motion, frameTime, method)
%MOTIONRESAMPLE The same motion at another frame time.
%   MOTION2 = MOTIONRESAMPLE(MOTION, FRAMETIME) samples the motion that
%   BVHREAD returns (or any struct with the same fields) every FRAMETIME
%   seconds: MOTION2 has frames at the times 0, FRAMETIME, 2*FRAMETIME, ...
%   up to the last frame's time of MOTION, (N - 1) * MOTION.frameTime, and
%   MOTION2.frameTime = FRAMETIME. Quaternions are stored scalar first,
%   [w; x; y; z], one per column, as everywhere in the toolbox.
%
%   Frame m of MOTION2 lies at u = (m - 1) * FRAMETIME / MOTION.frameTime
%   frames of MOTION, between frames i = floor(u) + 1 and i + 1 at the
%   fraction w = u - floor(u):
%     rootPositions    a + w * (b - a) from the positions a and b of frames
%     offsets          i and i + 1, linearly (offsets, each joint's
%                      translation, only where MOTION has it);
%     localRotations   ROTSLERP of every joint's quaternions of frames i
%     leafRotations    and i + 1 at w, all joints and all new frames in one
%                      call; leafRotations only where MOTION has it.
%   MOTION2 = MOTIONRESAMPLE(MOTION, FRAMETIME, METHOD) chooses the method:
%   'slerp' (the default, as above) or 'spline': rootPositions (and offsets)
%   by INTERP1's cubic spline, and localRotations and leafRotations by ROTINTERP's C2
%   rotation spline through the frames (angular velocity and acceleration
%   continuous at every frame), every joint in one call.
%   Every other field of MOTION is kept as it is. A new frame that falls on
%   a frame of MOTION (w = 0) is that frame, bit for bit: resampling at the
%   same frame time returns the same frames, and at a quarter of it keeps
%   every original frame as every fourth new one. The last new time may
%   exceed the last original time by a rounding error: a time within 1e-9
%   of a new frame time past it still counts, and takes the last frame.
%   (The frame time a file states is rounded, 0.0333333 for 30 frames per
%   second: ask for MOTION.frameTime / 4, not 1/120, to land on the last
%   frame exactly.) A motion of one frame gives that frame; one of none,
%   none.
%
%   Rotations more than a half turn apart between two frames. ROTSLERP takes
%   the shorter arc, so a joint that turned by more than half a turn from
%   one frame to the next (say 200 degrees) turns the other way in the new
%   frames between them (160 degrees back): a fast spin captured at a low
%   frame rate is not recovered. Positions are not affected, being linear.
%
%   Errors, checked in this order (the first failure is reported), with
%   their identifiers (err.identifier in a catch):
%     rotkit:motionresample:notMotion
%         MOTION not a scalar struct with rootPositions, localRotations
%         and frameTime
%     rotkit:motionresample:rootPositionsShape
%         MOTION.rootPositions not a 3 x N real double matrix
%     rotkit:motionresample:localRotationsShape
%         MOTION.localRotations not a 4J x N real double matrix
%     rotkit:motionresample:leafRotationsShape
%         MOTION.leafRotations, where present, not a 4L x N real double
%         matrix
%     rotkit:motionresample:offsetsShape
%         MOTION.offsets, where present, not a 3J x N real double matrix
%     rotkit:motionresample:motionFrameTime
%         MOTION.frameTime not a positive finite real scalar
%     rotkit:motionresample:frameTime
%         FRAMETIME not a positive finite real scalar
%     rotkit:motionresample:method
%         METHOD not 'slerp' or 'spline'
%
%   Example: the sample walk at 30 frames per second, resampled to 120 and
%   to 24; at 120 every fourth frame is an original one, bit for bit.
%     >> file = fullfile(fileparts(which('bvhread')), 'samples', 'walk.bvh');
%     >> [skel, motion] = bvhread(file);
%     >> fast = motionresample(motion, motion.frameTime / 4);
%     >> slow = motionresample(motion, 1 / 24);
%     >> frames = [size(motion.rootPositions, 2), size(fast.rootPositions, 2), ...
%     ..           size(slow.rootPositions, 2)]
%     frames =
%        120   477    96
%     >> same = isequal(fast.localRotations(:, 1:4:end), motion.localRotations)
%     same = 1
%     >> smooth = motionresample(motion, motion.frameTime / 4, 'spline');
%     >> same = isequal(smooth.localRotations(:, 1:4:end), motion.localRotations)
%     same = 1
%
%
%   See also ROTSLERP, ROTINTERP, BVHREAD, BVHWRITE, POSECHAIN.

  if nargin < 3
    method = 'slerp';
  end
  [N, leaves] = checkInputs(motion, frameTime);
  spline = checkMethod(method);
  ratio = frameTime / motion.frameTime;
  M = 0;
  if N > 0
    M = floor((N - 1) / ratio + 1e-9) + 1;
  end
  u = min((0:M - 1) * ratio, N - 1);
  base = floor(u);
  w = u - base;
  on = w == 0;                        % new frames that are original ones
  i = reshape(base(~on), 1, []) + 1;  % the frames before the others (rows even when empty)
  between = reshape(w(~on), 1, []);

  motion2 = motion;
  motion2.frameTime = frameTime;
  motion2.rootPositions = positions(motion.rootPositions, on, base, i, between, M, spline, u);
  if isfield(motion, 'offsets')
    motion2.offsets = positions(motion.offsets, on, base, i, between, M, spline, u);
  end

  % Every quaternion of a frame, localRotations' and leafRotations', in one
  % block: R rows, R / 4 quaternions per frame.
  rotations = motion.localRotations;
  if leaves
    rotations = [rotations; motion.leafRotations];
  end
  R = size(rotations, 1);
  resampled = zeros(R, M);
  resampled(:, on) = rotations(:, base(on) + 1);
  if spline && any(~on) && R > 0
    % Keys at k * frameTime (ROTINTERP's scalar interval), queries at the
    % same products of the frame counts u.
    resampled(:, ~on) = rotinterp(motion.frameTime, rotations, u(~on) * motion.frameTime, 'spline');
  elseif any(~on) && R > 0
    count = R / 4;
    q1 = reshape(rotations(:, i), 4, []);
    q2 = reshape(rotations(:, i + 1), 4, []);
    t = reshape(repmat(between, count, 1), 1, []);
    resampled(:, ~on) = reshape(rotslerp(q1, q2, t), R, []);
  end
  J4 = size(motion.localRotations, 1);
  motion2.localRotations = resampled(1:J4, :);
  if leaves
    motion2.leafRotations = resampled(J4 + 1:end, :);
  end
end

% Positions (rows of X, one column per frame): the frame itself where a new
% frame falls on one; between frames a + w * (b - a), or with SPLINE
% INTERP1's cubic spline through every frame.
function X2 = positions(X, on, base, i, between, M, spline, u)
  X2 = zeros(size(X, 1), M);
  X2(:, on) = X(:, base(on) + 1);
  if spline && size(X, 2) > 1
    X2(:, ~on) = interp1(0:size(X, 2) - 1, X.', u(~on), 'spline').';
  else
    a = X(:, i);
    X2(:, ~on) = a + between .* (X(:, i + 1) - a);
  end
end

function [N, leaves] = checkInputs(motion, frameTime)
  if ~isstruct(motion) || ~isscalar(motion) || ~isfield(motion, 'rootPositions') || ...
     ~isfield(motion, 'localRotations') || ~isfield(motion, 'frameTime')
    fail('notMotion', 'MOTION must be a struct with rootPositions, localRotations and frameTime (what bvhread returns).');
  end
  if ~isRealDouble(motion.rootPositions) || ~ismatrix(motion.rootPositions) || size(motion.rootPositions, 1) ~= 3
    fail('rootPositionsShape', 'MOTION.rootPositions must be a 3 x N real double matrix.');
  end
  N = size(motion.rootPositions, 2);
  L = motion.localRotations;
  if ~isRealDouble(L) || ~ismatrix(L) || mod(size(L, 1), 4) ~= 0 || size(L, 2) ~= N
    fail('localRotationsShape', 'MOTION.localRotations must be a 4J x N real double matrix, N the frames of rootPositions.');
  end
  leaves = isfield(motion, 'leafRotations');
  if leaves
    F = motion.leafRotations;
    if ~isRealDouble(F) || ~ismatrix(F) || mod(size(F, 1), 4) ~= 0 || size(F, 2) ~= N
      fail('leafRotationsShape', 'MOTION.leafRotations must be a 4L x N real double matrix, N the frames of rootPositions.');
    end
  end
  if isfield(motion, 'offsets')
    O = motion.offsets;
    if ~isRealDouble(O) || ~ismatrix(O) || size(O, 1) ~= 3 * size(L, 1) / 4 || size(O, 2) ~= N
      fail('offsetsShape', 'MOTION.offsets must be a 3J x N real double matrix, N the frames of rootPositions.');
    end
  end
  if ~isPositiveScalar(motion.frameTime)
    fail('motionFrameTime', 'MOTION.frameTime must be a positive finite real scalar.');
  end
  if ~isPositiveScalar(frameTime)
    fail('frameTime', 'FRAMETIME must be a positive finite real scalar.');
  end
end

function spline = checkMethod(method)
  if ~ischar(method) || ~any(strcmp(method, {'slerp', 'spline'}))
    fail('method', 'METHOD must be ''slerp'' or ''spline''.');
  end
  spline = strcmp(method, 'spline');
end

function yes = isRealDouble(x)
  yes = isa(x, 'double') && isreal(x) && ~issparse(x);
end

function yes = isPositiveScalar(x)
  yes = isRealDouble(x) && isscalar(x) && isfinite(x) && x > 0;
end

function fail(reason, message)
  error(['rotkit:motionresample:' reason], 'motionresample: %s', message);
end
