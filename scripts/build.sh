#!/usr/bin/env bash
# Configures (once) and builds both trees: build/win (MinGW-w64) and
# build/native (clang with the sanitizers).
set -euo pipefail
source "$(dirname "$0")/env.sh"

if [ ! -f "$QUONEL_BUILD/win/build.ninja" ]; then
  cmake -S "$QUONEL_ROOT" -B "$QUONEL_BUILD/win" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_TOOLCHAIN_FILE="$QUONEL_ROOT/cmake/toolchain-mingw64.cmake" >/dev/null
fi
if [ ! -f "$QUONEL_BUILD/native/build.ninja" ]; then
  CC=clang CXX=clang++ cmake -S "$QUONEL_ROOT" -B "$QUONEL_BUILD/native" -G Ninja \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$QUONEL_BUILD/native"
cmake --build "$QUONEL_BUILD/win"
