function make_sample_formats(outDir)
%MAKE_SAMPLE_FORMATS Write the sample walk in the formats of the labs.
%   MAKE_SAMPLE_FORMATS writes, into toolbox/rotkit/samples (or OUTDIR), the
%   toolbox's samples beside walk.bvh, made from it and from numbers alone:
%     walk.c3d   the 26 joints of walk.bvh as markers, in centimetres
%                (rounded to 1/100), 30 frames per second, with two
%                analog channels at 120 samples per second and two events;
%     walk.trc   the same markers in millimetres (rounded to 1/10),
%                OpenSim's TRC layout;
%     walk.mot   the time and three angles (degrees, 4 decimals) of six
%                joints, an OpenSim MOT table;
%     walk.asf, walk.amc  a humanoid in the form of the largest motion
%                database (make_asf_test_files.m).
%   It needs the toolbox on the path (bvhread, posechain, c3dwrite,
%   trcwrite, motwrite, rot2eul):
%     octave-cli --eval "addpath tools build/rotkit; make_sample_formats"

  if nargin < 1
    outDir = fullfile(fileparts(fileparts(mfilename('fullpath'))), 'toolbox', 'rotkit', 'samples');
  end
  [skel, motion] = bvhread(fullfile(outDir, 'walk.bvh'));
  P = posechain(skel.parents, skel.offsets, motion.rootPositions, motion.localRotations);
  N = size(P, 2);
  rate = round(1 / motion.frameTime);
  t = (0:4 * N - 1) / (4 * rate);

  d.points = round(P * 100) / 100;
  d.labels = skel.names;
  d.pointRate = rate;
  d.firstFrame = 1;
  d.units = 'cm';
  d.analog = [round(7000 + 3000 * sin(2 * pi * t)) / 10; round(200 * sin(2 * pi * 7 * t)) / 1000];
  d.analogRate = 4 * rate;
  d.analogLabels = {'Force Z', 'EMG 1'};
  d.analogUnits = {'N', 'mV'};
  d.events = struct('times', [0.5, 1], 'labels', {{'Foot Strike', 'Foot Strike'}}, 'contexts', {{'Left', 'Right'}});
  c3dwrite(fullfile(outDir, 'walk.c3d'), d);

  m.points = round(P * 100) / 10;
  m.labels = skel.names;
  m.pointRate = rate;
  m.units = 'mm';
  trcwrite(fullfile(outDir, 'walk.trc'), m);

  joints = {'Hips', 'Spine', 'LeftUpLeg', 'LeftLeg', 'RightUpLeg', 'RightLeg'};
  labels = {'time'};
  data = (0:N - 1) / rate;
  for j = 1:numel(joints)
    % A joint's own rotation stands in the rows of its first child.
    child = find(skel.parents == find(strcmp(skel.names, joints{j})), 1);
    q = motion.localRotations(4 * child - 3:4 * child, :);
    data = [data; round(rot2eul(q, 'ZXY') * 180 / pi * 1e4) / 1e4]; %#ok<AGROW>
    labels = [labels, strcat(joints{j}, {'_z', '_x', '_y'})]; %#ok<AGROW>
  end
  table = struct('labels', {labels}, 'data', data, 'name', 'walk', 'inDegrees', true, ...
                 'header', {{'', 'Angles of the sample walk, in degrees.', ''}});
  motwrite(fullfile(outDir, 'walk.mot'), table);

  make_asf_test_files(outDir, 'sample');
end
