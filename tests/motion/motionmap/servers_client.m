% The client side of motionmap_servers_test.m, run inside the test's network
% namespace, where a pserver was just started:
%   octave-cli servers_client.m MEXDIR REPOSITORY CLIPFOLDER
% Connects to the server through 127.0.0.1 (and nothing else), runs the
% collection through netcellfun and compares it with a run in this
% process, bit for bit. Exits with 0 when everything matched, 1 otherwise.
args = argv();
mexDir = args{1};
toolbox = fullfile(args{2}, 'toolbox', 'rotkit');
addpath(mexDir, toolbox, fullfile(args{2}, 'tests', 'support'));
pkg load parallel

listing = dir(fullfile(args{3}, 'clip_*.bvh'));
files = [fullfile(args{3}, {listing.name}), {fullfile(args{3}, 'missing.bvh')}];
pose = @(skel, motion, file) posechain(skel.parents, skel.offsets, ...
                                       motion.rootPositions, motion.localRotations);
[here, failedHere] = motionmap(files, pose, 'Progress', false);

% The server accepts connections once it has started: try for 30 s.
deadline = time() + 30;
while true
  try
    connections = pconnect({'127.0.0.1'}, struct('use_tls', false));
    break
  catch err
    if time() > deadline
      printf('no connection to the server on 127.0.0.1: %s\n', err.message);
      exit(1);
    end
    pause(0.2);
  end
end
% The server's Octave has its own path: give it the toolbox and the build.
reval(sprintf('addpath(''%s'', ''%s'');', mexDir, toolbox), connections);

ok = true;
tic;
[remote, failed] = motionmap(files, pose, 'Servers', connections);
seconds = toc;
printf('netcellfun on 127.0.0.1: %d files, %.1f files/s\n', numel(files), numel(files) / seconds);
if ~isequal(size(remote), size(files)) || ~isequal(failed, failedHere) || ~failed(end)
  printf('netcellfun: other shape or other failures\n');
  ok = false;
else
  for k = 1:numel(files)
    if ~(samebits(remote{k}, here{k}) || (failed(k) && strcmp(remote{k}, here{k})))
      printf('netcellfun: %s differs\n', files{k});
      ok = false;
    end
  end
end
try
  motionmap(files, pose, 'Servers', connections, 'Workers', 2);
  printf('Workers with Servers: no error\n');
  ok = false;
catch err
  if ~strcmp(err.identifier, 'rotkit:motionmap:workersAndServers') || ...
     isempty(strfind(err.message, 'give Workers or Servers, not both'))
    printf('Workers with Servers: %s (%s)\n', err.message, err.identifier);
    ok = false;
  end
end
sclose(connections);
if ok
  printf('netcellfun: same bits as here\n');
end
exit(double(~ok));
