#!/usr/bin/env bash
# Assembles the Octave package rotkit-VERSION.tar.gz, VERSION from
# package/DESCRIPTION, into build/ or the folder given:
#   tools/make_dist.sh [OUTDIR]
# The tarball needs nothing from this repository: it holds package/
# (DESCRIPTION, INDEX, COPYING, inst/PKG_ADD and PKG_DEL, src/Makefile),
# the m-files and sample of
# toolbox/rotkit/, every function's sources and help files, and every folder
# their sources include (host/, quaternion/, ...).
set -euo pipefail
shopt -s nullglob

root="$(cd "$(dirname "$0")/.." && pwd)"
out="${1:-$root/build}"
version="$(sed -n 's/^Version: *//p' "$root/package/DESCRIPTION")"
name="rotkit-$version"
# Every function folder: one that holds <name>/<name>_gateway.cpp.
functions=()
for gateway in "$root"/*/*_gateway.cpp; do
  folder=$(basename "$(dirname "$gateway")")
  [ "$(basename "$gateway")" = "${folder}_gateway.cpp" ] && functions+=("$folder")
done

stage="$(mktemp -d)"
trap 'rm -rf "$stage"' EXIT
dist="$stage/$name"
mkdir -p "$dist/src" "$dist/inst"
cp "$root/package/DESCRIPTION" "$root/package/INDEX" "$root/package/COPYING" "$dist/"
cp "$root/package/src/Makefile" "$dist/src/"

# The m-files and the sample motion. "help rotkit" shows the Contents.m of
# a folder named rotkit on the path; pkg installs into rotkit-VERSION, so
# Contents.m goes into a folder rotkit inside it, which PKG_ADD puts on the
# path when the package is loaded.
cp -R "$root/toolbox/rotkit/." "$root/package/inst/." "$dist/inst/"
mkdir -p "$dist/inst/rotkit"
mv "$dist/inst/Contents.m" "$dist/inst/rotkit/Contents.m"

# Each function's sources in its own folder; the help files in src/help,
# which src/Makefile puts where pkg installs the MEX files.
mkdir -p "$dist/src/help"
for function in "${functions[@]}"; do
  mkdir -p "$dist/src/$function"
  cp "$root/$function"/*.cpp "$root/$function"/*.h "$dist/src/$function/"
  cp "$root/$function/$function.m" "$dist/src/help/"
done

# Every folder named in an #include "folder/file.h" of the sources, and
# those its headers name in turn (headers only: nothing there is compiled).
while :; do
  missing=()
  for folder in $(grep -rhoE '#include "[A-Za-z_]+/' "$dist/src" | sed -E 's/#include "//; s#/$##' | sort -u); do
    [ -d "$dist/src/$folder" ] || missing+=("$folder")
  done
  [ ${#missing[@]} -eq 0 ] && break
  for folder in "${missing[@]}"; do
    mkdir -p "$dist/src/$folder"
    cp "$root/$folder"/*.h "$dist/src/$folder/"
  done
done

mkdir -p "$out"
tar -C "$stage" --owner=0 --group=0 --numeric-owner -czf "$out/$name.tar.gz" "$name"
echo "$out/$name.tar.gz"
