%ROTDIST  (help text to come)
