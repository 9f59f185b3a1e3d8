#!/usr/bin/env bash
# Runs every test: the native unit tests, the Win32 tests under Wine on a private Xvfb, and
# the end-to-end journeys in tests/e2e/. Installs missing packages and builds first. The last
# line reads "N passed, M failed", counting suites and journeys; the exit status is non-zero
# when anything failed.
set -uo pipefail
source "$(dirname "$0")/tools/lib.sh"
cd "$TSN_ROOT"

# Children write into a pipe rather than into a file the caller may have redirected to: a run
# whose Win32 test hung left such a log with its beginning overwritten.
exec > >(cat) 2>&1
OUTPUT_PID=$!

RESULTS=()
PASSED=0
FAILED=0
record() { # record PASS|FAIL NAME [WHY]
  RESULTS+=("$1  $2${3:+ ($3)}")
  if [ "$1" = PASS ]; then PASSED=$((PASSED + 1)); else FAILED=$((FAILED + 1)); fi
}
# run_suite NAME COMMAND...: runs a suite and records its outcome. The suite runs in the
# background so that an interrupt is acted on at once rather than when the suite ends.
SUITE_PID=
run_suite() {
  local name=$1 status=0
  shift
  echo
  echo "==== $name"
  "$@" &
  SUITE_PID=$!
  wait "$SUITE_PID" || status=$?
  SUITE_PID=
  if [ $status = 0 ]; then record PASS "$name"; else record FAIL "$name" "exit status $status"; fi
}
summary() {
  echo
  echo "==== summary"
  printf '%s\n' "${RESULTS[@]}"
  echo "$PASSED passed, $FAILED failed"
}
finish() {
  if [ -n "$SUITE_PID" ]; then
    kill "$SUITE_PID" 2>/dev/null
    tsn_wait_for 20 tsn_pid_ended "$SUITE_PID" || kill -9 "$SUITE_PID" 2>/dev/null
  fi
  tsn_teardown
  exec >&- 2>&-
  tsn_wait_for 10 tsn_pid_ended "$OUTPUT_PID"
}
trap finish EXIT
trap 'exit 130' INT TERM

tsn_ensure_packages
# Once, before anything runs under Wine; later runs reuse it.
tsn_wine_prefix

echo "==== building (native)"
if tsn_build native; then
  run_suite "unit tests (native)" ctest --preset native --no-tests=error --timeout 300
else
  record FAIL "unit tests (native)" "build failed"
fi

echo "==== building (sanitize)"
if tsn_build sanitize; then
  run_suite "unit tests (AddressSanitizer, UndefinedBehaviorSanitizer)" \
    ctest --preset sanitize --no-tests=error --timeout 600
else
  record FAIL "unit tests (AddressSanitizer, UndefinedBehaviorSanitizer)" "build failed"
fi

echo "==== building (fuzz)"
if tsn_build fuzz; then
  for target in ini layout cover entry; do
    run_suite "fuzz $target" tsn_fuzz "$target" "${TSN_FUZZ_SECONDS:-30}"
  done
else
  record FAIL "fuzz targets" "build failed"
fi

echo "==== building (mingw)"
mingw_ok=1
tsn_build mingw || mingw_ok=0
# The 32-bit program, for its journey and its release archive.
echo "==== building (mingw32)"
if tsn_build mingw32; then
  record PASS "build (32-bit)"
else
  record FAIL "build (32-bit)" "build failed"
  rm -f "$TSN_EXE_X86" # so that its journey cannot pass on an old build
fi
tsn_xvfb_start
if [ $mingw_ok = 1 ]; then
  run_suite "Win32 tests (Wine)" ctest --test-dir build/mingw --output-on-failure \
    --no-tests=error --timeout 300
else
  record FAIL "Win32 tests (Wine)" "build failed"
fi

# The journeys need only the program and the helpers, so a broken test build elsewhere does
# not hide them.
export TSN_E2E_SESSION=1
if [ $mingw_ok = 0 ]; then
  # Drop a stale exe so that a journey cannot pass on an old build.
  rm -f "$TSN_EXE"
  tsn_build mingw wintree fixture keylog target memscan clipboard launch || true
  tsn_build mingw tessarin || true
fi
for journey in tests/e2e/journey_*.sh; do
  name="journey $(basename "$journey" .sh | sed 's/^journey_//')"
  run_suite "$name" timeout -k 10 300 bash "$journey"
  # A failed journey may leave windows behind that would confuse the next one.
  [ "${RESULTS[-1]%% *}" = PASS ] || tsn_wine_stop
done

summary
[ "$FAILED" = 0 ]
