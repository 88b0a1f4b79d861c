function files = make_table_test_files(outDir)
%MAKE_TABLE_TEST_FILES Write TRC, MOT and STO files in the shapes tools write.
%   FILES = MAKE_TABLE_TEST_FILES(DIR) writes them into DIR (made if need
%   be) and returns a struct array: name, path, kind ('trc' or 'mot'),
%   expected (what trcread or motread must give: points, labels, time,
%   frameNumbers, pointRate, units for a TRC file; labels, data, name,
%   inDegrees for a MOT or STO file) and warns (true where the reader must
%   warn that the header's count differs). Every number is written with 17
%   significant digits or as a short decimal, so the expected values are
%   the ones the text holds:
%     octave-cli --eval "addpath tools; make_table_test_files('/tmp/tables')"
%
%   opensim.trc        OpenSim's layout: tabs, labels over their three
%                      columns, the coordinate names, a blank line, missing
%                      samples as empty fields.
%   count_mismatch.trc NumMarkers says 3 where the labels list 4, NumFrames
%                      more frames than the rows (a warning), labels with
%                      spaces.
%   single_tabs.trc    CR LF line ends, labels parted by single tabs, rows
%                      that end early (the last markers missing) or with a
%                      trailing tab, "NaN" for a missing coordinate.
%   no_coordinates.trc no line of coordinate names; rows parted by spaces.
%   opensim.mot        a name, version, nRows, nColumns, inDegrees=yes,
%                      free text and blank lines, then endheader.
%   storage.sto        OpenSim 4: no name line, OpenSimVersion, DataType,
%                      inDegrees=no; NaN and -Inf values.
%   simm.mot           the older form: "name N", datacolumns, datarows,
%                      range; labels and values parted by spaces.
%   rows_mismatch.sto  CR line ends alone, nRows more than the rows (a
%                      warning), blank lines between rows, exponents.

  if ~exist(outDir, 'dir')
    mkdir(outDir);
  end
  files = struct('name', {}, 'path', {}, 'kind', {}, 'expected', {}, 'warns', {});
  [text, e] = opensimTrc();
  files = put(files, outDir, 'opensim.trc', 'trc', text, e, false);
  [text, e] = countMismatchTrc();
  files = put(files, outDir, 'count_mismatch.trc', 'trc', text, e, true);
  [text, e] = singleTabsTrc();
  files = put(files, outDir, 'single_tabs.trc', 'trc', text, e, false);
  [text, e] = noCoordinatesTrc();
  files = put(files, outDir, 'no_coordinates.trc', 'trc', text, e, false);
  [text, e] = opensimMot();
  files = put(files, outDir, 'opensim.mot', 'mot', text, e, false);
  [text, e] = storageSto();
  files = put(files, outDir, 'storage.sto', 'mot', text, e, false);
  [text, e] = simmMot();
  files = put(files, outDir, 'simm.mot', 'mot', text, e, false);
  [text, e] = rowsMismatchSto();
  files = put(files, outDir, 'rows_mismatch.sto', 'mot', text, e, true);
end

function files = put(files, outDir, name, kind, text, expected, warns)
  path = fullfile(outDir, name);
  fid = fopen(path, 'w');
  if fid < 0
    error('make_table_test_files: cannot write "%s".', path);
  end
  fwrite(fid, text, 'char');
  fclose(fid);
  files(end + 1) = struct('name', name, 'path', path, 'kind', kind, 'expected', expected, 'warns', warns);
end

% Markers moving on smooth curves, M x 3 rows by N frames.
function P = markers(M, N)
  [r, k] = ndgrid(1:3 * M, 0:N - 1);
  P = 500 * sin(0.1 * k .* (1 + 0.07 * r) + r) + 100 * r + 0.123456789;
end

function s = number(v)
  s = sprintf('%.17g', v);
end

function text = lines(list, eol)
  text = [strjoin(list, eol), eol];
end

function e = trcExpected(P, labels, time, frames, rate, units)
  e = struct('points', P, 'labels', {labels}, 'time', time, 'frameNumbers', frames, 'pointRate', rate, 'units', units);
end

% A row: frame number, time, each coordinate (empty where NaN).
function row = trcRow(frame, time, values, sep)
  fields = arrayfun(@number, values, 'UniformOutput', false);
  fields(isnan(values)) = {''};
  row = strjoin([{sprintf('%d', frame), number(time)}, fields], sep);
end

function [text, e] = opensimTrc()
  M = 3; N = 6; rate = 60;
  P = markers(M, N);
  P(4:6, 2) = NaN;
  P(7:9, 5:6) = NaN;
  labels = {'R.ASIS', 'L.ASIS', 'V.Sacral'};
  time = (0:N - 1) / rate;
  rows = arrayfun(@(k) trcRow(k, time(k), P(:, k)', char(9)), 1:N, 'UniformOutput', false);
  head = {sprintf('PathFileType\t4\t(X/Y/Z)\topensim.trc'), ...
          sprintf('DataRate\tCameraRate\tNumFrames\tNumMarkers\tUnits\tOrigDataRate\tOrigDataStartFrame\tOrigNumFrames'), ...
          sprintf('60.00\t60.00\t%d\t%d\tmm\t60.00\t1\t%d', N, M, N), ...
          ['Frame#', char(9), 'Time', sprintf('\t%s\t\t', labels{:})], ...
          sprintf('\t\tX1\tY1\tZ1\tX2\tY2\tZ2\tX3\tY3\tZ3'), ''};
  text = lines([head, rows], char(10));
  e = trcExpected(P, labels, time, 1:N, 60, 'mm');
end

function [text, e] = countMismatchTrc()
  M = 4; N = 5; rate = 100;
  P = markers(M, N);
  labels = {'L ASIS', 'R ASIS', 'L KNEE LAT', 'R KNEE LAT'};
  time = (10:N + 9) / rate;
  rows = arrayfun(@(k) trcRow(k + 10, time(k), P(:, k)', char(9)), 1:N, 'UniformOutput', false);
  head = {sprintf('PathFileType\t4\t(X/Y/Z)\tcount_mismatch.trc'), ...
          sprintf('DataRate\tCameraRate\tNumFrames\tNumMarkers\tUnits\tOrigDataRate\tOrigDataStartFrame\tOrigNumFrames'), ...
          sprintf('100\t100\t%d\t3\tm\t100\t11\t%d', N + 3, N), ...
          ['Frame#', char(9), 'Time', sprintf('\t%s\t\t', labels{:})], ...
          ['', sprintf('\t\tX%d\tY%d\tZ%d', [1:M; 1:M; 1:M])], ''};
  text = lines([head, rows], char(10));
  e = trcExpected(P, labels, time, 11:N + 10, 100, 'm');
end

function [text, e] = singleTabsTrc()
  M = 3; N = 4; rate = 120;
  P = markers(M, N);
  tab = char(9);
  rows = cell(1, N);
  time = (0:N - 1) / rate;
  rows{1} = [trcRow(1, time(1), P(:, 1)', tab), tab];          % a trailing tab
  rows{2} = trcRow(2, time(2), P(1:6, 2)', tab);                % the last marker left out
  P(7:9, 2) = NaN;
  rows{3} = trcRow(3, time(3), P(1:3, 3)', tab);                % two markers left out
  P(4:9, 3) = NaN;
  values = arrayfun(@number, P(:, 4)', 'UniformOutput', false);
  values{5} = 'NaN';
  P(5, 4) = NaN;
  rows{4} = strjoin([{'4', number(time(4))}, values], tab);
  labels = {'A', 'B', 'C'};
  head = {['PathFileType', tab, '4', tab, '(X/Y/Z)', tab, 'single_tabs.trc'], ...
          ['DataRate', tab, 'CameraRate', tab, 'NumFrames', tab, 'NumMarkers', tab, 'Units'], ...
          ['120', tab, '120', tab, '4', tab, '3', tab, 'mm'], ...
          ['Frame#', tab, 'Time', tab, 'A', tab, 'B', tab, 'C'], ...
          [tab, tab, 'X1', tab, 'Y1', tab, 'Z1', tab, 'X2', tab, 'Y2', tab, 'Z2', tab, 'X3', tab, 'Y3', tab, 'Z3']};
  text = lines([head, rows], char([13 10]));
  e = trcExpected(P, labels, time, 1:N, 120, 'mm');
end

function [text, e] = noCoordinatesTrc()
  M = 2; N = 3; rate = 50;
  P = markers(M, N);
  time = (0:N - 1) / rate;
  rows = arrayfun(@(k) trcRow(k, time(k), P(:, k)', '   '), 1:N, 'UniformOutput', false);
  head = {'PathFileType 4 (X/Y/Z) no_coordinates.trc', 'DataRate CameraRate NumFrames NumMarkers Units', ...
          '50 50 3 2 mm', 'Frame# Time HEAD TOE'};
  text = lines([head, rows], char(10));
  e = trcExpected(P, {'HEAD', 'TOE'}, time, 1:N, 50, 'mm');
end

function e = motExpected(labels, data, name, inDegrees)
  e = struct('labels', {labels}, 'data', data, 'name', name, 'inDegrees', inDegrees);
end

function rows = tableRows(data, sep)
  rows = cell(1, size(data, 2));
  for k = 1:size(data, 2)
    rows{k} = strjoin(arrayfun(@number, data(:, k)', 'UniformOutput', false), sep);
  end
end

function data = angles(C, R)
  [c, k] = ndgrid(1:C, 0:R - 1);
  data = 40 * sin(0.2 * k .* c + c) + 0.5 * c;
  data(1, :) = (0:R - 1) / 100;
end

function [text, e] = opensimMot()
  labels = {'time', 'pelvis_tilt', 'hip_flexion_r', 'knee_angle_r'};
  data = angles(4, 5);
  head = {'Coordinates', 'version=1', 'nRows=5', 'nColumns=4', 'inDegrees=yes', '', ...
          'Units are S.I. units (second, meters, Newtons, ...)', 'Angles are in degrees.', '', 'endheader', ...
          strjoin(labels, char(9))};
  text = lines([head, tableRows(data, char(9))], char(10));
  e = motExpected(labels, data, 'Coordinates', true);
end

function [text, e] = storageSto()
  labels = {'time', 'ground_force_vx', 'ground_force_vy'};
  data = angles(3, 4);
  data(2, 3) = NaN;
  data(3, 4) = -Inf;
  rows = tableRows(data, char(9));
  rows{3} = strrep(rows{3}, 'NaN', 'nan');
  head = {'version=1', 'OpenSimVersion=4.1', 'DataType=double', 'inDegrees=no', 'endheader', strjoin(labels, char(9))};
  text = lines([head, rows], char(10));
  e = motExpected(labels, data, '', false);
end

function [text, e] = simmMot()
  labels = {'time', 'r_hip', 'r_knee'};
  data = angles(3, 4);
  head = {'name simm walk', 'datacolumns 3', 'datarows 4', 'range 0 0.03', 'endheader', strjoin(labels, '   ')};
  text = lines([head, tableRows(data, '  ')], char(10));
  e = motExpected(labels, data, 'simm walk', []);
end

function [text, e] = rowsMismatchSto()
  labels = {'time', 'a', 'b', 'c', 'd'};
  data = angles(5, 6) .* [1; 1e-20; 1e20; 1; 1];
  rows = tableRows(data, char(9));
  rows = [rows(1:2), {''}, rows(3:end), {'', ''}];
  head = {'Residuals', 'version=1', 'nRows=9', 'nColumns=5', 'endheader', strjoin(labels, char(9))};
  text = lines([head, rows], char(13));
  e = motExpected(labels, data, 'Residuals', []);
end
