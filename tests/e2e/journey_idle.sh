#!/usr/bin/env bash
# An idle keyboard in front sleeps: once nobody has touched it for a few seconds the caret of
# the password box stops blinking, so the program's thread is not woken at all; moving the
# mouse over the keyboard brings the caret back, and the program still takes clicks as before.
# A password left in the box goes once nobody has used the keyboard for the time set in the
# settings file (10 s here): the box empties and no copy stays in the program's memory, and the
# empty keyboard sleeps again. The Options menu sets the time and saves it.
source "$(dirname "$0")/journey.sh"
journey_begin idle

INI=$JOURNEY_DIR/tsnconfig.ini
IDLE_SECONDS=10
journey_settings "Clear Password When Idle Seconds=$IDLE_SECONDS"
PASSWORD=idle7qx4

# thread_switches: context switches of the program's own thread so far (every wake-up is one).
thread_switches() {
  awk '/^(non)?voluntary_ctxt_switches/ { n += $2 } END { print n }' "/proc/$TESSARIN_LINUX_PID/task/$TESSARIN_LINUX_PID/status"
}
# switches_within SECONDS: how often the thread woke in that time.
switches_within() {
  local before
  before=$(thread_switches)
  sleep "$1"  # the measuring window itself, not a wait for a condition
  echo $(($(thread_switches) - before))
}
asleep_for() { [ "$(switches_within "$1")" -eq 0 ]; }
awake_within() { [ "$(switches_within "$1")" -gt 0 ]; }

journey_open_tessarin
require "the cover is over the keys" tsn_wait_for 30 cover_over_keys
require "the keyboard is in front" tsn_wait_for 10 keyboard_in_front
# The last journey left the pointer anywhere, and the keyboard opens at a random place. Under
# Wine a pointer resting on a toolbar button or a slider is polled for the tooltip and hot
# tracking, which wakes the program's thread however idle it is.
require "the pointer rests off the keyboard" point_at $(desktop_point)
check "the program sleeps within a few seconds of the last input" tsn_wait_for 20 asleep_for 3
check "and stays asleep" asleep_for 5

read -r kx ky < <(key_centre "$(tree_of "$KEYBOARD")" a)
require "a key is found" test -n "$ky"
point_at "$kx" "$((ky + 1))"
switches_within 1 >/dev/null  # the move's own messages
check "the mouse over the keyboard wakes the caret again" awake_within 2
require "a click on the a key enters it" click_at "$kx" "$ky"
check "the box shows one star" tsn_wait_for 10 text_is "*"
check "after the click it rests again" tsn_wait_for 20 asleep_for 3
check "the key left in the box is cleared once the keyboard is not used" tsn_wait_for 30 text_is ""

require "a password is entered" type_on_screen "$PASSWORD"
entered=$(tsn_now_ms) # just after the last click was sent: the wait starts no earlier
require "the box shows its stars" tsn_wait_for 20 text_is "$(stars ${#PASSWORD})"
check "the scanner finds the password the program holds" found_in_memory "$PASSWORD" held
require "the box empties by itself" tsn_wait_for $((IDLE_SECONDS + 30)) text_is ""
idle_ms=$(($(tsn_now_ms) - entered))
check "not before $IDLE_SECONDS s without input (took $idle_ms ms)" test "$idle_ms" -ge $((IDLE_SECONDS * 1000 - 1000))
check "nor long after" test "$idle_ms" -le $((IDLE_SECONDS * 1000 + 15000))
check "no copy of the password is left in memory" not_in_memory "$PASSWORD" after-idle
check "the empty keyboard sleeps again" tsn_wait_for 20 asleep_for 3

require "Options > Clear Password When Idle > After 1 Minute" menu_keys alt+o c 1
check "it is saved as 60 seconds" tsn_wait_for 10 grep -q "^Clear Password When Idle Seconds=60" "$INI"
require "Options > Clear Password When Idle > Never" menu_keys alt+o c n
check "it is saved as 0" tsn_wait_for 10 grep -q "^Clear Password When Idle Seconds=0" "$INI"

journey_close_tessarin
journey_end
