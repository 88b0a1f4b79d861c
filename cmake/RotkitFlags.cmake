# Flags for every target of the project.
#
# Results are defined bit for bit, so floating-point contraction (fused
# multiply-add) is off everywhere and fast-math is never used.
set(ROTKIT_FP_FLAGS -ffp-contract=off -fno-fast-math)
if(CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  list(APPEND ROTKIT_FP_FLAGS -fno-finite-math-only)
endif()
add_compile_options(${ROTKIT_FP_FLAGS})
add_compile_options(-Wall -Wextra -Wpedantic -Wshadow -Wcast-qual -Wold-style-cast)
if(ROTKIT_WERROR)
  add_compile_options(-Werror)
endif()
if(ROTKIT_SANITIZE)
  set(ROTKIT_SANITIZER_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_compile_options(${ROTKIT_SANITIZER_FLAGS})
  add_link_options(${ROTKIT_SANITIZER_FLAGS})
endif()
