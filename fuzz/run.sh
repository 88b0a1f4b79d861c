#!/usr/bin/env bash
# Runs every built fuzz target for a bounded time, one after the other:
#   bash fuzz/run.sh BUILDDIR SECONDS
# Each target starts from its committed seeds (fuzz/corpus/<name>, only
# read) and the corpus it grew in earlier runs (BUILDDIR/corpus/<name>).
# A finding stops the run with the failing input in BUILDDIR/findings/;
# replay it with BUILDDIR/<name>_fuzz FILE.
set -euo pipefail
build=${1:?build directory}
seconds=${2:?seconds per target}
here=$(cd "$(dirname "$0")" && pwd)
mkdir -p "$build/findings"
status=0
while read -r name; do
  [ -n "$name" ] || continue
  mkdir -p "$build/corpus/$name"
  log="$build/$name.log"
  echo "fuzz: $name for ${seconds}s"
  if ! "$build/${name}_fuzz" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
        -artifact_prefix="$build/findings/$name-" "$build/corpus/$name" "$here/corpus/$name" >"$log" 2>&1; then
    echo "fuzz: $name FOUND A FAULT (log: $log)" >&2
    grep -A12 -E 'rotkit fuzz finding|ERROR:|runtime error' "$log" | head -40 >&2 || true
    status=1
    continue
  fi
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  cov=$(grep -E '^#[0-9]+.*(DONE|cov:)' "$log" | tail -1 | sed -n 's/.*cov: \([0-9]*\) ft: \([0-9]*\).*/cov \1, features \2/p')
  echo "fuzz: $name ok: $runs runs, $cov"
done <"$build/targets.txt"
exit $status
