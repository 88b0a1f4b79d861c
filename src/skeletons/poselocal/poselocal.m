%POSELOCAL  (help text to come)
