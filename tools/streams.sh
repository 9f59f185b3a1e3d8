# Runs suites that need a display and Wine in streams beside each other, each stream with an
# Xvfb and a Wine prefix (so a Wine server) of its own: the journeys mostly wait on Wine and X,
# so two of them share the machine's two cores well. Sourced by test.sh after lib.sh.
#
#   streams_run COUNT RESULTS ITEM...
#
# Each stream takes the next item nobody has taken yet, runs `stream_item ITEM LOG`, then
# `stream_report ITEM STATUS MILLISECONDS LOG STREAM` (one report at a time), and goes on until
# no item is left. Both are defined by the caller: stream_item runs the item with its output in
# LOG and returns its exit status, in a subshell of its own that an interrupt is sent to;
# stream_report tells how it ended. RESULTS gets one line per item,
# "ITEM<tab>STATUS<tab>MILLISECONDS", in the order they ended.

TSN_STREAMS=${TSN_STREAMS:-2}

# stream_prefix N: the Wine prefix of stream N. The first is the usual one; the others are
# copies of it made once (a copy takes seconds, a new prefix a minute of CPU).
stream_prefix() {
  local main=${TSN_WINEPREFIX:-$TSN_BUILD/wineprefix}
  if [ "$1" = 1 ]; then
    echo "$main"
    return 0
  fi
  local copy=$main-stream$1
  if [ ! -f "$copy/.tessarin-ready" ]; then
    rm -rf "$copy"
    cp -a "$main" "$copy.tmp" && mv "$copy.tmp" "$copy" || return 1
  fi
  echo "$copy"
}

STREAM_PIDS=()

# _stream_wine_up: the Wine server and the session's services (services.exe, explorer, ...),
# which stay up between items as on a desktop that already runs programs. The services inherit
# the files of the program that starts them; started by an item they would hold its output
# open, and ctest waits for the end of its test's output. The desktop too stays open between
# items; Wine would close it after each.
_stream_wine_up() {
  "$TSN_WINESERVER" -p </dev/null >/dev/null 2>&1
  timeout 60 "$TSN_WINE" cmd /c exit </dev/null >/dev/null 2>&1 || tsn_log "Wine did not start in $WINEPREFIX"
  tsn_hold_desktop
}

# _stream N PREFIX QUEUE RESULTS ITEM...: one stream's loop, in a subshell of its own.
_stream() {
  local n=$1 prefix=$2 queue=$3 results=$4 item log status start ms pid=
  shift 4
  trap '[ -z "$pid" ] || kill "$pid" 2>/dev/null; exit 130' TERM INT
  tsn_on_exit tsn_teardown
  export TSN_WINEPREFIX=$prefix
  tsn_wine_prefix
  tsn_xvfb_start
  _stream_wine_up
  for item in "$@"; do
    mkdir "$queue/$item" 2>/dev/null || continue # another stream has it
    log=$queue/$item/log
    start=$(tsn_now_ms)
    status=0
    # In the background, so that an interrupt is acted on at once.
    stream_item "$item" "$log" &
    pid=$!
    wait "$pid" || status=$?
    pid=
    ms=$(($(tsn_now_ms) - start))
    printf '%s\t%s\t%s\n' "$item" "$status" "$ms" >>"$results"
    # One report at a time on the shared output.
    (
      flock 9
      stream_report "$item" "$status" "$ms" "$log" "$n"
    ) 9>"$queue/.output-lock"
    # A failed item may leave windows behind that would confuse the next one.
    if tsn_failed "$status"; then
      tsn_wine_stop
      _stream_wine_up
    fi
  done
}

streams_run() {
  local count=$1 results=$2 queue n
  shift 2
  local prefixes=()
  # Copied before any Wine server runs in the first, so that no copy catches a registry file
  # half written.
  for ((n = 1; n <= count; n++)); do
    prefixes[n]=$(stream_prefix "$n") || { tsn_log "no Wine prefix for stream $n"; return 1; }
  done
  queue=$(mktemp -d "$TSN_BUILD/queue.XXXX") || return 1
  : >"$results"
  # Each stream starts its own display from a number of its own, so that two never race for one.
  for ((n = 1; n <= count; n++)); do
    TSN_FIRST_DISPLAY=$((${TSN_FIRST_DISPLAY:-93} + 10 * (n - 1))) \
      _stream "$n" "${prefixes[n]}" "$queue" "$results" "$@" &
    STREAM_PIDS+=($!)
  done
  local pid status=0
  for pid in "${STREAM_PIDS[@]}"; do wait "$pid" || status=1; done
  STREAM_PIDS=()
  rm -rf "$queue"
  return $status
}

# streams_stop: ends the streams still running (from an EXIT trap).
streams_stop() {
  local pid
  for pid in "${STREAM_PIDS[@]}"; do kill "$pid" 2>/dev/null; done
  for pid in "${STREAM_PIDS[@]}"; do
    tsn_wait_for 30 tsn_pid_ended "$pid" || kill -9 "$pid" 2>/dev/null
  done
  STREAM_PIDS=()
}
