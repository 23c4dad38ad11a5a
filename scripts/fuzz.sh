#!/usr/bin/env bash
# Runs every fuzzer of the native tree for longer than the test command does,
# with a random seed each time:
#   scripts/fuzz.sh [SECONDS_EACH]        (default 600)
# An input that makes a fuzzer fail is copied into that fuzzer's saved corpus
# in the source tree (the message names it): commit it with the fix.
set -uo pipefail
source "$(dirname "$0")/env.sh"
seconds=${1:-600}
cmake --build "$QUONEL_BUILD/native" --target skin_archive_fuzzer http_response_fuzzer || exit 1
status=0
run() {
  "$QUONEL_ROOT/tests/support/run_fuzzer.sh" "$QUONEL_BUILD/native/tests/$1" "$QUONEL_ROOT/tests/$2" \
    "$QUONEL_BUILD/native/test-output/$(basename "$1")-long" -1 "$seconds" 0 || status=1
}
run skin/skin_archive_fuzzer skin/fuzz_corpus
run net/http_response_fuzzer net/corpus/http_response
exit $status
