#!/usr/bin/env bash
# Prints, under Wine, the cost of scrolling the wizard's file list of 2,000
# rows page by page with the skin (scroll-bar overlays, border, header)
# relative to the same list without it (target <= 1.5).
# Usage: scripts/bench_skin_list_view.sh [ROUNDS] [ROWS]  (after scripts/build.sh)
set -euo pipefail
source "$(dirname "$0")/env.sh"
rounds=${1:-21}
rows=${2:-2000}
skin=$QUONEL_BUILD/win/skins/blue.skn
cmake --build "$QUONEL_BUILD/win" --target skin_list_view_bench >/dev/null
[ -f "$skin" ] || { echo "bench: build the Windows tree first (scripts/build.sh)" >&2; exit 1; }
winskin="Z:$(echo "$skin" | tr / '\\')"
"$QUONEL_ROOT/scripts/with-display.sh" wine "$QUONEL_BUILD/win/tests/skin/controls/skin_list_view_bench.exe" "$winskin" "$rounds" "$rows" | tr -d '\r'
