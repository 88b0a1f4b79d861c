%ROTMEAN  (help text to come)
