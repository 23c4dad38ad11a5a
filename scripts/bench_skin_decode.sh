#!/usr/bin/env bash
# Prints the decoding speed of the built-in skin: natively (an optimized
# build of its own in build/bench) and under Wine (the Windows tree).
# Usage: scripts/bench_skin_decode.sh [RUNS]   (after scripts/build.sh)
set -euo pipefail
source "$(dirname "$0")/env.sh"
runs=${1:-15}
bench=$QUONEL_BUILD/bench
skin=$QUONEL_BUILD/win/skins/blue.skn
[ -f "$skin" ] || { echo "bench: build the Windows tree first (scripts/build.sh)" >&2; exit 1; }

if [ ! -f "$bench/build.ninja" ]; then
  CC=clang CXX=clang++ cmake -S "$QUONEL_ROOT" -B "$bench" -G Ninja -DQUONEL_HOST_TOOLS_ONLY=ON \
    -DCMAKE_BUILD_TYPE=Release >/dev/null
fi
cmake --build "$bench" --target skin_decode_bench >/dev/null
cmake --build "$QUONEL_BUILD/win" --target skin_decode_bench >/dev/null

echo "native (clang, Release):"
"$bench/tests/bench/skin_decode_bench" "$skin" "$runs" | sed 's/^/  /'
echo "wine (MinGW, -O2):"
winskin="Z:$(echo "$skin" | tr / '\\')"
"$QUONEL_ROOT/scripts/with-display.sh" wine "$QUONEL_BUILD/win/tests/bench/skin_decode_bench.exe" "$winskin" "$runs" |
  tr -d '\r' | sed 's/^/  /'
