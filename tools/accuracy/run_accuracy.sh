#!/usr/bin/env bash
# make accuracy: every accuracy program of tools/accuracy against scipy on
# the same inputs, each printing its table for docs/accuracy.md.
#   tools/accuracy/run_accuracy.sh BUILDDIR
# For each BUILDDIR/tools/accuracy/NAME_accuracy: NAME_accuracy inputs DIR,
# then tools/accuracy/scipy_NAME.py DIR, then NAME_accuracy report DIR.
# Debian's python3 with python3-scipy (tools/setup.sh accuracy); set PYTHON
# to use another.
set -euo pipefail
build=${1:-build}
here=$(cd "$(dirname "$0")" && pwd)
python=${PYTHON:-/usr/bin/python3}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
found=0
for program in "$build"/tools/accuracy/*_accuracy; do
  [ -x "$program" ] || continue
  found=1
  name=$(basename "$program" _accuracy)
  mkdir -p "$work/$name"
  echo "== $name (errors in units of 2^-52, worst over each set)"
  "$program" inputs "$work/$name"
  "$python" "$here/scipy_$name.py" "$work/$name"
  "$program" report "$work/$name"
done
[ "$found" = 1 ] || { echo "no accuracy programs in $build/tools/accuracy" >&2; exit 1; }
