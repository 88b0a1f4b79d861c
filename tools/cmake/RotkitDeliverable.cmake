# rotkit_add_deliverable(NAME name GATEWAY file KERNEL files... [LIBS libs...])
#
# Builds one deliverable three ways from the same sources:
#   ${name}_kernel    static library of the kernel, for tests and benchmarks;
#   ${name}_embedded  shared library on the embedded host, build/embedded/${name}.so;
#   ${name}_octave    Octave MEX file build/mex/${name}.mex, with its help file
#                     ${name}/${name}.m copied beside it;
#   ${name}_kernel_avx512emu  the kernel again with its AVX-512 path on SIMDe's
#                     portable intrinsics (x86-64 with SIMDe only), so that the
#                     tests run that path's lanes on processors without AVX-512;
# and, when CMake finds MATLAB, ${name}_matlab through matlab_add_mex.

if(ROTKIT_OCTAVE)
  find_program(ROTKIT_MKOCTFILE mkoctfile)
  if(ROTKIT_MKOCTFILE)
    execute_process(COMMAND ${ROTKIT_MKOCTFILE} -p INCFLAGS OUTPUT_VARIABLE _octave_incflags
                    OUTPUT_STRIP_TRAILING_WHITESPACE)
    separate_arguments(_octave_incflags UNIX_COMMAND "${_octave_incflags}")
    set(ROTKIT_OCTAVE_INCLUDES "")
    foreach(flag IN LISTS _octave_incflags)
      string(REGEX REPLACE "^-I" "" dir "${flag}")
      list(APPEND ROTKIT_OCTAVE_INCLUDES "${dir}")
    endforeach()
  else()
    message(WARNING "mkoctfile not found: the Octave MEX files are not built")
    set(ROTKIT_OCTAVE OFF)
  endif()
endif()

find_package(Matlab QUIET COMPONENTS MX_LIBRARY)

# SIMDe (Debian libsimde-dev) for the emulated AVX-512 kernels of the tests;
# the sanitizer builds leave them out (the main build runs them).
option(ROTKIT_EMULATED_AVX512 "Build the kernels' tests again on emulated AVX-512 (SIMDe)" ON)
if(ROTKIT_EMULATED_AVX512 AND CMAKE_SYSTEM_PROCESSOR MATCHES "x86_64|AMD64")
  find_path(ROTKIT_SIMDE_INCLUDE simde/x86/avx512.h)
endif()

set(ROTKIT_MEX_DIR ${CMAKE_BINARY_DIR}/mex)
set(ROTKIT_EMBEDDED_DIR ${CMAKE_BINARY_DIR}/embedded)
set_property(GLOBAL PROPERTY ROTKIT_KERNELS "")
set_property(GLOBAL PROPERTY ROTKIT_EMBEDDED_TARGETS "")

function(rotkit_add_deliverable)
  cmake_parse_arguments(ARG "" "NAME;GATEWAY" "KERNEL;LIBS" ${ARGN})
  set(name ${ARG_NAME})
  set(gateway ${CMAKE_CURRENT_SOURCE_DIR}/${ARG_GATEWAY})

  add_library(${name}_kernel STATIC ${ARG_KERNEL})
  target_include_directories(${name}_kernel PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name}_kernel PUBLIC ${ARG_LIBS} Threads::Threads)
  set_property(GLOBAL APPEND PROPERTY ROTKIT_KERNELS ${name}_kernel)

  if(ROTKIT_SIMDE_INCLUDE)
    add_library(${name}_kernel_avx512emu STATIC ${ARG_KERNEL})
    target_include_directories(${name}_kernel_avx512emu PUBLIC ${PROJECT_SOURCE_DIR})
    target_include_directories(${name}_kernel_avx512emu SYSTEM PUBLIC ${ROTKIT_SIMDE_INCLUDE})
    target_compile_definitions(${name}_kernel_avx512emu PUBLIC ROTKIT_EMULATE_AVX512)
    # SIMDe's 512-bit types are plain vector types here; GCC notes that
    # passing them changes the ABI, which concerns no boundary of ours.
    target_compile_options(${name}_kernel_avx512emu PUBLIC -Wno-psabi)
    target_link_libraries(${name}_kernel_avx512emu PUBLIC ${ARG_LIBS})
  endif()

  add_library(${name}_embedded MODULE ${gateway})
  target_link_libraries(${name}_embedded PRIVATE embeddedhost ${name}_kernel)
  set_target_properties(${name}_embedded PROPERTIES OUTPUT_NAME ${name} PREFIX ""
                        LIBRARY_OUTPUT_DIRECTORY ${ROTKIT_EMBEDDED_DIR})
  set_property(GLOBAL APPEND PROPERTY ROTKIT_EMBEDDED_TARGETS ${name}_embedded)

  if(ROTKIT_OCTAVE)
    # The kernel library is position independent (CMAKE_POSITION_INDEPENDENT_CODE),
    # so the MEX file links it rather than compiling the kernel again.
    add_library(${name}_octave MODULE ${gateway})
    target_include_directories(${name}_octave PRIVATE ${PROJECT_SOURCE_DIR})
    target_include_directories(${name}_octave SYSTEM PRIVATE ${ROTKIT_OCTAVE_INCLUDES})
    target_link_libraries(${name}_octave PRIVATE ${name}_kernel ${ARG_LIBS} Threads::Threads)
    target_link_options(${name}_octave PRIVATE -Wl,-Bsymbolic)
    set_target_properties(${name}_octave PROPERTIES OUTPUT_NAME ${name} PREFIX "" SUFFIX ".mex"
                          LIBRARY_OUTPUT_DIRECTORY ${ROTKIT_MEX_DIR})
    # Relinked when its help file changes, so the copy below stays current.
    set_property(TARGET ${name}_octave APPEND PROPERTY LINK_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${name}.m)
    add_custom_command(TARGET ${name}_octave POST_BUILD
                       COMMAND ${CMAKE_COMMAND} -E copy_if_different
                               ${CMAKE_CURRENT_SOURCE_DIR}/${name}.m ${ROTKIT_MEX_DIR}/${name}.m)
  endif()

  if(Matlab_FOUND)
    matlab_add_mex(NAME ${name}_matlab SRC ${gateway} ${ARG_KERNEL} OUTPUT_NAME ${name} R2017b)
    target_include_directories(${name}_matlab PRIVATE ${PROJECT_SOURCE_DIR})
  endif()
endfunction()
