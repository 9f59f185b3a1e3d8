#!/usr/bin/env bash
# Delivery time, hover accuracy and footprint, measured on the real program with real X input
# through the journeys' helpers. Writes one figure per line to $TSN_BENCH_OUT/delivery.txt:
#   inject|drag|floor|floor_counted <microseconds from the button release to the last character in the
#                     target> <microseconds from the release to the first>
#   (floor: a bare injector, bench/floor_injector.cpp, that clicks and types the moment the
#   button is released over the target, with no waiting and no checks; floor_counted: the same
#   with a probe before each character whose answers it takes, as an exact count needs)
#   busy <the same for injection into a target busy for 200 ms after the click>
#        exact|wrong (whether that target then held exactly the password)
#   hover <set delay ms> <microseconds from the pointer coming to rest to the key's entry>
#   hwm_kb after_entry|after_<N>_deliveries <peak resident memory of the program>
# Run by bench/run.sh; nothing here is a test, though a step that cannot go on stops it.
source "$(dirname "$0")/../tests/e2e/journey.sh"
OUT=${TSN_BENCH_OUT:?set TSN_BENCH_OUT to the results folder}
SAMPLES=${TSN_BENCH_SAMPLES:-10}
DELIVERIES=${TSN_BENCH_DELIVERIES:-100}
STOPWATCH=${TSN_STOPWATCH:-$TSN_BUILD/mingw/bench/stopwatch.exe}
FLOOR_INJECTOR=${TSN_FLOOR_INJECTOR:-$TSN_BUILD/mingw/bench/floor_injector.exe}
RESULTS=$OUT/delivery.txt
# 64 characters, all on the unshifted keys, so entering them takes one click each.
PASSWORD=abcdefghijklmnopqrstuvwxyz0123456789abcdefghijklmnopqrstuvwxyz01

journey_begin bench-delivery

peak_kb() { awk '/^VmHWM/ { print $2 }' "/proc/$TESSARIN_LINUX_PID/status"; }
lines_above() { [ "$(wc -l <"$1" 2>/dev/null || echo 0)" -gt "$2" ]; }
change_time() { grep '^change' "$TARGET_LOG" | sed -n "$1p" | tr '\t' '\n' | sed -n 's/^time_us=//p'; }

# time_delivery EXPECTED_CHANGES GESTURE...: runs the gesture, which releases the mouse button
# over the target; prints the microseconds from that release (as the system saw it) to the
# target's last expected change, and to its first.
RELEASES=$JOURNEY_DIR/releases.log
time_delivery() {
  local expected=$1 before=$(target_count change) released
  shift
  released=$(wc -l <"$RELEASES")
  "$@" && tsn_wait_for 5 lines_above "$RELEASES" "$released" &&
    tsn_wait_for 15 target_count_above change $((before + expected - 1)) || return 1
  released=$(sed -n "$((released + 1))p" "$RELEASES")
  echo $(($(change_time $((before + expected))) - released)) $(($(change_time $((before + 1))) - released))
}

# deliver EXPECTED_CHANGES: one delivery of the whole password from the program onto the target.
deliver() {
  { keyboard_minimised && restore_keyboard || true; } && select_all masked || return 1
  time_delivery "$1" drag_from_box masked "$TARGET_X" "$TARGET_Y"
}

click_target() { point_at "$TARGET_X" "$TARGET_Y" && xdo click 1; }

journey_start "$STOPWATCH" releases "$(basename "$RELEASES")"
require "the release log is open" tsn_wait_for 20 test -f "$RELEASES"

# --- the floors: the bare injector on a target of its own, empty at first as the program's is --

# floor KIND [counted]: SAMPLES deliveries by the bare injector, one "KIND" line each.
floor() {
  require "the target program starts" start_target
  read -r TARGET_X TARGET_Y <<<"$(edit_centre "$TARGET")"
  require "the target's text box is found" test -n "$TARGET_Y"
  rm -f "$JOURNEY_ARTIFACTS/floor_injector.log"
  journey_start "$FLOOR_INJECTOR" "$PASSWORD" "$SAMPLES" ${2:-}
  local floor_pid=$JOURNEY_PID us i
  require "the bare injector's hook is in place" tsn_wait_for 20 grep -q ready "$JOURNEY_ARTIFACTS/floor_injector.log"
  for ((i = 0; i < SAMPLES; i++)); do
    us=$(time_delivery 64 click_target) || require "the bare injector's delivery $((i + 1)) arrives whole" false
    echo "$1 $us" >>"$RESULTS"
  done
  # It must be gone before the next deliveries: it would type into whatever is under every
  # release.
  require "the bare injector ends after its last delivery" tsn_wait_exit "$floor_pid" 10
  check "the target closes" close_program "$TARGET" "$TARGET_PID"
}
floor floor
floor floor_counted counted

# --- the program's delivery, both ways, and the footprint over many deliveries ------------------

journey_settings "Drag Drop Mode=Inject" "Keep Password after Drag Drop=True"
require "the target program starts" start_target
journey_open_tessarin
require "the cover is over the keys" tsn_wait_for 30 cover_over_keys
read -r TARGET_X TARGET_Y <<<"$(edit_centre "$TARGET")"
require "the target's text box is found" test -n "$TARGET_Y"
require "the password is entered" type_on_screen "$PASSWORD"
require "the box shows 64 stars" tsn_wait_for 30 text_is "$(stars 64)"
echo "hwm_kb after_entry $(peak_kb)" >>"$RESULTS"

done_deliveries=0
for ((i = 0; i < SAMPLES; i++)); do
  us=$(deliver 64) || require "injection $((i + 1)) arrives whole" false
  echo "inject $us" >>"$RESULTS"
  done_deliveries=$((done_deliveries + 1))
done

require "the keyboard comes back" restore_keyboard
require "Options > Drag and Drop Mode is chosen" menu_pick o 3
require "the choice is saved" tsn_wait_for 10 grep -q "^Drag Drop Mode=Drag Drop" "$JOURNEY_DIR/tsnconfig.ini"
for ((i = 0; i < SAMPLES; i++)); do
  us=$(deliver 1) || require "drop $((i + 1)) arrives" false
  echo "drag $us" >>"$RESULTS"
  done_deliveries=$((done_deliveries + 1))
done
echo "hwm_kb after_${done_deliveries}_deliveries $(peak_kb)" >>"$RESULTS"
while [ $done_deliveries -lt "$DELIVERIES" ]; do
  deliver 1 >/dev/null || require "delivery $((done_deliveries + 1)) arrives" false
  done_deliveries=$((done_deliveries + 1))
  # Every 20, so that one-off growth can be told from growth per delivery.
  [ $((done_deliveries % 20)) -eq 0 ] && echo "hwm_kb after_${done_deliveries}_deliveries $(peak_kb)" >>"$RESULTS"
done
check "the target holds every delivery" test "$(target_count change)" -eq $((SAMPLES * 64 + DELIVERIES - SAMPLES))
check "the target closes" close_program "$TARGET" "$TARGET_PID"

# --- injection into a busy target: a fresh one each time, so its box must then hold exactly
# the password, every character in the clicked field and in order.
require "the keyboard comes back" restore_keyboard
require "Options > Injection Mode is chosen" menu_pick o 4
require "the choice is saved" tsn_wait_for 10 grep -q "^Drag Drop Mode=Inject" "$JOURNEY_DIR/tsnconfig.ini"
for ((i = 0; i < SAMPLES; i++)); do
  require "a target busy for 200 ms after each click starts" start_target --busy 200
  read -r TARGET_X TARGET_Y <<<"$(edit_centre "$TARGET")"
  us=$(deliver 64) || require "busy injection $((i + 1)) arrives whole" false
  tsn_wait_for 5 edit_text_is "$TARGET" "$PASSWORD" && landed=exact || landed=wrong
  echo "busy $us $landed" >>"$RESULTS"
  check "the busy target closes" close_program "$TARGET" "$TARGET_PID"
done
require "the keyboard comes back" restore_keyboard
journey_close_tessarin

# --- hover accuracy ---------------------------------------------------------------------------

WATCH_LOG=$JOURNEY_DIR/watch.log

# hover_sample X Y: rests the pointer on the key there; prints the microseconds until the
# masked box grew.
hover_sample() {
  local before=$(wc -l <"$WATCH_LOG") rested
  rested=$(date +%s%6N)
  xdo mousemove "$1" "$2" && tsn_wait_for 15 lines_above "$WATCH_LOG" "$before" || return 1
  echo $(($(sed -n "$((before + 1))p" "$WATCH_LOG" | cut -d' ' -f1) - rested))
}

for delay in 500 1000 2000; do
  journey_settings "MouseMode=Hover Entry Mode" "Hover Timer Interval=$delay"
  rm -f "$WATCH_LOG"
  point_at 0 0  # off the keys wherever the window opens
  journey_open_tessarin
  kb=$(tree_of "$KEYBOARD")
  read -r ax ay < <(key_centre "$kb" a)
  read -r sx sy < <(key_centre "$kb" s)
  require "the a and s keys are found" test -n "$ax" -a -n "$sx"
  journey_start "$STOPWATCH" watch "$KEYBOARD" "$(basename "$WATCH_LOG")"
  require "the stopwatch watches the box" tsn_wait_for 20 lines_above "$WATCH_LOG" 0
  for ((i = 0; i < SAMPLES / 2; i++)); do
    # From one key to the other: each rest is a fresh visit that enters once.
    us=$(hover_sample "$ax" "$ay") || require "hovering on a enters it" false
    echo "hover $delay $us" >>"$RESULTS"
    us=$(hover_sample "$sx" "$sy") || require "hovering on s enters it" false
    echo "hover $delay $us" >>"$RESULTS"
  done
  journey_close_tessarin
done

journey_end
