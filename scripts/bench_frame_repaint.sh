#!/usr/bin/env bash
# Prints, under Wine, the cost of a full repaint of the skinned frame
# (RedrawWindow with the frame) against the same window unskinned; target <= 2.
# Usage: scripts/bench_frame_repaint.sh [ROUNDS]  (after scripts/build.sh)
set -euo pipefail
source "$(dirname "$0")/env.sh"
rounds=${1:-15}
skin=$QUONEL_BUILD/win/skins/blue.skn
cmake --build "$QUONEL_BUILD/win" --target frame_repaint_bench >/dev/null
[ -f "$skin" ] || { echo "bench: build the Windows tree first (scripts/build.sh)" >&2; exit 1; }
winskin="Z:$(echo "$skin" | tr / '\\')"
"$QUONEL_ROOT/scripts/with-display.sh" wine "$QUONEL_BUILD/win/tests/skin/frame_repaint_bench.exe" "$winskin" "$rounds" | tr -d '\r'
