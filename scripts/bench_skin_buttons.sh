#!/usr/bin/env bash
# Prints, under Wine, the cost of painting the wizard's three push buttons
# with the skin relative to the platform painting the same three buttons.
# Usage: scripts/bench_skin_buttons.sh [ROUNDS]  (after scripts/build.sh)
set -euo pipefail
source "$(dirname "$0")/env.sh"
rounds=${1:-21}
skin=$QUONEL_BUILD/win/skins/blue.skn
cmake --build "$QUONEL_BUILD/win" --target skin_button_bench >/dev/null
[ -f "$skin" ] || { echo "bench: build the Windows tree first (scripts/build.sh)" >&2; exit 1; }
winskin="Z:$(echo "$skin" | tr / '\\')"
"$QUONEL_ROOT/scripts/with-display.sh" wine "$QUONEL_BUILD/win/tests/skin/controls/skin_button_bench.exe" "$winskin" "$rounds" | tr -d '\r'
