function demo_knee(buildDir)
% From markers to bones and back: four markers on a thigh and four on a
% shank, moved by a known hip and knee motion, with gaps and noise;
% rotfit gives each segment's orientation in every frame, rotcompose and
% rotreverse the knee's rotation, rot2eul its angles, which are compared
% with the motion that made the markers; rotdist and rotmean measure it;
% poselocal turns the segments' orientations into a skeleton's motion, and
% bvhwrite writes it to BUILDDIR/demo/knee.bvh (default build).
  if nargin < 1
    buildDir = 'build';
  end
  fprintf('\n== a knee from markers: rotfit, rotdist, rotmean, poselocal, bvhwrite ==\n');
  rand('seed', 5);
  randn('seed', 5);

  % The segments, in metres: the thigh from the hip (its origin) to the
  % knee, the shank from the knee to the ankle; y runs along each bone.
  thighLength = 0.45;
  shankLength = 0.43;
  % Marker clusters in each segment's own frame, as a static trial gives them.
  thighMarkers = [0.06 -0.04 0.05 0.00; -0.10 -0.20 -0.30 -0.38; 0.04 0.05 -0.03 0.06];
  shankMarkers = [0.04 -0.05 0.05 0.00; -0.08 -0.18 -0.28 -0.36; 0.05 0.04 -0.02 0.05];

  % The motion, 10 s at 100 Hz: the hip walks forward and sways, the thigh
  % swings, the knee bends up to 60 degrees, with a little adduction and
  % rotation; the knee's rotation is given by its 'ZXY' Euler angles
  % (flexion about z, then adduction about x, then rotation about y).
  frameTime = 0.01;
  N = 1000;
  t = (0:N - 1) * frameTime;
  phase = 2 * pi * t / 1.1;                              % a stride of 1.1 s
  hip = [1.2 * t; 0.9 + 0.02 * sin(2 * phase); 0.03 * sin(phase)];
  thighAngles = [25 * sin(phase); 4 * sin(phase + 1); 6 * sin(phase + 0.5)] * pi / 180;
  kneeAngles = [-(30 - 30 * cos(phase + 0.8)); 3 * sin(phase); 5 * sin(phase - 0.4)] * pi / 180;
  thighTrue = eul2rot(thighAngles, 'ZXY');
  kneeTrue = eul2rot(kneeAngles, 'ZXY');
  shankTrue = rotcompose(thighTrue, kneeTrue);
  knee = hip + rotapply(thighTrue, [0; -thighLength; 0]);
  ankle = knee + rotapply(shankTrue, [0; -shankLength; 0]);

  % The markers in the lab, with 0.5 mm of noise; then the gaps: a thigh
  % marker lost for 0.3 s, a shank marker for 0.2 s, and two shank markers
  % at once for 0.05 s, when only two of its four are seen.
  Bthigh = placeMarkers(thighTrue, hip, thighMarkers) + 0.0005 * randn(12, N);
  Bshank = placeMarkers(shankTrue, knee, shankMarkers) + 0.0005 * randn(12, N);
  Bthigh(4:6, 301:330) = NaN;
  Bshank(1:3, 501:520) = NaN;
  Bshank(7:12, 701:705) = NaN;
  fprintf('%d frames of 4 thigh and 4 shank markers, 0.5 mm noise, %d marker samples lost\n', ...
          N, sum(isnan([Bthigh(:); Bshank(:)])) / 3);

  % One rigid fit per segment and frame.
  tic;
  [Qthigh, Tthigh, rmsThigh] = rotfit(thighMarkers(:), Bthigh);
  [Qshank, Tshank, rmsShank] = rotfit(shankMarkers(:), Bshank);
  elapsed = toc;
  lost = isnan(Qshank(1, :)) | isnan(Qthigh(1, :));
  fprintf('rotfit: both segments in %.2f ms; rms residual %.2f mm (thigh), %.2f mm (shank)\n', ...
          1e3 * elapsed, 1e3 * median(rmsThigh), 1e3 * median(rmsShank(~lost)));
  fprintf('        %d frames without a unique fit (fewer than three shank markers): NaN\n', sum(lost));
  fprintf('        hip found within %.2f mm, thigh orientation within %.3f deg\n', ...
          1e3 * max(sqrt(sum((Tthigh - hip) .^ 2))), max(rotdist(Qthigh, thighTrue)) * 180 / pi);
  big = 1e5;
  many = repmat(Bthigh(:, 1:100), 1, big / 100);
  tic;
  Qmany = rotfit(thighMarkers(:), many);
  fprintf('        %d frames of 4 markers in %.1f ms\n', size(Qmany, 2), 1e3 * toc);

  % The knee: the shank's orientation relative to the thigh's, its angles
  % against those that made the markers.
  kneeRotation = rotcompose(rotreverse(Qthigh), Qshank);
  angles = rot2eul(kneeRotation, 'ZXY');
  err = abs(angles - kneeAngles) * 180 / pi;
  names = {'flexion', 'adduction', 'rotation'};
  for a = 1:3
    fprintf('knee %-9s range %6.1f .. %5.1f deg, largest error %.3f deg\n', names{a}, ...
            min(angles(a, :) * 180 / pi), max(angles(a, :) * 180 / pi), max(err(a, ~lost)));
  end
  kneeError = rotdist(kneeRotation, kneeTrue) * 180 / pi;
  fprintf('rotdist: the knee rotation within %.3f deg of the true one (median %.3f deg)\n', ...
          max(kneeError(~lost)), median(kneeError(~lost)));
  fprintf('rotmean: the mean knee rotation turns %.1f deg (the motion''s own mean %.1f deg)\n', ...
          rotationAngle(rotmean(kneeRotation)), rotationAngle(rotmean(kneeTrue)));

  % A skeleton: the hip (the root, not turned), the knee (its offset from
  % the hip turned by the thigh), the ankle (by the shank) and the End Site
  % of the foot. posechain turns a joint's offset by the joint's own global
  % rotation, so the knee's is the thigh's orientation and the ankle's the
  % shank's. The frames without a fit are filled by rotslerp first.
  skel.parents = [0 1 2 3];
  skel.offsets = [0 0 0 0.12; 0 -thighLength -shankLength -0.06; 0 0 0 0];
  skel.names = {'Hip', 'Knee', 'Ankle', 'Ankle_end'};
  Gshank = fillGaps(Qshank);
  G = [repmat([1; 0; 0; 0], 1, N); fillGaps(Qthigh); Gshank; Gshank];
  motion.rootPositions = Tthigh;
  motion.localRotations = poselocal(skel.parents, G);
  motion.frameTime = frameTime;
  P = posechain(skel.parents, skel.offsets, motion.rootPositions, motion.localRotations);
  fprintf('poselocal: the ankle''s rows are the knee rotation to the bit (%d); posed, the ankle lies within %.2f mm\n', ...
          isequal(motion.localRotations(9:12, ~lost), kneeRotation(:, ~lost)), ...
          1e3 * max(sqrt(sum((P(7:9, :) - ankle) .^ 2))));
  fprintf('           of where the motion put it\n');

  outDir = fullfile(buildDir, 'demo');
  if ~exist(outDir, 'dir')
    mkdir(outDir);
  end
  file = fullfile(outDir, 'knee.bvh');
  [skel2, motion2] = bvhread(bvhwrite(file, skel, motion));
  P2 = posechain(skel2.parents, skel2.offsets, motion2.rootPositions, motion2.localRotations);
  fprintf('bvhwrite: %s, %d joints, %d frames; read back, the ankle moves by at most %.1g mm\n', file, ...
          numel(skel2.parents), size(P2, 2), 1e3 * max(max(abs(P2(7:9, :) - P(7:9, :)))));
end

% The lab positions of a segment's markers (3 x 4 in its own frame) in every
% frame: its origin plus each marker turned by its orientation; 12 x N.
function B = placeMarkers(G, origin, markers)
  B = zeros(12, size(G, 2));
  for m = 1:4
    B(3 * m - 2:3 * m, :) = origin + rotapply(G, markers(:, m));
  end
end

% NaN columns filled by spherical interpolation between the nearest fitted
% frames on either side (the first or last fitted one at the ends).
function Q = fillGaps(Q)
  good = find(~isnan(Q(1, :)));
  for k = find(isnan(Q(1, :)))
    before = good(find(good < k, 1, 'last'));
    after = good(find(good > k, 1, 'first'));
    if isempty(before)
      Q(:, k) = Q(:, after);
    elseif isempty(after)
      Q(:, k) = Q(:, before);
    else
      Q(:, k) = rotblend(Q(:, before), Q(:, after), (k - before) / (after - before));
    end
  end
end

% The angle, in degrees, of the rotation q.
function degrees = rotationAngle(q)
  degrees = 2 * atan2(norm(q(2:4)), abs(q(1))) * 180 / pi;
end
