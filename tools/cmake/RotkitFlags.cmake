# Flags for every target of the project (include RotkitManifest.cmake first).
#
# Results are defined bit for bit, so floating-point contraction (fused
# multiply-add) is off everywhere and fast-math is never used: the flags
# that say so come from src/flags.txt, which every other build reads too.
if(MSVC AND CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  rotkit_flags(clangcl.fp ROTKIT_FP_FLAGS)
elseif(MSVC)
  rotkit_flags(msvc.fp ROTKIT_FP_FLAGS)
else()
  rotkit_flags(gcc.fp ROTKIT_FP_FLAGS)
  add_compile_options(-Wall -Wextra -Wpedantic -Wshadow -Wcast-qual -Wold-style-cast)
endif()
# MinGW-w64: its C++ runtime linked into every DLL, as into a MEX file.
# (Programs, the tests, link everything statically: the toolchain's -static.)
if(MINGW)
  rotkit_flags(mingw.link ROTKIT_MINGW_LINK_FLAGS)
  string(JOIN " " ROTKIT_MINGW_LINK_TEXT ${ROTKIT_MINGW_LINK_FLAGS})
  string(APPEND CMAKE_SHARED_LINKER_FLAGS " ${ROTKIT_MINGW_LINK_TEXT}")
  string(APPEND CMAKE_MODULE_LINKER_FLAGS " ${ROTKIT_MINGW_LINK_TEXT}")
endif()
add_compile_options(${ROTKIT_FP_FLAGS})
if(ROTKIT_WERROR)
  add_compile_options(-Werror)
endif()
if(ROTKIT_SANITIZE AND ROTKIT_SANITIZE_THREAD)
  message(FATAL_ERROR "ROTKIT_SANITIZE and ROTKIT_SANITIZE_THREAD exclude each other: build them apart")
endif()
if(ROTKIT_SANITIZE_THREAD)
  set(ROTKIT_TSAN_FLAGS -fsanitize=thread -fno-omit-frame-pointer)
  add_compile_options(${ROTKIT_TSAN_FLAGS})
  add_link_options(${ROTKIT_TSAN_FLAGS})
endif()
if(ROTKIT_SANITIZE)
  set(ROTKIT_SANITIZER_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_compile_options(${ROTKIT_SANITIZER_FLAGS})
  add_link_options(${ROTKIT_SANITIZER_FLAGS})
endif()
# Clang's AddressSanitizer aligns the frames it makes on the stack to 32
# bytes, and Clang 14 then passes 64-byte vectors (the AVX-512 lanes) to
# functions it did not inline in stack slots that it stores to as if they
# were aligned to 64: the aligned store faults. Frames aligned to 64 avoid
# it; builds without the sanitizer are not affected.
set(ROTKIT_CLANG_ASAN_FLAGS -mllvm -asan-realign-stack=64)
if(ROTKIT_SANITIZE AND CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  add_compile_options(${ROTKIT_CLANG_ASAN_FLAGS})
endif()
