#!/usr/bin/env bash
# Checks the binaries of a Windows build (MinGW-w64's objdump reads them):
# - each DLL and program imports only Windows' own DLLs and those named
#   with --allow: MinGW's C++ runtime is linked in (src/flags.txt,
#   mingw.link), for MATLAB has none of its DLLs on its path;
# - no aligned move of a 256- or 512-bit register to or from a slot
#   addressed by the stack pointer: Windows keeps the stack aligned to 16
#   bytes only, and such a move there faults (GCC's spills of vectors must
#   be unaligned moves; buffers it aligns itself go through another register).
#   tools/check_windows_binaries.sh OBJDUMP [--allow NAME.dll]... FILE...
set -euo pipefail
objdump=$1
shift
allowed='^(kernel32|msvcrt|ucrtbase|ntdll|user32|advapi32|api-ms-win-.*)\.dll$'
while [ "${1:-}" = "--allow" ]; do
  allowed="${allowed%)\\.dll\$}|${2%.dll})\\.dll\$"
  shift 2
done
[ $# -gt 0 ] || { echo "usage: check_windows_binaries.sh OBJDUMP [--allow NAME.dll]... FILE..." >&2; exit 2; }
status=0
for file in "$@"; do
  case "$file" in
    *.dll | *.exe)
      for dll in $("$objdump" -p "$file" | sed -n 's/^[[:space:]]*DLL Name: //p'); do
        if ! echo "$dll" | tr 'A-Z' 'a-z' | grep -qE "$allowed"; then
          echo "$file imports $dll" >&2
          status=1
        fi
      done ;;
  esac
done
moves=$("$objdump" -d --no-show-raw-insn "$@" | grep -E $'\t''(vmovap[sd]|vmovdqa(32|64)?|vmovntp[sd]) ' |
        grep -E '%[yz]mm' | grep -F '(%rsp)' || true)
if [ -n "$moves" ]; then
  echo "aligned moves of wide registers on the stack:" >&2
  echo "$moves" | head -20 >&2
  status=1
fi
[ $status -eq 0 ] && echo "$# files import only Windows' own DLLs (and those allowed), no aligned wide moves on the stack"
exit $status
