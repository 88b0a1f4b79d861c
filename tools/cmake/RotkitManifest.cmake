# Reads the manifests under src/ that every build of the toolbox shares:
#   src/functions.txt  ROTKIT_FUNCTIONS (names, in the file's order) and, for
#                      each NAME, ROTKIT_FOLDER_<NAME> (its folder under src/)
#                      and ROTKIT_SHARED_<NAME> (folders it is compiled with);
#   src/flags.txt      rotkit_flags(<key> <var>): the flags of one key
#                      (gcc.fp, msvc.fp, ...) as a list;
# and rotkit_kernel_sources(<name> <var>), the kernel sources of a function.
# Both the main build and the fuzz build include this file.
get_filename_component(ROTKIT_ROOT ${CMAKE_CURRENT_LIST_DIR}/../.. ABSOLUTE)
set(ROTKIT_SOURCE_ROOT ${ROTKIT_ROOT}/src)

set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
             ${ROTKIT_SOURCE_ROOT}/functions.txt ${ROTKIT_SOURCE_ROOT}/flags.txt)

# The words of each line of a manifest, comments and blank lines left out.
function(_rotkit_manifest_lines file out)
  file(STRINGS ${file} raw)
  set(lines "")
  foreach(line IN LISTS raw)
    string(REGEX REPLACE "#.*$" "" line "${line}")
    string(STRIP "${line}" line)
    if(line)
      list(APPEND lines "${line}")
    endif()
  endforeach()
  set(${out} "${lines}" PARENT_SCOPE)
endfunction()

_rotkit_manifest_lines(${ROTKIT_SOURCE_ROOT}/functions.txt _rotkit_function_lines)
set(ROTKIT_FUNCTIONS "")
foreach(line IN LISTS _rotkit_function_lines)
  separate_arguments(words UNIX_COMMAND "${line}")
  list(LENGTH words count)
  if(count LESS 2)
    message(FATAL_ERROR "src/functions.txt: '${line}' needs a name and a folder")
  endif()
  list(GET words 0 name)
  list(GET words 1 folder)
  set(shared "")
  if(count GREATER 2)
    list(SUBLIST words 2 -1 shared)
  endif()
  if(NOT EXISTS ${ROTKIT_SOURCE_ROOT}/${folder}/${name}_gateway.cpp)
    message(FATAL_ERROR "src/functions.txt: ${name}: no src/${folder}/${name}_gateway.cpp")
  endif()
  list(APPEND ROTKIT_FUNCTIONS ${name})
  set(ROTKIT_FOLDER_${name} ${folder})
  set(ROTKIT_SHARED_${name} "${shared}")
endforeach()

# The kernel sources of a function: every .cpp of its folder but the
# gateway, and every .cpp of the shared folders its manifest line names but
# their gateways (a shared folder may be another function's, whose kernel
# this one uses).
function(rotkit_kernel_sources name out)
  set(folder ${ROTKIT_SOURCE_ROOT}/${ROTKIT_FOLDER_${name}})
  file(GLOB sources CONFIGURE_DEPENDS ${folder}/*.cpp)
  list(REMOVE_ITEM sources ${folder}/${name}_gateway.cpp)
  foreach(shared IN LISTS ROTKIT_SHARED_${name})
    file(GLOB shared_sources CONFIGURE_DEPENDS ${ROTKIT_SOURCE_ROOT}/${shared}/*.cpp)
    list(FILTER shared_sources EXCLUDE REGEX "_gateway\\.cpp$")
    list(APPEND sources ${shared_sources})
  endforeach()
  set(${out} ${sources} PARENT_SCOPE)
endfunction()

function(rotkit_flags key out)
  _rotkit_manifest_lines(${ROTKIT_SOURCE_ROOT}/flags.txt lines)
  foreach(line IN LISTS lines)
    if(line MATCHES "^${key}:(.*)$")
      separate_arguments(flags UNIX_COMMAND "${CMAKE_MATCH_1}")
      set(${out} "${flags}" PARENT_SCOPE)
      return()
    endif()
  endforeach()
  message(FATAL_ERROR "src/flags.txt has no ${key}")
endfunction()
