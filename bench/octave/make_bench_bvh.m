function bytes = make_bench_bvh(file, joints, frames, digits)
%MAKE_BENCH_BVH Write a BVH file of the size real motion files have.
%   BYTES = MAKE_BENCH_BVH(FILE, JOINTS, FRAMES, DIGITS) writes a skeleton
%   of JOINTS joints (a random tree, the same for the same counts), each
%   joint with three rotation channels and the root with three position
%   channels more, an End Site under every leaf, FRAMES frames of smooth
%   motion written with DIGITS decimals, as exporters write them; the
%   root's OFFSET is zero, so the m-code reader of the baseline reads it
%   right too. Returns the file's size in bytes.
  rand('seed', joints);
  parents = [0, arrayfun(@(j) max(1, j - 1 - floor(rand() * 3)), 2:joints)];
  lines = emit(1, '', parents, {'HIERARCHY'});
  C = 6 + 3 * (joints - 1);
  lines = [lines, {'MOTION', sprintf('Frames: %d', frames), 'Frame Time: 0.0083333'}];
  [k, c] = ndgrid(0:frames - 1, 1:C);
  values = 60 * sin(0.01 * k .* (1 + 0.1 * c) + c);
  number = sprintf('%%.%df', digits);
  text = [strjoin(lines, char(10)), char(10), ...
          sprintf([repmat([number ' '], 1, C - 1), number, '\n'], values')];
  fid = fopen(file, 'w');
  fwrite(fid, text);
  fclose(fid);
  bytes = numel(text);
end

function lines = emit(j, pad, parents, lines)
  if j == 1
    lines{end + 1} = 'ROOT Hips';
  else
    lines{end + 1} = sprintf('%sJOINT Joint%d', pad, j);
  end
  lines{end + 1} = [pad '{'];
  lines{end + 1} = sprintf('%s  OFFSET %.6f %.6f %.6f', pad, (j > 1) * [3.1 7.2 -1.3]);
  if j == 1
    lines{end + 1} = [pad '  CHANNELS 6 Xposition Yposition Zposition Zrotation Xrotation Yrotation'];
  else
    lines{end + 1} = [pad '  CHANNELS 3 Zrotation Xrotation Yrotation'];
  end
  children = find(parents == j);
  for c = children
    lines = emit(c, [pad '  '], parents, lines);
  end
  if isempty(children)
    lines = [lines, {[pad '  End Site'], [pad '  {'], [pad '    OFFSET 0.000000 5.000000 0.000000'], [pad '  }']}];
  end
  lines{end + 1} = [pad '}'];
end
