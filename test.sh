#!/usr/bin/env bash
# The test command: set-up, build both trees, run every test of both through
# the test gate (scripts/ctest_gate.sh), which passes a tree only when every
# test ran and passed.
set -uo pipefail
cd "$(dirname "$0")"
scripts/setup.sh || exit 1
scripts/build.sh || exit 1
source scripts/env.sh
scripts/with-display.sh bash -c '
  status=0
  scripts/ctest_gate.sh "$0/native" -j2 || status=1
  scripts/ctest_gate.sh "$0/win" || status=1
  exit $status' "$QUONEL_BUILD"
