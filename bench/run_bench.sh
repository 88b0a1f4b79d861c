#!/usr/bin/env bash
# make bench: the kernel benchmarks, then the end-to-end benchmark in Octave
# with glibc's malloc tuned and untuned, each printing its ratio table, and
# the oct-files beside the MEX files (bench_hosts.m).
#   bench/run_bench.sh BUILDDIR [REPETITIONS]
#   bench/run_bench.sh BUILDDIR hosts     the oct-files and MEX files alone
# BUILDDIR must hold a Release build (make build).
set -euo pipefail
build=${1:-build}
repetitions=${2:-5}
here=$(cd "$(dirname "$0")" && pwd)
# Freed memory stays in the process (no mmap for large blocks, no trim), so
# the next call's matrices reuse pages that are already mapped: a warm heap.
tuned=glibc.malloc.mmap_max=0:glibc.malloc.mmap_threshold=33554432:glibc.malloc.trim_threshold=68719476736

# Octave 7 here prints a harmless "ignoring const execution_exception" line
# at every exit; it is dropped so that the tables stay readable.
run_octave() {
  local script=$1
  shift
  octave-cli --norc --no-history --quiet "$here/octave/$script" "$@" 2>&1 |
    grep -v "ignoring const execution_exception& while preparing to exit" || true
}

run_hosts() {
  if [ -f "$build/bench/mex/emptyoct.oct" ] && [ -d "$build/rotkit-mex" ]; then
    echo "== Octave: oct-files and MEX files, malloc tuned"
    GLIBC_TUNABLES=$tuned run_octave bench_hosts.m "$build"
  fi
}

if [ "$repetitions" = hosts ]; then
  run_hosts
  exit 0
fi

for program in "$build"/bench/*_bench; do
  [ -x "$program" ] || continue
  echo "== $(basename "$program")"
  "$program" --benchmark_repetitions="$repetitions" --benchmark_min_time=0.2 --benchmark_enable_random_interleaving=true
done

if [ -x "$build/bench/sine_sweep" ]; then
  echo "== sine_sweep (the accuracy of rotblend's own sine)"
  "$build/bench/sine_sweep"
fi
if [ -x "$build/bench/trig_sweep" ]; then
  echo "== trig_sweep (the accuracy of the toolbox's own cosine and atan2)"
  "$build/bench/trig_sweep"
fi

if [ -f "$build/bench/mex/emptymex.mex" ]; then
  results=$(mktemp -d)
  trap 'rm -rf "$results"' EXIT
  echo "== Octave, malloc tuned"
  GLIBC_TUNABLES=$tuned run_octave bench_octave.m measure "$build" "$results/tuned.txt"
  echo "== Octave, glibc defaults"
  run_octave bench_octave.m measure "$build" "$results/untuned.txt"
  run_octave bench_octave.m report "$results/tuned.txt" "$results/untuned.txt"
fi

# The time series (rotvel, rotintegrate, rotinterp, rotunwrap) end to end on
# 1e6 samples, against vectorised m-code and scipy, with a warm heap.
if [ -f "$build/bench/mex/emptymex.mex" ] && [ -f "$build/rotkit/rotvel.oct" ]; then
  echo "== Octave, the time series, malloc tuned"
  GLIBC_TUNABLES=$tuned run_octave bench_timeseries.m "$build"
fi

# The motion-file readers and writers end to end, beside Octave's own
# fread, fileread and fwrite of the same bytes (malloc tuned: a warm heap).
if [ -f "$build/rotkit/c3dread.mex" ]; then
  echo "== Octave, motion files (malloc tuned)"
  GLIBC_TUNABLES=glibc.malloc.mmap_max=0:glibc.malloc.mmap_threshold=33554432:glibc.malloc.trim_threshold=68719476736 \
    octave-cli --norc --no-history --quiet "$here/octave/bench_motionfiles.m" "$build" 2>&1 |
    grep -v "ignoring const execution_exception& while preparing to exit" || true
fi
run_hosts
