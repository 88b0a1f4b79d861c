function [names, folders] = manifest_functions (root)
%MANIFEST_FUNCTIONS The compiled functions of src/functions.txt, in its order,
%   and their folders under src/.
  text = fileread (fullfile (root, "src", "functions.txt"));
  lines = strtrim (regexprep (strsplit (text, "\n"), '#.*$', ''));
  lines = lines(! cellfun (@isempty, lines));
  words = regexp (lines, '\S+', 'match');
  names = cellfun (@(w) w{1}, words, "UniformOutput", false);
  folders = cellfun (@(w) w{2}, words, "UniformOutput", false);
end
