#!/usr/bin/env bash
# Prints the wizard's two figures under Wine: start-up to the first painted
# window, the wizard in its skin, against the empty-window reference (median
# ratio, target <= 1.4),
# and a run over a manifest of up-to-date files (ms per file).
#   scripts/bench_wizard.sh [ROUNDS] [FILES]   (after scripts/build.sh)
set -euo pipefail
source "$(dirname "$0")/env.sh"
rounds=${1:-21}
files=${2:-2000}
cmake --build "$QUONEL_BUILD/win" --target wizard_startup_bench wizard_run_bench >/dev/null
bench=$QUONEL_BUILD/win/tests/bench
"$QUONEL_ROOT/scripts/with-display.sh" bash -c '
  wine "$0/wizard_startup_bench.exe" "$1" && wine "$0/wizard_run_bench.exe" "$2"' "$bench" "$rounds" "$files" | tr -d '\r'
