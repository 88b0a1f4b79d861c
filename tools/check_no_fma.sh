#!/usr/bin/env bash
# Fails when the machine code of the given binaries holds a fused
# multiply-add (x86-64: vfmadd..., vfmsub..., vfnmadd..., vfnmsub...,
# vfmaddsub...; arm64: fmadd, fmsub, fnmadd, fnmsub, fmla, fmls): every
# result of the toolbox rounds each product and each sum on its own.
#   tools/check_no_fma.sh [--objdump PROGRAM] FILE...
set -euo pipefail
objdump=objdump
if [ "${1:-}" = "--objdump" ]; then
  objdump=$2
  shift 2
fi
[ $# -gt 0 ] || { echo "usage: check_no_fma.sh [--objdump PROGRAM] FILE..." >&2; exit 2; }
found=$("$objdump" -d --no-show-raw-insn "$@" | grep -E $'\t''(v?fn?m(add|sub)[a-z0-9]*|fml[as])[ .]' || true)
if [ -n "$found" ]; then
  echo "fused multiply-add instructions found:" >&2
  echo "$found" | head -20 >&2
  exit 1
fi
echo "no fused multiply-add in $# files"
