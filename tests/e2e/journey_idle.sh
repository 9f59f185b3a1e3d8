#!/usr/bin/env bash
# An idle keyboard in front sleeps: once nobody has touched it for a few seconds the caret of
# the password box stops blinking, so the program's thread is not woken at all; moving the
# mouse over the keyboard brings the caret back, and the program still takes clicks as before.
source "$(dirname "$0")/journey.sh"
journey_begin idle

# thread_switches: context switches of the program's own thread so far (every wake-up is one).
thread_switches() {
  awk '/^(non)?voluntary_ctxt_switches/ { n += $2 } END { print n }' "/proc/$TESSARIN_PID/task/$TESSARIN_PID/status"
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

journey_close_tessarin
journey_end
