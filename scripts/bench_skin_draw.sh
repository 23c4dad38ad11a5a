#!/usr/bin/env bash
# Prints, under Wine, the cost of drawing the caption strip relative to one
# BitBlt of the same size, and the time to build every skin object from the
# built-in skin. Usage: scripts/bench_skin_draw.sh [ROUNDS]  (after scripts/build.sh)
set -euo pipefail
source "$(dirname "$0")/env.sh"
rounds=${1:-20}
skin=$QUONEL_BUILD/win/skins/blue.skn
cmake --build "$QUONEL_BUILD/win" --target skin_draw_bench >/dev/null
[ -f "$skin" ] || { echo "bench: build the Windows tree first (scripts/build.sh)" >&2; exit 1; }
winskin="Z:$(echo "$skin" | tr / '\\')"
"$QUONEL_ROOT/scripts/with-display.sh" wine "$QUONEL_BUILD/win/tests/skin/skin_draw_bench.exe" "$winskin" "$rounds" | tr -d '\r'
