#!/usr/bin/env bash
# Assembles the Octave package rotkit-VERSION.tar.gz, VERSION from
# package/DESCRIPTION, into build/ or the folder given:
#   tools/make_dist.sh [OUTDIR]
# The tarball needs nothing from this repository: it holds package/
# (DESCRIPTION, INDEX, COPYING, inst/PKG_ADD and PKG_DEL, src/Makefile),
# the m-files and samples of toolbox/rotkit/, and src/ as it is here (the
# manifests functions.txt and flags.txt, every function's folder with its
# sources and help, the shared layers) but for the test host.
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
out="${1:-$root/build}"
version="$(sed -n 's/^Version: *//p' "$root/package/DESCRIPTION")"
name="rotkit-$version"

stage="$(mktemp -d)"
trap 'rm -rf "$stage"' EXIT
dist="$stage/$name"
mkdir -p "$dist/inst"
cp "$root/package/DESCRIPTION" "$root/package/INDEX" "$root/package/COPYING" "$dist/"
tar -C "$root" --exclude=src/host/embedded --exclude='*.o' -cf - src | tar -C "$dist" -xf -
cp "$root/package/src/Makefile" "$dist/src/"

# The m-files and the sample motion. "help rotkit" shows the Contents.m of
# a folder named rotkit on the path; pkg installs into rotkit-VERSION, so
# Contents.m goes into a folder rotkit inside it, which PKG_ADD puts on the
# path when the package is loaded.
cp -R "$root/toolbox/rotkit/." "$root/package/inst/." "$dist/inst/"
mkdir -p "$dist/inst/rotkit"
mv "$dist/inst/Contents.m" "$dist/inst/rotkit/Contents.m"

mkdir -p "$out"
tar -C "$stage" --owner=0 --group=0 --numeric-owner -czf "$out/$name.tar.gz" "$name"
echo "$out/$name.tar.gz"
