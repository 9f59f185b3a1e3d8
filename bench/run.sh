#!/usr/bin/env bash
# Measures Tessarin and writes docs/PERFORMANCE.md: micro-benchmarks of the engine, start-up
# against a bare Win32 program (alternated, same Wine), idle cost, footprint, and with the real
# mouse (bench/delivery.sh) delivery time, hover accuracy and memory over many deliveries.
# Benchmarks are not tests: nothing here fails on a slow figure.
set -euo pipefail
source "$(dirname "$0")/../tools/lib.sh"
cd "$TSN_ROOT"

# Start-ups on a shared machine vary by half from run to run; twenty keep the medians steady.
RUNS=${TSN_BENCH_RUNS:-20}
# The request count of a start-up varies by a few requests at most.
REQUEST_RUNS=${TSN_BENCH_REQUEST_RUNS:-3}
IDLE_SECONDS=${TSN_BENCH_IDLE_SECONDS:-60}
OUT=$TSN_BUILD/bench-results
BARE=$TSN_BUILD/mingw/bench/bare_window.exe
STOPWATCH=$TSN_BUILD/mingw/bench/stopwatch.exe
rm -rf "$OUT"
mkdir -p "$OUT"
tsn_on_exit tsn_teardown

TSN_PACKAGES+=(libbenchmark-dev)
tsn_ensure_packages
tsn_build bench
tsn_build mingw tessarin bare_window stopwatch floor_injector wintree target clipboard launch
tsn_wine_prefix
tsn_display

echo "==== engine micro-benchmarks"
build/bench/bench/tessarin_bench --benchmark_min_time=0.2 --benchmark_format=json \
  --benchmark_out="$OUT/micro.json" --benchmark_out_format=json >/dev/null

winpath() { echo "Z:${1//\//\\}"; }

echo "==== start-up, $RUNS runs each, alternated"
# Each program starts from a folder of its own, as a user would keep it; the stopwatch runs
# inside Wine, so looking for the window costs no process start. The Wine server stays up
# between runs, as it does on a desktop that already runs programs.
for name in bare tessarin; do mkdir -p "$OUT/$name"; done
cp "$BARE" "$OUT/bare/"
cp "$TSN_EXE" "$OUT/tessarin/"
"$TSN_WINESERVER" -p
# pointer_away: the pointer to the screen's corner, off every window. (Not --sync: with the
# pointer already there, xdotool would wait for a move that never comes.)
pointer_away() { timeout 10 xdotool mousemove 0 0; }
# Away from where the windows come up: a window that appears under it gets mouse messages,
# which a start-up would count.
pointer_away
# One round first warms the file cache for both.
timeout 600 "$TSN_WINE" "$STOPWATCH" startup $((RUNS + 1)) \
  "$(winpath "$OUT/bare/bare_window.exe")" "Bare Window" \
  "$(winpath "$OUT/tessarin/tessarin.exe")" "Tessarin v3" </dev/null | tr -d '\r' >"$OUT/startup.txt" ||
  tsn_die "the start-up stopwatch failed"
awk 'NR > 2 && $1 == "A" { print $2 }' "$OUT/startup.txt" >"$OUT/startup-bare.txt"
awk 'NR > 2 && $1 == "B" { print $2 }' "$OUT/startup.txt" >"$OUT/startup-tessarin.txt"

echo "==== start-up in Wine-server requests, $REQUEST_RUNS runs each"
# The same start-ups under a server that traces every request (too slow to time them by). The
# count does not depend on the machine's load, unlike the time.
"$TSN_WINESERVER" -k 2>/dev/null || true
timeout 60 "$TSN_WINESERVER" -w 2>/dev/null || true
"$TSN_WINESERVER" -f -p -d1 2>"$OUT/server-trace.log" &
tracing_server=$!
timeout 600 "$TSN_WINE" "$STOPWATCH" startup $((REQUEST_RUNS + 1)) \
  "$(winpath "$OUT/bare/bare_window.exe")" "Bare Window" \
  "$(winpath "$OUT/tessarin/tessarin.exe")" "Tessarin v3" </dev/null >/dev/null ||
  tsn_die "the start-up stopwatch failed under the tracing server"
"$TSN_WINESERVER" -k 2>/dev/null || true
wait "$tracing_server" || true
# The first round warms up, as above.
python3 bench/count_requests.py "$OUT/server-trace.log" bare_window.exe "Bare Window" | tail -n +2 \
  >"$OUT/requests-bare.txt"
python3 bench/count_requests.py "$OUT/server-trace.log" tessarin.exe "Tessarin v3" | tail -n +2 \
  >"$OUT/requests-tessarin.txt"
rm -f "$OUT/server-trace.log"

# cpu_ticks PID: user and system time of the process, in clock ticks.
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
# wakeups PID: context switches of all its threads so far (each timer tick is one at least).
switches() { cat "$@" | awk '/^(non)?voluntary_ctxt_switches/ {n += $2} END {print n}'; }
wakeups() { switches /proc/"$1"/task/*/status; }
# Under Wine the program's own thread is the process's first; the others are Wine's.
main_wakeups() { switches /proc/"$1"/task/"$1"/status; }

# idle PHASE PID BARE_PID: CPU share and wake-ups over IDLE_SECONDS, with the bare program's
# wake-ups over the same time beside them.
idle() {
  local phase=$1 pid=$2 bare=$3 c0 w0 m0 b0
  c0=$(cpu_ticks "$pid")
  w0=$(wakeups "$pid")
  m0=$(main_wakeups "$pid")
  b0=$(main_wakeups "$bare")
  sleep "$IDLE_SECONDS"  # the measurement window itself, not a wait for a condition
  echo "$phase $(($(cpu_ticks "$pid") - c0)) $(($(wakeups "$pid") - w0)) $(($(main_wakeups "$pid") - m0))" \
    "$(($(main_wakeups "$bare") - b0)) $IDLE_SECONDS $(getconf CLK_TCK)" >>"$OUT/idle.txt"
}

echo "==== idle cost and footprint, ${IDLE_SECONDS} s each: in front, behind another window, and in front in the two hover modes"
dir=$(mktemp -d "$TSN_BUILD/bench-run.XXXX")
cp "$TSN_EXE" "$BARE" "$dir/"
(cd "$dir" && exec "$TSN_WINE" bare_window.exe </dev/null >/dev/null 2>&1) &
bare=$!
tsn_wait_window "Bare Window" 30
(cd "$dir" && exec "$TSN_WINE" tessarin.exe </dev/null >/dev/null 2>&1) &
pid=$!
tsn_wait_window "Tessarin v3" 30
# in_front CAPTION: that window is the foreground window.
in_front() { tsn_wine_run "$TSN_WINTREE" --foreground | tr '\t' '\n' | grep -qx "caption=$1"; }
# bring_to_front CAPTION: clicks the window where no other window covers it, as a user would
# (there may be no window manager to ask), and waits until it is in front.
bring_to_front() {
  local x y
  for x in 110 300 500 690; do
    for y in 110 250 390; do
      if tsn_wine_run "$TSN_WINTREE" --at $x $y | tr '\t' '\n' | grep -qx "caption=$1"; then
        timeout 10 xdotool mousemove --sync $x $y click 1 && tsn_wait_for 10 in_front "$1" && return 0
      fi
    done
  done
  return 1
}
tsn_wait_for 10 in_front "Tessarin v3" || tsn_die "the keyboard window did not come to the front"
pointer_away  # off both windows while they sit idle
# Start-up work settles, and the caret comes to rest five seconds after the last input, as it
# does for a user who has stopped using the keyboard; then the idle window opens.
sleep 7
echo "startup_hwm_kb $(awk '/^VmHWM/ {print $2}' /proc/$pid/status)" >>"$OUT/footprint.txt"
idle front "$pid" "$bare"
bring_to_front "Bare Window" || tsn_die "the bare program could not be brought to the front"
pointer_away
sleep 1  # the switch's own messages settle before the idle window opens
idle background "$pid" "$bare"
echo "idle_hwm_kb $(awk '/^VmHWM/ {print $2}' /proc/$pid/status)" >>"$OUT/footprint.txt"
echo "bare_hwm_kb $(awk '/^VmHWM/ {print $2}' /proc/$bare/status)" >>"$OUT/footprint.txt"
echo "exe_bytes $(stat -c %s "$TSN_EXE")" >>"$OUT/footprint.txt"
echo "bare_exe_bytes $(stat -c %s "$BARE")" >>"$OUT/footprint.txt"
tsn_wine_run "$TSN_WINTREE" --close "Tessarin v3" >/dev/null || true
tsn_wait_exit "$pid" 30 || true

# idle_in_mode PHASE MOUSE_MODE: the program started afresh in that mouse mode (as its settings
# file says), in front, with the pointer away from its keys.
idle_in_mode() {
  printf '[Settings]\r\nMouseMode=%s\r\n' "$2" >"$dir/tsnconfig.ini"
  (cd "$dir" && exec "$TSN_WINE" tessarin.exe </dev/null >/dev/null 2>&1) &
  pid=$!
  tsn_wait_window "Tessarin v3" 30 || tsn_die "the program did not start in $2"
  tsn_wait_for 10 in_front "Tessarin v3" || bring_to_front "Tessarin v3" ||
    tsn_die "the keyboard window did not come to the front in $2"
  pointer_away
  sleep 7  # as in standard mode: start-up settles and the caret comes to rest
  idle "$1" "$pid" "$bare"
  tsn_wine_run "$TSN_WINTREE" --close "Tessarin v3" >/dev/null || true
  tsn_wait_exit "$pid" 30 || true
}
idle_in_mode hover "Hover Entry Mode"
idle_in_mode hidden_mouse "Hover Entry and Hide Mouse"
tsn_wine_run "$TSN_WINTREE" --close "Bare Window" >/dev/null || true
rm -rf "$dir"

echo "==== delivery, hover accuracy and footprint over many deliveries"
TSN_E2E_SESSION=1 TSN_BENCH_OUT=$OUT TSN_STOPWATCH=$STOPWATCH bash bench/delivery.sh ||
  tsn_die "the delivery benchmark could not go on"

python3 bench/report.py "$OUT" "$("$TSN_WINE" --version 2>/dev/null || echo wine)" >docs/PERFORMANCE.md
cat docs/PERFORMANCE.md
