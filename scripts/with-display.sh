#!/usr/bin/env bash
# Runs a command with the test bench up: an Xvfb display (unless DISPLAY is
# already set by the caller and QUONEL_XVFB is not 1) and one persistent
# wineserver, and stops what it started afterwards.
#   scripts/with-display.sh ctest --test-dir build/win -R window_smoke_test
set -uo pipefail
source "$(dirname "$0")/env.sh"

started_xvfb=""
if [ -z "${DISPLAY:-}" ] || [ "${QUONEL_XVFB:-}" = 1 ]; then
  exec {fd}<> <(:)
  Xvfb -displayfd "$fd" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  started_xvfb=$!
  read -r -t 10 -u "$fd" number || { echo "Xvfb did not start" >&2; exit 1; }
  exec {fd}<&-
  export DISPLAY=":$number"
fi
wineserver -p
# Wine's background processes (services, explorer) start with the first
# program; start them here so they do not hold a test's output pipe open.
wine cmd /c exit >/dev/null 2>&1 </dev/null
# One program stays on the desktop for the session (once the Windows tree is
# built): without it the desktop closes between programs, and the program
# that reopens it lends the desktop its output pipe, holding its test open.
keeper=$QUONEL_BUILD/win/tests/desktop_keeper.exe
[ -f "$keeper" ] && wine "$keeper" >/dev/null 2>&1 </dev/null &
cleanup() {
  wineserver -k 2>/dev/null
  wineserver -w 2>/dev/null
  [ -n "$started_xvfb" ] && kill "$started_xvfb" 2>/dev/null
  wait 2>/dev/null
}
trap cleanup EXIT
"$@"
