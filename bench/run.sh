#!/usr/bin/env bash
# Measures Tessarin and writes docs/PERFORMANCE.md: micro-benchmarks of the engine, start-up
# against a bare Win32 program (alternated, same Wine), idle cost and footprint under Wine.
# Benchmarks are not tests: nothing here fails on a slow figure.
set -euo pipefail
source "$(dirname "$0")/../tools/lib.sh"
cd "$TSN_ROOT"

RUNS=${TSN_BENCH_RUNS:-10}
IDLE_SECONDS=${TSN_BENCH_IDLE_SECONDS:-60}
OUT=$TSN_BUILD/bench-results
BARE=$TSN_BUILD/mingw/bench/bare_window.exe
rm -rf "$OUT"
mkdir -p "$OUT"
trap tsn_teardown EXIT

TSN_PACKAGES+=(libbenchmark-dev)
tsn_ensure_packages
tsn_build bench
tsn_build mingw tessarin bare_window wintree
tsn_wine_prefix
tsn_display

echo "==== engine micro-benchmarks"
build/bench/bench/tessarin_bench --benchmark_min_time=0.2 --benchmark_format=json \
  --benchmark_out="$OUT/micro.json" --benchmark_out_format=json >/dev/null

now_ms() { date +%s%3N; }

# start_ms EXE TITLE: milliseconds from starting the program until its window is visible; the
# program is closed again afterwards.
start_ms() {
  local exe=$1 title=$2 dir t0 t1 pid
  dir=$(mktemp -d "$TSN_BUILD/bench-run.XXXX")
  cp "$exe" "$dir/"
  t0=$(now_ms)
  (cd "$dir" && exec "$TSN_WINE" "$(basename "$exe")" </dev/null >/dev/null 2>&1) &
  pid=$!
  until xdotool search --onlyvisible --name "^$title\$" >/dev/null 2>&1; do
    kill -0 "$pid" 2>/dev/null || tsn_die "$title ended before its window showed"
    [ $(($(now_ms) - t0)) -lt 30000 ] || tsn_die "$title did not show within 30 s"
    sleep 0.005
  done
  t1=$(now_ms)
  tsn_wine_run "$TSN_WINTREE" --close "$title" >/dev/null
  tsn_wait_exit "$pid" 30 || kill -9 "$pid"
  rm -rf "$dir"
  echo $((t1 - t0))
}

echo "==== start-up, $RUNS runs each, alternated"
# The Wine server stays up between runs, as it would on a desktop that already runs programs.
"$TSN_WINESERVER" -p
start_ms "$BARE" "Bare Window" >/dev/null  # warm the file cache for both
start_ms "$TSN_EXE" "Tessarin v3" >/dev/null
for ((i = 0; i < RUNS; i++)); do
  start_ms "$BARE" "Bare Window" >>"$OUT/startup-bare.txt"
  start_ms "$TSN_EXE" "Tessarin v3" >>"$OUT/startup-tessarin.txt"
done

# cpu_ticks PID: user and system time of the process, in clock ticks.
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
# wakeups PID: context switches of all its threads so far (each timer tick is one at least).
wakeups() { cat /proc/"$1"/task/*/status | awk '/^(non)?voluntary_ctxt_switches/ {n += $2} END {print n}'; }

# idle PHASE PID: CPU share and wake-ups per second over IDLE_SECONDS.
idle() {
  local phase=$1 pid=$2 c0 w0
  c0=$(cpu_ticks "$pid")
  w0=$(wakeups "$pid")
  sleep "$IDLE_SECONDS"  # the measurement window itself, not a wait for a condition
  echo "$phase $(($(cpu_ticks "$pid") - c0)) $(($(wakeups "$pid") - w0)) $IDLE_SECONDS $(getconf CLK_TCK)" \
    >>"$OUT/idle.txt"
}

echo "==== idle cost and footprint, ${IDLE_SECONDS} s in front and ${IDLE_SECONDS} s behind another window"
dir=$(mktemp -d "$TSN_BUILD/bench-run.XXXX")
cp "$TSN_EXE" "$dir/"
(cd "$dir" && exec "$TSN_WINE" tessarin.exe </dev/null >/dev/null 2>&1) &
pid=$!
tsn_wait_window "Tessarin v3" 30
xdotool search --onlyvisible --name "^Tessarin v3\$" windowactivate --sync 2>/dev/null || true
sleep 2  # let start-up work settle before the idle window opens
echo "startup_hwm_kb $(awk '/^VmHWM/ {print $2}' /proc/$pid/status)" >>"$OUT/footprint.txt"
idle front "$pid"
(cd "$dir" && exec "$TSN_WINE" "$BARE" </dev/null >/dev/null 2>&1) &
bare=$!
tsn_wait_window "Bare Window" 30
xdotool search --onlyvisible --name "^Bare Window\$" windowactivate --sync 2>/dev/null || true
idle background "$pid"
echo "idle_hwm_kb $(awk '/^VmHWM/ {print $2}' /proc/$pid/status)" >>"$OUT/footprint.txt"
echo "bare_hwm_kb $(awk '/^VmHWM/ {print $2}' /proc/$bare/status)" >>"$OUT/footprint.txt"
echo "exe_bytes $(stat -c %s "$TSN_EXE")" >>"$OUT/footprint.txt"
echo "bare_exe_bytes $(stat -c %s "$BARE")" >>"$OUT/footprint.txt"
tsn_wine_run "$TSN_WINTREE" --close "Bare Window" >/dev/null || true
tsn_wine_run "$TSN_WINTREE" --close "Tessarin v3" >/dev/null || true
tsn_wait_exit "$pid" 30 || true
rm -rf "$dir"

python3 bench/report.py "$OUT" "$("$TSN_WINE" --version 2>/dev/null || echo wine)" >docs/PERFORMANCE.md
cat docs/PERFORMANCE.md
