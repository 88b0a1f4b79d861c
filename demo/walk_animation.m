function name = walk_animation(outDir, skel, P, frameTime)
%WALK_ANIMATION Write OUTDIR/walk.gif: the posed walk P, every frame, looping.
%   P is what POSECHAIN gives (3J x N). Each frame shows the stick figure
%   from the side of the walk (across its general direction, x + z, to the
%   right; y up) and from above (x to the right, z down the picture: y
%   towards the viewer), on axes fixed for the whole walk.
%   gnuplot draws it headless with its own animated GIF terminal (libgd;
%   its "optimize" option leaves stray lines, so it is not used). A GIF counts time
%   in hundredths of a second and gnuplot gives every frame one delay, so
%   the delays are set here afterwards, each rounded so that their running
%   sum stays within half a hundredth of frame k's time: 3, 3, 4, ... at 30
%   frames per second.
  name = 'walk.gif';
  frames = size(P, 2);
  X = reshape(P, 3, [], frames);
  across = [1; 0; 1] / sqrt(2);
  X = [X; reshape(across' * X(:, :), 1, [], frames)];   % row 4: screen right, side view
  pad = 10;
  lo = min(X(:, :), [], 2) - pad;
  hi = max(X(:, :), [], 2) + pad;
  lo(2) = min(lo(2), -pad);                     % show the ground

  data = [tempname() '.dat'];
  script = [tempname() '.gp'];
  gif = fullfile(outDir, name);
  cleanup = onCleanup(@() deleteAll({data, script}));
  writeBones(data, skel, X);
  writeScript(script, data, gif, lo, hi, frames, frameTime, X);
  [status, output] = system(sprintf('gnuplot "%s" 2>&1', script));
  if status ~= 0
    error('walk_animation: gnuplot failed: %s', output);
  end
  ends = round(100 * frameTime * (1:frames));
  setDelays(gif, diff([0, ends]));
end

% Index block 2k-2 holds frame k seen from the side, block 2k-1 from above:
% each bone a segment of two points "x y colour", segments parted by one
% blank line, blocks by two. Left side blue, right red, the trunk black.
function writeBones(file, skel, X)
  J = numel(skel.parents);
  colour = zeros(1, J);
  colour(strncmp(skel.names, 'Left', 4)) = hex2dec('1f4fd0');
  colour(strncmp(skel.names, 'Right', 5)) = hex2dec('d02020');
  bones = 2:J;
  parents = skel.parents(bones);
  fid = fopen(file, 'w');
  closer = onCleanup(@() fclose(fid));
  for k = 1:size(X, 3)
    for view = {[4 2], [1 3]}
      axesOf = view{1};
      A = X(axesOf, parents, k);
      B = X(axesOf, bones, k);
      fprintf(fid, '%.4f %.4f %d\n%.4f %.4f %d\n\n', [A; colour(bones); B; colour(bones)]);
      fprintf(fid, '\n');
    end
  end
end

function writeScript(file, data, gif, lo, hi, frames, frameTime, X)
  fid = fopen(file, 'w');
  closer = onCleanup(@() fclose(fid));
  % The hips' path on the ground, in both views.
  path = squeeze(X(:, 1, :));
  fprintf(fid, '$path << EOD\n');
  fprintf(fid, '%.4f %.4f\n', path([1 3], :));
  fprintf(fid, 'EOD\n');
  fprintf(fid, 'set terminal gif animate delay 3 loop 0 size 720,330 font "FreeSans,10"\n');
  fprintf(fid, 'set output "%s"\n', gif);
  fprintf(fid, 'unset key; unset xtics; unset ytics; set size ratio -1\n');
  fprintf(fid, 'set lmargin 1; set rmargin 1; set tmargin 2; set bmargin 1\n');
  fprintf(fid, 'do for [k = 0:%d] {\n', frames - 1);
  fprintf(fid, '  set multiplot layout 1, 2 title sprintf("the sample walk, t = %%.2f s", k * %.17g)\n', frameTime);
  fprintf(fid, '  set title "from the side"; set xrange [%g:%g]; set yrange [%g:%g]\n', lo(4), hi(4), lo(2), hi(2));
  fprintf(fid, '  plot 0 lc rgb "#999999", "%s" index 2 * k using 1:2:3 with lines lc rgb variable lw 2\n', data);
  fprintf(fid, '  set title "from above"; set xrange [%g:%g]; set yrange [%g:%g]\n', lo(1), hi(1), hi(3), lo(3));
  fprintf(fid, '  plot $path using 1:2 with lines lc rgb "#999999", "%s" index 2 * k + 1 using 1:2:3 with lines lc rgb variable lw 2\n', data);
  fprintf(fid, '  unset multiplot\n');
  fprintf(fid, '}\n');
  fprintf(fid, 'unset output\n');
end

% Rewrites the delay of every frame of a GIF (hundredths of a second): the
% Graphics Control Extension before each image (21 F9 04, flags, delay in
% two bytes, low first). The file is walked block by block, so that no
% byte of image data is taken for an extension.
function setDelays(file, delays)
  fid = fopen(file, 'r');
  bytes = fread(fid, Inf, '*uint8')';
  fclose(fid);
  flags = double(bytes(11));
  at = 14;                                      % after the header and screen descriptor
  if bitand(flags, 128)
    at = at + 3 * 2 ^ (bitand(flags, 7) + 1);   % the global colour table
  end
  frame = 0;
  while at <= numel(bytes) && bytes(at) ~= 59   % 0x3B ends the file
    if bytes(at) == 33                          % 0x21: an extension
      if bytes(at + 1) == 249 && frame < numel(delays)
        frame = frame + 1;
        bytes(at + 4:at + 5) = typecast(uint16(delays(frame)), 'uint8');
      end
      at = skipSubBlocks(bytes, at + 2);
    elseif bytes(at) == 44                      % 0x2C: an image
      localFlags = double(bytes(at + 9));
      at = at + 10;
      if bitand(localFlags, 128)
        at = at + 3 * 2 ^ (bitand(localFlags, 7) + 1);
      end
      at = skipSubBlocks(bytes, at + 1);        % after the LZW code size
    else
      error('walk_animation: unexpected GIF block %d at byte %d.', bytes(at), at);
    end
  end
  if frame ~= numel(delays)
    error('walk_animation: %d frame delays found, %d expected.', frame, numel(delays));
  end
  fid = fopen(file, 'w');
  fwrite(fid, bytes, 'uint8');
  fclose(fid);
end

function at = skipSubBlocks(bytes, at)
  while bytes(at) ~= 0
    at = at + double(bytes(at)) + 1;
  end
  at = at + 1;
end

function deleteAll(files)
  for k = 1:numel(files)
    if exist(files{k}, 'file')
      delete(files{k});
    end
  end
end
