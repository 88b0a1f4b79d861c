# rotkit_add_function(name): builds one function of src/functions.txt
# (RotkitManifest.cmake) from its folder: the gateway <name>_gateway.cpp,
# the kernel (every other .cpp of the folder, and of the shared folders its
# line names), the help text <name>.m. Three ways from the same sources:
#   ${name}_kernel    static library of the kernel, for tests and benchmarks;
#   ${name}_embedded  shared library on the embedded host, build/embedded/${name}.so;
#   ${name}_octave    Octave's oct-file build/rotkit/${name}.oct: the gateway
#                     on the oct-file binding (src/host/octave) under a
#                     DEFUN_DLD entry, with its help file copied beside it;
#   ${name}_mex       Octave MEX file build/rotkit-mex/${name}.mex, with its
#                     help file (option ROTKIT_OCTAVE_MEX), for the tests of
#                     the MEX build that MATLAB users get;
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
else()
  unset(ROTKIT_SIMDE_INCLUDE CACHE)  # turned off in a build that had it on
endif()

option(ROTKIT_OCTAVE_MEX "Build the Octave MEX files too, into build/rotkit-mex" ON)
if(NOT ROTKIT_OCTAVE)
  set(ROTKIT_OCTAVE_MEX OFF)
endif()

# The toolbox as a user puts it on the path: every oct-file with its help,
# and every m-file of toolbox/rotkit (rotkit_add_toolbox_files); the MEX
# files get a folder of their own, laid out alike, so that each build is
# tested on its own (with f.oct and f.mex in one folder Octave loads f.oct).
set(ROTKIT_TOOLBOX_DIR ${CMAKE_BINARY_DIR}/rotkit)
set(ROTKIT_MEX_TOOLBOX_DIR ${CMAKE_BINARY_DIR}/rotkit-mex)
set(ROTKIT_EMBEDDED_DIR ${CMAKE_BINARY_DIR}/embedded)
set_property(GLOBAL PROPERTY ROTKIT_KERNELS "")
set_property(GLOBAL PROPERTY ROTKIT_EMBEDDED_TARGETS "")

function(rotkit_add_function name)
  set(folder ${ROTKIT_SOURCE_ROOT}/${ROTKIT_FOLDER_${name}})
  set(gateway ${folder}/${name}_gateway.cpp)
  set(help ${folder}/${name}.m)
  rotkit_kernel_sources(${name} kernel_sources)
  

  add_library(${name}_kernel STATIC ${kernel_sources})
  target_include_directories(${name}_kernel PUBLIC ${ROTKIT_SOURCE_ROOT})
  target_link_libraries(${name}_kernel PUBLIC Threads::Threads)
  set_property(GLOBAL APPEND PROPERTY ROTKIT_KERNELS ${name}_kernel)

  if(ROTKIT_SIMDE_INCLUDE)
    add_library(${name}_kernel_avx512emu STATIC ${kernel_sources})
    target_include_directories(${name}_kernel_avx512emu PUBLIC ${ROTKIT_SOURCE_ROOT})
    target_include_directories(${name}_kernel_avx512emu SYSTEM PUBLIC ${ROTKIT_SIMDE_INCLUDE})
    target_compile_definitions(${name}_kernel_avx512emu PUBLIC ROTKIT_EMULATE_AVX512)
    # SIMDe's 512-bit types are plain vector types here; GCC notes that
    # passing them changes the ABI, which concerns no boundary of ours.
    target_compile_options(${name}_kernel_avx512emu PUBLIC -Wno-psabi)
    target_link_libraries(${name}_kernel_avx512emu PUBLIC Threads::Threads)
  endif()

  add_library(${name}_embedded MODULE ${gateway})
  target_link_libraries(${name}_embedded PRIVATE embeddedhost ${name}_kernel)
  set_target_properties(${name}_embedded PROPERTIES OUTPUT_NAME ${name} PREFIX ""
                        LIBRARY_OUTPUT_DIRECTORY ${ROTKIT_EMBEDDED_DIR})
  set_property(GLOBAL APPEND PROPERTY ROTKIT_EMBEDDED_TARGETS ${name}_embedded)

  if(ROTKIT_OCTAVE)
    rotkit_octfile(${name}_octave ${name} ${ROTKIT_TOOLBOX_DIR} ${gateway})
    target_link_libraries(${name}_octave PRIVATE ${name}_kernel)
    rotkit_help_beside(${name}_octave ${name} ${ROTKIT_TOOLBOX_DIR} ${help})
  endif()

  if(ROTKIT_OCTAVE_MEX)
    # The kernel library is position independent (CMAKE_POSITION_INDEPENDENT_CODE),
    # so the MEX file links it rather than compiling the kernel again.
    rotkit_mexfile(${name}_mex ${name} ${ROTKIT_MEX_TOOLBOX_DIR} ${gateway})
    target_link_libraries(${name}_mex PRIVATE ${name}_kernel)
    rotkit_help_beside(${name}_mex ${name} ${ROTKIT_MEX_TOOLBOX_DIR} ${help})
  endif()

  if(Matlab_FOUND)
    matlab_add_mex(NAME ${name}_matlab SRC ${gateway} ${kernel_sources} OUTPUT_NAME ${name} R2017b)
    target_include_directories(${name}_matlab PRIVATE ${ROTKIT_SOURCE_ROOT})
  endif()
endfunction()

# An oct-file `name`.oct in `folder` from a gateway (and further sources):
# the gateway unchanged on the oct-file binding (src/host/octave, whose
# mex.h comes before Octave's), under Octave's native entry point.
function(rotkit_octfile target name folder)
  add_library(${target} MODULE ${ARGN} ${ROTKIT_SOURCE_ROOT}/host/octave/octfile_entry.cpp)
  target_include_directories(${target} BEFORE PRIVATE ${ROTKIT_SOURCE_ROOT}/host/octave)
  target_compile_definitions(${target} PRIVATE ROTKIT_FUNCTION=${name})
  rotkit_flags(gcc.octfile octfile_flags)
  target_compile_options(${target} PRIVATE ${octfile_flags})
  target_link_libraries(${target} PRIVATE octavehost Threads::Threads)
  rotkit_loaded_module(${target} ${name} .oct ${folder})
endfunction()

# An Octave MEX file `name`.mex in `folder` from a gateway (and further
# sources), on Octave's own mex.h.
function(rotkit_mexfile target name folder)
  add_library(${target} MODULE ${ARGN})
  target_include_directories(${target} PRIVATE ${ROTKIT_SOURCE_ROOT})
  target_include_directories(${target} SYSTEM PRIVATE ${ROTKIT_OCTAVE_INCLUDES})
  target_link_libraries(${target} PRIVATE Threads::Threads)
  rotkit_loaded_module(${target} ${name} .mex ${folder})
endfunction()

# A module Octave loads, bound to its own symbols first (-Bsymbolic, as
# mkoctfile links), so that no two modules share code through the dynamic
# linker.
function(rotkit_loaded_module target name suffix folder)
  target_link_options(${target} PRIVATE -Wl,-Bsymbolic)
  set_target_properties(${target} PROPERTIES OUTPUT_NAME ${name} PREFIX "" SUFFIX ${suffix}
                        LIBRARY_OUTPUT_DIRECTORY ${folder})
endfunction()

# The help file `help` copied beside the module as `name`.m: Octave reads
# a MEX file's help there, and an oct-file reads its own from there when
# it is loaded.
function(rotkit_help_beside target name folder help)
  # Relinked when its help file changes, so the copy below stays current.
  set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${help})
  add_custom_command(TARGET ${target} POST_BUILD
                     COMMAND ${CMAKE_COMMAND} -E copy_if_different ${help} ${folder}/${name}.m)
endfunction()

# Copies toolbox/rotkit (the m-files, private/, samples/, Contents.m) into
# the toolbox folders of the build at every build, so that one addpath gives
# every function.
function(rotkit_add_toolbox_files)
  set(source ${ROTKIT_ROOT}/toolbox/rotkit)
  file(GLOB_RECURSE files CONFIGURE_DEPENDS ${source}/*)
  set(stamp ${CMAKE_BINARY_DIR}/toolbox_files.stamp)
  set(copies COMMAND ${CMAKE_COMMAND} -E copy_directory ${source} ${ROTKIT_TOOLBOX_DIR})
  if(ROTKIT_OCTAVE_MEX)
    list(APPEND copies COMMAND ${CMAKE_COMMAND} -E copy_directory ${source} ${ROTKIT_MEX_TOOLBOX_DIR})
  endif()
  add_custom_command(OUTPUT ${stamp} ${copies}
                     COMMAND ${CMAKE_COMMAND} -E touch ${stamp}
                     DEPENDS ${files} COMMENT "Copying toolbox/rotkit into the toolbox folders")
  add_custom_target(toolbox_files ALL DEPENDS ${stamp})
endfunction()
