#!/usr/bin/env bash
# Runs end-to-end journeys, and the Win32 test binary, again and again on what is already
# built, to find the steps that fail only now and then. Not part of test.sh.
#
#   tools/soak.sh [--load] [N] [NAME...]
#
# N runs of each NAME (default 10); a NAME is a journey ("drag" or "journey_drag") or "win32"
# for the Win32 test binary; without names, every journey and win32. --load keeps one core
# busy with stress-ng for the whole soak, as a shared machine would. The runs go round by
# round (each name once, then again), on one display and Wine server, as test.sh runs them.
# Every run's output is kept in artifacts/soak/<time>/<name>/run-<n>.log; a failed run also
# keeps the journey's artefacts and work folder (screenshots, logs, settings) beside it in
# run-<n>-failed/. Ends with a table of each name's runs, failures, the steps that failed and
# the slowest run, also written to table.md there. Exits non-zero when any run failed.
set -uo pipefail
source "$(dirname "$0")/lib.sh"
cd "$TSN_ROOT" || exit 1

load=0
runs=10
names=()
for arg in "$@"; do
  case $arg in
    --load) load=1 ;;
    [0-9]*) runs=$arg ;;
    journey_*) names+=("${arg%.sh}") ;;
    win32) names+=(win32) ;;
    *) names+=("journey_$arg") ;;
  esac
done
if [ ${#names[@]} = 0 ]; then
  for journey in tests/e2e/journey_*.sh; do names+=("$(basename "$journey" .sh)"); done
  names+=(win32)
fi
for name in "${names[@]}"; do
  [ "$name" = win32 ] || [ -f "tests/e2e/$name.sh" ] || tsn_die "no journey tests/e2e/$name.sh"
done
WIN32_TESTS=$TSN_BUILD/mingw/tests/win32/tessarin_win32_tests.exe
[ -f "$TSN_EXE" ] || tsn_die "$TSN_EXE is missing: build the mingw preset first"

declare -A failures slowest steps done_runs
SOAK=$TSN_ARTIFACTS/soak/$(date +%Y%m%d-%H%M%S)
mkdir -p "$SOAK"

LOAD_PID=
stop_load() {
  [ -n "$LOAD_PID" ] || return 0
  kill "$LOAD_PID" 2>/dev/null
  tsn_wait_for 20 tsn_pid_ended "$LOAD_PID" || kill -9 "$LOAD_PID" 2>/dev/null
  wait "$LOAD_PID" 2>/dev/null
  LOAD_PID=
}
# The table of the runs done so far, in Markdown so that it can go into the docs as it is.
print_table() {
  local name failed
  [ ${#done_runs[@]} = 0 ] && return 0
  {
    echo "soak of $(git rev-parse --short HEAD 2>/dev/null)$([ $load = 1 ] && echo ', one core kept busy')"
    echo
    echo "| journey | runs | failures | failed steps | slowest run |"
    echo "|---|---|---|---|---|"
    for name in "${names[@]}"; do
      [ -n "${done_runs[$name]:-}" ] || continue
      failed=$(printf '%s' "${steps[$name]}" | grep . | sort | uniq -c | sort -rn |
        awk '{ n = $1; sub(/^ *[0-9]+ /, ""); printf "%s%s (%dx)", sep, $0, n; sep = "; " }')
      printf '| %s | %d | %d | %s | %d.%d s |\n' "${name#journey_}" "${done_runs[$name]}" "${failures[$name]}" \
        "${failed:--}" $((slowest[$name] / 1000)) $((slowest[$name] % 1000 / 100))
    done
  } | tee "$SOAK/table.md"
  echo "logs and failed runs' artefacts: $SOAK"
}
RUN_PID=
finish() {
  if [ -n "$RUN_PID" ]; then
    kill "$RUN_PID" 2>/dev/null
    tsn_wait_for 20 tsn_pid_ended "$RUN_PID" || kill -9 "$RUN_PID" 2>/dev/null
  fi
  stop_load
  tsn_teardown
  print_table
}
trap finish EXIT
trap 'exit 130' INT TERM

tsn_ensure_packages
tsn_wine_prefix
tsn_xvfb_start
export TSN_E2E_SESSION=1
if [ $load = 1 ]; then
  stress-ng --cpu 1 --quiet </dev/null >/dev/null 2>&1 &
  LOAD_PID=$!
  tsn_log "stress-ng keeps one core busy (pid $LOAD_PID)"
fi

# run_once NAME LOG: one run, in the background so that an interrupt is acted on at once. Its
# pid is that of timeout, which passes an interrupt on.
run_once() {
  local status=0
  if [ "$1" = win32 ]; then
    # From its build folder, as ctest runs it.
    (cd "$(dirname "$WIN32_TESTS")" && exec timeout -k 10 300 "$TSN_WINE" "$WIN32_TESTS") >"$2" 2>&1 &
  else
    timeout -k 10 "$TSN_JOURNEY_LIMIT" bash "tests/e2e/$1.sh" >"$2" 2>&1 &
  fi
  RUN_PID=$!
  wait "$RUN_PID" || status=$?
  RUN_PID=
  return $status
}

# failed_steps LOG STATUS: what a failed run names as failing: the journey's failed checks or
# the Win32 tests that failed; otherwise how it ended.
failed_steps() {
  local steps
  steps=$({ sed -n 's/^FAIL: [^:]*: //p; s/^\[  FAILED  \] \([^ ,]*\).*/\1/p' "$1"; } | sort -u)
  if [ -n "$steps" ]; then
    echo "$steps"
  elif [ "$2" = 124 ] || [ "$2" = 137 ]; then
    echo "timed out"
  else
    echo "exit status $2"
  fi
}

# keep_failure NAME RUN: the artefacts and work folder of a failed journey run, before the
# next run of that journey clears them; the program copies are left out.
keep_failure() {
  local short=${1#journey_}
  local kept=$SOAK/$short/run-$2-failed
  mkdir -p "$kept"
  [ -d "$TSN_ARTIFACTS/e2e/$short" ] && cp -r "$TSN_ARTIFACTS/e2e/$short" "$kept/artifacts"
  [ -d "$TSN_BUILD/e2e/$short" ] && cp -r "$TSN_BUILD/e2e/$short" "$kept/work"
  find "$kept" -name '*.exe' -delete
}

for name in "${names[@]}"; do
  failures[$name]=0
  slowest[$name]=0
  steps[$name]=
done

for ((run = 1; run <= runs; run++)); do
  for name in "${names[@]}"; do
    mkdir -p "$SOAK/${name#journey_}"
    log=$SOAK/${name#journey_}/run-$run.log
    start=$(tsn_now_ms)
    status=0
    run_once "$name" "$log" || status=$?
    ms=$(($(tsn_now_ms) - start))
    done_runs[$name]=$run
    [ $ms -gt "${slowest[$name]}" ] && slowest[$name]=$ms
    if [ $status = 0 ]; then
      tsn_log "run $run/$runs $name: PASS in $((ms / 1000)) s"
      continue
    fi
    # A journey this machine cannot run at all (as in test.sh) has not failed.
    if [ $status = "$TSN_SKIP_STATUS" ]; then
      tsn_log "run $run/$runs $name: SKIPPED in $((ms / 1000)) s (see $log)"
      continue
    fi
    failures[$name]=$((failures[$name] + 1))
    steps[$name]+=$(failed_steps "$log" $status)$'\n'
    [ "$name" = win32 ] || keep_failure "$name" "$run"
    tsn_log "run $run/$runs $name: FAIL in $((ms / 1000)) s (kept in $SOAK/${name#journey_})"
    failed_steps "$log" $status | sed 's/^/    /' >&2
    # A failed run may leave windows behind that would confuse the next one, as in test.sh.
    tsn_wine_stop
  done
done

total=0
for name in "${names[@]}"; do total=$((total + failures[$name])); done
[ $total = 0 ]
