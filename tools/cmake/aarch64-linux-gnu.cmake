# Cross build for arm64 Linux with Debian's g++-aarch64-linux-gnu; tests run
# under qemu-user (qemu-aarch64) with the cross toolchain's libraries.
#   cmake -S . -B build-arm64 -DCMAKE_TOOLCHAIN_FILE=tools/cmake/aarch64-linux-gnu.cmake
# (make test-arm64 does this.)
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(CMAKE_C_COMPILER aarch64-linux-gnu-gcc)
set(CMAKE_CXX_COMPILER aarch64-linux-gnu-g++)
set(CMAKE_FIND_ROOT_PATH /usr/aarch64-linux-gnu)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(CMAKE_CROSSCOMPILING_EMULATOR qemu-aarch64 -L /usr/aarch64-linux-gnu)
set(ROTKIT_OBJDUMP aarch64-linux-gnu-objdump)
# GoogleTest is built from Debian's sources (package googletest) for arm64.
set(ROTKIT_GTEST_SOURCE /usr/src/googletest)
