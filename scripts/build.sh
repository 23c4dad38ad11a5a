#!/usr/bin/env bash
# Configures (once) and builds both trees: build/win (MinGW-w64) and
# build/native (clang with the sanitizers).
set -euo pipefail
source "$(dirname "$0")/env.sh"

# Rebuilds of other checkouts of the project reuse what one already compiled.
launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$(dirname "$QUONEL_ROOT")} CCACHE_NOHASHDIR=1
fi

if [ ! -f "$QUONEL_BUILD/win/build.ninja" ]; then
  cmake -S "$QUONEL_ROOT" -B "$QUONEL_BUILD/win" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" \
    -DCMAKE_TOOLCHAIN_FILE="$QUONEL_ROOT/cmake/toolchain-mingw64.cmake" >/dev/null
fi
if [ ! -f "$QUONEL_BUILD/native/build.ninja" ]; then
  CC=clang CXX=clang++ cmake -S "$QUONEL_ROOT" -B "$QUONEL_BUILD/native" -G Ninja \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" >/dev/null
fi
cmake --build "$QUONEL_BUILD/native"
cmake --build "$QUONEL_BUILD/win"
