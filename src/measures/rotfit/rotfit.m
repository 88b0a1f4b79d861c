%ROTFIT  (help text to come)
