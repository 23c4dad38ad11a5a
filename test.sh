#!/usr/bin/env bash
# The test command: set-up, build both trees, run every test of both.
set -uo pipefail
cd "$(dirname "$0")"
scripts/setup.sh || exit 1
scripts/build.sh || exit 1
source scripts/env.sh
scripts/with-display.sh bash -c '
  status=0
  ctest --test-dir "$0/native" --output-on-failure -j2 || status=1
  ctest --test-dir "$0/win" --output-on-failure || status=1
  exit $status' "$QUONEL_BUILD"
