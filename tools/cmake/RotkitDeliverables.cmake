# The toolbox's MEX functions, one folder each; a folder is built once it
# has a CMakeLists.txt. The main build and the fuzz build both read this list.
set(ROTKIT_DELIVERABLES
    rotcompose rotreverse rotblend posechain
    rotapply rotnormalize rot2mat mat2rot eul2rot rot2eul vec2rot rot2vec
    rotslerp)
