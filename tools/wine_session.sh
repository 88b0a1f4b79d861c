#!/usr/bin/env bash
# Runs a command (ctest of the Windows build) with one Wine server kept up
# for its whole length, in the Wine prefix of that build:
#   tools/wine_session.sh BUILD COMMAND...
# Wine starts its server with the first program and stops it seconds after
# the last, and two programs that start together with a fresh server can
# hang for good; so the server is started here, one program brings the
# session up alone (the first time, that makes the prefix: some 30 s), and
# the command's programs then start in parallel in a few tenths of a second.
set -euo pipefail
build=$1
shift
export WINEPREFIX="$(cd "$build" && pwd)/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver
"$wineserver" -p 2>/dev/null || true  # fails only when one is up already
trap '"$wineserver" -k 2>/dev/null || true' EXIT
"$wine" cmd /c exit >/dev/null 2>&1
"$@"
