#!/usr/bin/env bash
# Runs end-to-end journeys, and the Win32 test binary, again and again on what is already
# built, to find the steps that fail only now and then. Not part of test.sh.
#
#   tools/soak.sh [--load] [--streams K] [N] [NAME...]
#
# N runs of each NAME (default 10); a NAME is a journey ("drag" or "journey_drag") or "win32"
# for the Win32 test binary; without names, every journey and win32. --load keeps one core
# busy with stress-ng for the whole soak, as a shared machine would. The runs go round by
# round (each name once, then again) in K streams beside each other (default 2), each with its
# own display and Wine server, as test.sh runs them; two runs of one journey never overlap,
# since they share its work folder. Every run's output is kept in
# artifacts/soak/<time>/<name>/run-<n>.log; a failed run also keeps the journey's artefacts and
# work folder (screenshots, logs, settings) beside it in run-<n>-failed/. Ends with a table of
# each name's runs, failures, the steps that failed and the slowest run, also written to
# table.md there. Exits non-zero when any run failed.
set -uo pipefail
source "$(dirname "$0")/lib.sh"
source "$TSN_ROOT/tools/streams.sh"
cd "$TSN_ROOT" || exit 1

load=0
runs=10
names=()
while [ $# -gt 0 ]; do
  case $1 in
    --load) load=1 ;;
    --streams) TSN_STREAMS=${2:?--streams needs a number}; shift ;;
    [0-9]*) runs=$1 ;;
    journey_*) names+=("${1%.sh}") ;;
    win32) names+=(win32) ;;
    *) names+=("journey_$1") ;;
  esac
  shift
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

SOAK=$TSN_ARTIFACTS/soak/$(date +%Y%m%d-%H%M%S)
COMMIT=$(git rev-parse --short HEAD 2>/dev/null) # what was soaked, though commits may come meanwhile
RESULTS=$SOAK/results.tsv
mkdir -p "$SOAK"

# run_log ITEM: where the output of that run ("NAME@RUN") goes.
run_log() {
  local name=${1%@*}
  echo "$SOAK/${name#journey_}/run-${1##*@}.log"
}

# failed_steps LOG STATUS: what a failed run names as failing: the journey's failed checks or
# the Win32 tests that failed; otherwise how it ended.
failed_steps() {
  local steps
  steps=$({ sed -n 's/^FAIL: [^:]*: \(.*\) \[[0-9.]* s\]$/\1/p; s/^\[  FAILED  \] \([^ ,]*\).*/\1/p' "$1"; } | sort -u)
  if [ -n "$steps" ]; then
    echo "$steps"
  elif [ "$2" = 124 ] || [ "$2" = 137 ]; then
    echo "timed out"
  else
    echo "exit status $2"
  fi
}

# The table of the runs done so far, from the streams' results, in Markdown so that it can go
# into the docs as it is.
print_table() {
  [ -s "$RESULTS" ] || return 0
  local item status ms name failed
  declare -A runs_done failures slowest steps
  while IFS=$'\t' read -r item status ms; do
    name=${item%@*}
    runs_done[$name]=$((${runs_done[$name]:-0} + 1))
    [ "$ms" -gt "${slowest[$name]:-0}" ] && slowest[$name]=$ms
    if tsn_failed "$status"; then
      failures[$name]=$((${failures[$name]:-0} + 1))
      steps[$name]+=$(failed_steps "$(run_log "$item")" "$status")$'\n'
    fi
  done <"$RESULTS"
  {
    echo "soak of $COMMIT in $TSN_STREAMS streams$([ $load = 1 ] && echo ', one core kept busy')"
    echo
    echo "| journey | runs | failures | failed steps | slowest run |"
    echo "|---|---|---|---|---|"
    for name in "${names[@]}"; do
      [ -n "${runs_done[$name]:-}" ] || continue
      failed=$(printf '%s' "${steps[$name]:-}" | grep . | sort | uniq -c | sort -rn |
        awk '{ n = $1; sub(/^ *[0-9]+ /, ""); printf "%s%s (%dx)", sep, $0, n; sep = "; " }')
      printf '| %s | %d | %d | %s | %d.%d s |\n' "${name#journey_}" "${runs_done[$name]}" "${failures[$name]:-0}" \
        "${failed:--}" $((slowest[$name] / 1000)) $((slowest[$name] % 1000 / 100))
    done
  } | tee "$SOAK/table.md"
  echo "logs and failed runs' artefacts: $SOAK"
}

LOAD_PID=
stop_load() {
  [ -n "$LOAD_PID" ] || return 0
  kill "$LOAD_PID" 2>/dev/null
  tsn_wait_for 20 tsn_pid_ended "$LOAD_PID" || kill -9 "$LOAD_PID" 2>/dev/null
  wait "$LOAD_PID" 2>/dev/null
  LOAD_PID=
}
finish() {
  streams_stop
  stop_load
  print_table
}
tsn_on_exit finish
trap 'exit 130' INT TERM

tsn_ensure_packages
tsn_wine_prefix # the streams' prefixes are copies of it
export TSN_E2E_SESSION=1
if [ $load = 1 ]; then
  stress-ng --cpu 1 --quiet </dev/null >/dev/null 2>&1 &
  LOAD_PID=$!
  tsn_log "stress-ng keeps one core busy (pid $LOAD_PID)"
fi

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

# stream_item NAME@RUN LOG: one run, with its output in the soak's folder rather than LOG. The
# run goes in the background, so that the stream's interrupt is acted on at once; its pid is
# that of timeout, which passes the interrupt on.
stream_item() {
  local name=${1%@*} run=${1##*@} log status=0 pid
  log=$(run_log "$1")
  mkdir -p "$(dirname "$log")"
  exec 8>"$(dirname "$log")/.running"
  flock 8 # an earlier run of this journey, in the other stream, ends first
  if [ "$name" = win32 ]; then
    # From its build folder, as ctest runs it.
    (cd "$(dirname "$WIN32_TESTS")" && exec timeout -k 10 300 "$TSN_WINE" "$WIN32_TESTS") >"$log" 2>&1 &
  else
    timeout -k 10 "$TSN_JOURNEY_LIMIT" bash "tests/e2e/$name.sh" >"$log" 2>&1 &
  fi
  pid=$!
  trap 'kill "$pid" 2>/dev/null; exit 130' TERM INT
  wait "$pid" || status=$?
  if tsn_failed $status && [ "$name" != win32 ]; then
    keep_failure "$name" "$run"
  fi
  return $status
}

# stream_report ITEM STATUS MS LOG STREAM: a line for each run as it ends.
stream_report() {
  local what=PASS
  if [ "$2" = "$TSN_SKIP_STATUS" ]; then
    what=SKIPPED # a journey this machine cannot run at all (as in test.sh) has not failed
  elif [ "$2" != 0 ]; then
    what=FAIL
  fi
  tsn_log "run ${1##*@}/$runs ${1%@*}: $what in $((($3 + 500) / 1000)) s in stream $5 (log: $(run_log "$1"))"
  [ $what = FAIL ] && failed_steps "$(run_log "$1")" "$2" | sed 's/^/    /' >&2
  return 0
}

items=()
for ((run = 1; run <= runs; run++)); do
  for name in "${names[@]}"; do items+=("$name@$run"); done
done
streams_run "$TSN_STREAMS" "$RESULTS" "${items[@]}" || tsn_log "a stream could not start"
# Every run ended, and none failed.
[ "$(wc -l <"$RESULTS")" = ${#items[@]} ] &&
  cut -f2 "$RESULTS" | while read -r status; do ! tsn_failed "$status" || exit 1; done
