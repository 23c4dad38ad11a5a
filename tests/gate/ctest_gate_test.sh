#!/usr/bin/env bash
# The test gate on a tiny CTest project: a test that fails on its first run
# and passes on its second fails the run unless it is quarantined, and then
# only where re-runs happen (a tree run under Wine); a skipped test fails it.
#   ctest_gate_test.sh GATE WORK_FOLDER
set -uo pipefail
gate=$1 work=$2
rm -rf "$work"
mkdir -p "$work/src"
cat >"$work/src/CMakeLists.txt" <<'CMAKE'
cmake_minimum_required(VERSION 3.20)
project(gate_probe NONE)
enable_testing()
if(UNDER_WINE)
  file(WRITE ${CMAKE_BINARY_DIR}/ctest_gate.rerun "")
endif()
set(runs ${CMAKE_BINARY_DIR}/runs)
add_test(NAME second_try COMMAND sh -c "echo run >>'${runs}'; [ $(wc -l <'${runs}') -ge 2 ]")
set_tests_properties(second_try PROPERTIES LABELS "${LABELS}")
add_test(NAME skips COMMAND sh -c "exit 77")
set_tests_properties(skips PROPERTIES SKIP_RETURN_CODE 77)
add_test(NAME passes COMMAND true)
CMAKE

failures=0
# expect EXIT_CODE RUNS_OF_second_try FLAKY_LINE CMAKE_ARGS -- CTEST_ARGS
expect() {
  local want=$1 want_runs=$2 want_flaky=$3 tree="$work/tree$((++case_number))"
  shift 3
  local configure=()
  while [ "$1" != -- ]; do configure+=("$1"); shift; done
  shift
  cmake -S "$work/src" -B "$tree" "${configure[@]}" >/dev/null || { echo "FAIL: configure" >&2; exit 1; }
  "$gate" "$tree" "$@" >"$tree/stdout" 2>"$tree/stderr"
  local got=$? runs flaky
  runs=$(cat "$tree/runs" 2>/dev/null | wc -l)
  flaky=$(grep -c '^FLAKY second_try$' "$tree/stdout")
  if [ $((got != 0)) -ne "$want" ] || [ "$runs" -ne "$want_runs" ] || [ "$flaky" -ne "$want_flaky" ]; then
    echo "FAIL case $case_number (${configure[*]} -- $*): exit $got, $runs runs, $flaky FLAKY lines;" \
         "wanted failure=$want, $want_runs runs, $want_flaky FLAKY lines" >&2
    sed 's/^/  | /' "$tree/stdout" "$tree/stderr" >&2
    failures=$((failures + 1))
  fi
}
case_number=0
expect 1 2 0 -DUNDER_WINE=ON -- -R second_try                          # re-run for diagnostics only
expect 0 2 1 -DUNDER_WINE=ON -DLABELS=quarantine -- -R second_try      # quarantined: FLAKY, passes
expect 1 1 0 -DUNDER_WINE=OFF -DLABELS=quarantine -- -R second_try     # native: never re-run
expect 1 0 0 -DUNDER_WINE=ON -- -R skips
expect 0 0 0 -DUNDER_WINE=ON -- -R passes
expect 1 0 0 -DUNDER_WINE=ON -- -R no_such_test
[ $failures -eq 0 ] && echo "ctest_gate_test: $case_number cases passed"
exit $((failures != 0))
