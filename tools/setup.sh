#!/usr/bin/env bash
# Installs what building, testing and the demo need on Debian 12, when it
# is missing. As root it runs apt-get; otherwise it prints the one command
# to run and fails.
set -euo pipefail

packages=(g++ make cmake pkg-config python3 googletest libgtest-dev libsimde-dev
          octave liboctave-dev octave-doctest octave-parallel iproute2 gnuplot-nox ghostscript fonts-freefont-otf)
# Extra sets: "fuzz" adds clang and its libFuzzer runtime; "arm64" the cross
# compiler, qemu-user and GoogleTest's sources for make test-arm64;
# "windows" MinGW-w64 (the POSIX thread model, for std::thread), its
# binutils, Wine and GoogleTest's sources for make test-windows;
# "accuracy" adds scipy, which only the comparisons of make accuracy and
# make bench use; "bench" Google Benchmark, for make bench alone;
# "valgrind" memcheck, for make test-valgrind-octave.
for extra in "$@"; do
  case "$extra" in
    fuzz) packages+=(clang libclang-rt-14-dev) ;;
    arm64) packages+=(g++-aarch64-linux-gnu binutils-aarch64-linux-gnu qemu-user googletest) ;;
    windows) packages+=(g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 wine64 googletest) ;;
    accuracy) packages+=(python3-scipy) ;;
    bench) packages+=(libbenchmark-dev) ;;
    valgrind) packages+=(valgrind) ;;
    *) echo "setup.sh: unknown set '$extra'" >&2; exit 2 ;;
  esac
done

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
else
  echo "Missing packages. Run:" >&2
  echo "  sudo apt-get install -y ${missing[*]}" >&2
  exit 1
fi
