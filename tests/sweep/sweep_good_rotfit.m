function [good, names, extra] = sweep_good_rotfit ()
% A good call of rotfit for the input sweep: three points of a reference
% cluster, two frames of them turned, weights, and the option; and names
% of options of every kind for the fourth input.
  a = [0; 0; 0; 1; 0; 0; 0; 2; 0];
  good = {a, [a, [0; 0; 0; 0; 1; 0; -2; 0; 0]], [1 2 1], 'translation', 0};
  names = {'A', 'B', 'W', 'name', 'value'};
  extra = {4, option_kinds()};
end

function kinds = option_kinds ()
  kinds = {
    'name ''Translation''',        'Translation'
    'name ''TRANSLATION''',        'TRANSLATION'
    'name ''trans'' (a prefix)',   'trans'
    'name ''scale''',              'scale'
    'name '''' (empty)',           ''
    'name as a column of chars',   'translation'''
  };
end
