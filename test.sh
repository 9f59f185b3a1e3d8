#!/usr/bin/env bash
# Runs every test: the native unit tests, the Win32 tests under Wine on a private Xvfb, and
# the end-to-end journeys in tests/e2e/. Installs missing packages and builds first. The last
# line reads "N passed, M failed, K skipped", counting suites and journeys (skipped: what this
# machine cannot run at all); the exit status is non-zero when anything failed.
set -uo pipefail
source "$(dirname "$0")/tools/lib.sh"
source "$TSN_ROOT/tools/streams.sh"
cd "$TSN_ROOT"

# Children write into a pipe rather than into a file the caller may have redirected to: a run
# whose Win32 test hung left such a log with its beginning overwritten.
exec > >(cat) 2>&1
OUTPUT_PID=$!

# stage NAME: a heading with the minutes and seconds since the start, to see what each stage costs.
stage() { printf '\n==== %s [%d:%02d]\n' "$1" $((SECONDS / 60)) $((SECONDS % 60)); }

RESULTS=()
PASSED=0
FAILED=0
SKIPPED=0
record() { # record PASS|FAIL|SKIP NAME [WHY]
  RESULTS+=("$1  $2${3:+ ($3)}")
  case $1 in
    PASS) PASSED=$((PASSED + 1)) ;;
    SKIP) SKIPPED=$((SKIPPED + 1)) ;;
    *) FAILED=$((FAILED + 1)) ;;
  esac
}
# record_status STATUS NAME: records a suite's outcome from its exit status.
record_status() {
  case $1 in
    0) record PASS "$2" ;;
    "$TSN_SKIP_STATUS") record SKIP "$2" "this machine cannot run it: see its log" ;;
    "") record FAIL "$2" "not run" ;;
    *) record FAIL "$2" "exit status $1" ;;
  esac
}
# run_suite NAME COMMAND...: runs a suite and records its outcome. The suite runs in the
# background so that an interrupt is acted on at once rather than when the suite ends.
SUITE_PID=
run_suite() {
  local name=$1 status=0
  shift
  stage "$name"
  "$@" &
  SUITE_PID=$!
  wait "$SUITE_PID" || status=$?
  SUITE_PID=
  record_status "$status" "$name"
}
# The suites that need neither the display nor Wine run in a lane beside the Wine ones, one
# after another: the Wine suites mostly wait, which leaves a core free. The lane's output is
# shown, and its results counted, when it ends.
LANE_PID=
LANE_LOG=$TSN_BUILD/lane.log
LANE_RESULTS=$TSN_BUILD/lane.results
lane_start() { # lane_start FUNCTION: runs that function's suites in the lane
  rm -f "$LANE_RESULTS"
  (
    # What the lane records goes to a file, one tab-separated record a line, for lane_end.
    record() { printf '%s\t%s\t%s\n' "$1" "$2" "${3:-}" >>"$LANE_RESULTS"; }
    trap '[ -z "$SUITE_PID" ] || kill "$SUITE_PID" 2>/dev/null; exit 130' TERM
    "$1"
  ) >"$LANE_LOG" 2>&1 &
  LANE_PID=$!
}
lane_end() {
  local status=0 outcome name why
  wait "$LANE_PID" || status=$?
  LANE_PID=
  cat "$LANE_LOG"
  if [ -f "$LANE_RESULTS" ]; then
    while IFS=$'\t' read -r outcome name why; do record "$outcome" "$name" "$why"; done <"$LANE_RESULTS"
  fi
  [ $status = 0 ] || record FAIL "the lane" "exit status $status"
}
summary() {
  stage summary
  printf '%s\n' "${RESULTS[@]}"
  echo "$PASSED passed, $FAILED failed, $SKIPPED skipped"
}
finish() {
  if [ -n "$LANE_PID" ]; then
    kill "$LANE_PID" 2>/dev/null
    tsn_wait_for 30 tsn_pid_ended "$LANE_PID" || kill -9 "$LANE_PID" 2>/dev/null
  fi
  if [ -n "$SUITE_PID" ]; then
    kill "$SUITE_PID" 2>/dev/null
    tsn_wait_for 20 tsn_pid_ended "$SUITE_PID" || kill -9 "$SUITE_PID" 2>/dev/null
  fi
  streams_stop
  tsn_teardown
  exec >&- 2>&-
  tsn_wait_for 10 tsn_pid_ended "$OUTPUT_PID"
}
tsn_on_exit finish
trap 'exit 130' INT TERM

tsn_ensure_packages
# Once, before anything runs under Wine; later runs reuse it. Made while the builds run.
tsn_wine_prefix &
PREFIX_PID=$!
tsn_wine_env

stage "building (native)"
if tsn_build native; then
  run_suite "unit tests (native)" ctest --preset native --no-tests=error --timeout 300 -j2
else
  record FAIL "unit tests (native)" "build failed"
fi

stage "building (sanitize)"
sanitize_ok=1
tsn_build sanitize || sanitize_ok=0
stage "building (fuzz)"
fuzz_ok=1
tsn_build fuzz || fuzz_ok=0
# Run in the lane, beside the Win32 tests and the journeys.
sanitized_and_fuzzed() {
  if [ $sanitize_ok = 1 ]; then
    run_suite "unit tests (AddressSanitizer, UndefinedBehaviorSanitizer)" \
      ctest --preset sanitize --no-tests=error --timeout 600
  else
    record FAIL "unit tests (AddressSanitizer, UndefinedBehaviorSanitizer)" "build failed"
  fi
  if [ $fuzz_ok = 1 ]; then
    for target in ini layout cover entry; do
      run_suite "fuzz $target" tsn_fuzz "$target" "${TSN_FUZZ_SECONDS:-30}"
    done
  else
    record FAIL "fuzz targets" "build failed"
  fi
}

stage "building (mingw)"
mingw_ok=1
tsn_build mingw || mingw_ok=0
# The 32-bit program, for its journey and its release archive.
stage "building (mingw32)"
if tsn_build mingw32; then
  record PASS "build (32-bit)"
else
  record FAIL "build (32-bit)" "build failed"
  rm -f "$TSN_EXE_X86" # so that its journey cannot pass on an old build
fi
lane_start sanitized_and_fuzzed
wait "$PREFIX_PID" || tsn_die "the Wine prefix could not be made"

# The journeys need only the program and the helpers, so a broken test build elsewhere does
# not hide them.
export TSN_E2E_SESSION=1
if [ $mingw_ok = 0 ]; then
  # Drop a stale exe so that a journey cannot pass on an old build.
  rm -f "$TSN_EXE"
  tsn_build mingw wintree fixture keylog target memscan clipboard launch stopwatch planted_winmm || true
  tsn_build mingw tessarin || true
fi
# The Win32 tests and the journeys, in streams beside each other (tools/streams.sh).
items=(win32)
for journey in tests/e2e/journey_*.sh; do items+=("$(basename "$journey" .sh | sed 's/^journey_//')"); done
# stream_item ITEM LOG: runs in a subshell of its own, which exec hands to the suite, so that
# the stream's interrupt reaches the suite itself.
stream_item() {
  case $1 in
    win32)
      [ $mingw_ok = 1 ] || { echo "the Win32 tests were not built" >"$2"; return 1; }
      exec ctest --test-dir build/mingw --output-on-failure --no-tests=error --timeout 300 >"$2" 2>&1 ;;
    *) exec timeout -k 10 "$TSN_JOURNEY_LIMIT" bash "tests/e2e/journey_$1.sh" >"$2" 2>&1 ;;
  esac
}
# stream_report ITEM STATUS MS LOG STREAM: the item's whole log once it ends.
stream_report() {
  printf '\n==== %s [ended at %d:%02d, after %d s in stream %d on %s]\n' "$1" \
    $((SECONDS / 60)) $((SECONDS % 60)) $((($3 + 500) / 1000)) "$5" "$DISPLAY"
  cat "$4"
}
STREAM_RESULTS=$TSN_BUILD/streams.results
streams_run "$TSN_STREAMS" "$STREAM_RESULTS" "${items[@]}" || record FAIL "the streams" "one could not start: see above"
for item in "${items[@]}"; do
  name="journey $item"
  [ "$item" = win32 ] && name="Win32 tests (Wine)"
  record_status "$(awk -F'\t' -v item="$item" '$1 == item { print $2 }' "$STREAM_RESULTS")" "$name"
done

stage "the lane: sanitizers and fuzzing"
lane_end
summary
[ "$FAILED" = 0 ]
