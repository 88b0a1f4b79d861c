function files = make_motion_collection(folder, count)
%MAKE_MOTION_COLLECTION Write a collection of small BVH clips for tests.
%   FILES = MAKE_MOTION_COLLECTION(FOLDER, COUNT) writes COUNT clips of the
%   toolbox's sample walk into FOLDER, as clip_001.bvh, clip_002.bvh, ...,
%   and returns their full names (1 x COUNT cellstr). Clip k is the sample's
%   hierarchy with a run of its frames: 20 to 79 frames from a start frame
%   that differs from clip to clip, so the clips differ in length and
%   content. Nothing is random: the same call writes the same files.
%     addpath tools; files = make_motion_collection(tempname(), 36);

  sample = fullfile(fileparts(fileparts(mfilename('fullpath'))), 'toolbox', 'rotkit', 'samples', 'walk.bvh');
  lines = regexp(fileread(sample), '\r\n|\n|\r', 'split');
  if isempty(lines{end})
    lines(end) = [];
  end
  motion = find(strcmp(strtrim(lines), 'MOTION'), 1);
  hierarchy = lines(1:motion);
  frameTime = lines{motion + 2};
  frames = lines(motion + 3:end);

  if ~exist(folder, 'dir')
    mkdir(folder);
  end
  files = cell(1, count);
  for k = 1:count
    frameCount = 20 + mod(7 * k, 60);
    first = mod(13 * k, numel(frames) - frameCount) + 1;
    files{k} = fullfile(folder, sprintf('clip_%03d.bvh', k));
    fid = fopen(files{k}, 'w');
    if fid < 0
      error('make_motion_collection: cannot write "%s".', files{k});
    end
    fprintf(fid, '%s\n', hierarchy{:});
    fprintf(fid, 'Frames: %d\n%s\n', frameCount, frameTime);
    fprintf(fid, '%s\n', frames{first:first + frameCount - 1});
    fclose(fid);
  end
end
