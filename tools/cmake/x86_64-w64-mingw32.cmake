# Cross build for 64-bit Windows with Debian's MinGW-w64 (the POSIX thread
# model, whose libstdc++ has std::thread); the tests run under Wine.
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=tools/cmake/x86_64-w64-mingw32.cmake
# (make test-windows does this, and keeps one Wine server up for the run.)
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The C++ runtime is linked into every binary by the flags of src/flags.txt
# (mingw.link), the same as build_mex.m gives MATLAB's MinGW-w64; the test
# programs take every library of MinGW's statically (libquadmath too), so
# that Wine needs none of its DLLs.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# Wine runs the tests, in a prefix of the build's own (made on first use),
# without its debug output or the installers of Mono and Gecko, with the
# embedded host's DLL on the search path (as MATLAB's libmx is on the PATH
# of MATLAB's process). Paths the tests are given are Unix paths, which Wine
# reaches through drive Z:.
set(ROTKIT_WINE /usr/lib/wine/wine64)
set(ROTKIT_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
set(CMAKE_CROSSCOMPILING_EMULATOR env WINEPREFIX=${ROTKIT_WINEPREFIX} WINEDEBUG=-all
    WINEDLLOVERRIDES=mscoree,mshtml= WINEPATH=Z:${CMAKE_BINARY_DIR}/embedded ${ROTKIT_WINE})
set(ROTKIT_TARGET_PATH_PREFIX Z:)
set(ROTKIT_OBJDUMP x86_64-w64-mingw32-objdump)
# GoogleTest is built from Debian's sources (package googletest) for Windows.
set(ROTKIT_GTEST_SOURCE /usr/src/googletest)
