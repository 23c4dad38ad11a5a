#!/usr/bin/env bash
# Prints the wizard's two figures under Wine: start-up to the first painted
# window, the wizard in its skin with its banner, against the empty-window
# reference (median ratio, target <= 1.4 for the skin, <= 1.5 with the banner),
# and runs over manifests of up-to-date files (ms per file at each size, the
# growth of that cost, the longest time the window went unanswered). The stand-in
# banner control is registered first, so the wizard starts with its banner.
#   scripts/bench_wizard.sh [ROUNDS] [FILES...]   (after scripts/build.sh; FILES: 5000 50000)
set -euo pipefail
source "$(dirname "$0")/env.sh"
rounds=${1:-21}
shift || true
files=${*:-5000 50000}
cmake --build "$QUONEL_BUILD/win" --target wizard_startup_bench wizard_run_bench quonel_banner_standin >/dev/null
"$QUONEL_ROOT/scripts/with-display.sh" "$QUONEL_ROOT/scripts/register_banner_standin.sh"
bench=$QUONEL_BUILD/win/tests/bench
"$QUONEL_ROOT/scripts/with-display.sh" bash -c '
  wine "$0/wizard_startup_bench.exe" "$1" && wine "$0/wizard_run_bench.exe" $2' "$bench" "$rounds" "$files" | tr -d '\r'
