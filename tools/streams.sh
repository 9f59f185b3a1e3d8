# Runs suites that need a display and Wine in streams beside each other, each stream with an
# Xvfb and a Wine prefix (so a Wine server) of its own: the journeys mostly wait on Wine and X,
# so two of them share the machine's two cores well. Sourced by test.sh and tools/soak.sh
# after lib.sh.
#
#   streams_run COUNT RESULTS ITEM...
#
# Each stream takes the next item nobody has taken yet, runs `stream_item ITEM LOG` (defined
# by the caller: it runs the item with its output in LOG and returns its exit status; it runs
# in a subshell, which it should hand to the item with exec so that an interrupt reaches it), prints
# the log once the item ends, and goes on until no item is left. RESULTS gets one line per
# item, "ITEM<tab>STATUS<tab>MILLISECONDS", in the order they ended.

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

# _stream N QUEUE RESULTS ITEM...: one stream's loop, in a subshell of its own.
_stream() {
  local n=$1 queue=$2 results=$3 item log status start ms pid=
  shift 3
  trap '[ -z "$pid" ] || kill "$pid" 2>/dev/null; exit 130' TERM INT
  trap tsn_teardown EXIT
  TSN_WINEPREFIX=$(stream_prefix "$n") || tsn_die "stream $n: no Wine prefix"
  export TSN_WINEPREFIX
  tsn_wine_prefix
  tsn_xvfb_start
  "$TSN_WINESERVER" -p # stays up between items, as on a desktop that already runs programs
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
    # One log at a time on the shared output.
    (
      flock 9
      printf '\n==== %s [ended at %d:%02d, after %d s in stream %d on %s]\n' "$item" \
        $((SECONDS / 60)) $((SECONDS % 60)) $(((ms + 500) / 1000)) "$n" "$DISPLAY"
      cat "$log"
    ) 9>"$queue/.output-lock"
    # A failed item may leave windows behind that would confuse the next one.
    if [ "$status" != 0 ] && [ "$status" != "$TSN_SKIP_STATUS" ]; then
      tsn_wine_stop
      "$TSN_WINESERVER" -p
    fi
  done
}

streams_run() {
  local count=$1 results=$2 queue n
  shift 2
  queue=$(mktemp -d "$TSN_BUILD/queue.XXXX") || return 1
  : >"$results"
  # Each stream starts its own display from a number of its own, so that two never race for one.
  for ((n = 1; n <= count; n++)); do
    TSN_FIRST_DISPLAY=$((${TSN_FIRST_DISPLAY:-93} + 10 * (n - 1))) _stream "$n" "$queue" "$results" "$@" &
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
