#!/usr/bin/env bash
# The toolbar's scramble button puts the 47 character keys in a fresh random order (the action
# keys stay), a click where each character now stands enters it, and every press and every
# start while it is on gives another order; unscramble brings the English positions back. The
# choice is stored.
source "$(dirname "$0")/journey.sh"
journey_begin scramble

INI=$JOURNEY_DIR/tsnconfig.ini
SCRAMBLE=6   # toolbar indexes, separators counted
UNSCRAMBLE=9

# captions FILE: the captions of a saved listing's keys in reading order, one a line.
captions() { keys "$1" | cut -f1; }
# moved A B: how many keys show another caption in B than in A.
moved() { paste <(captions "$1") <(captions "$2") | awk -F'\t' '$1 != $2' | wc -l; }
# action_places FILE: the reading-order numbers of the action keys.
action_places() { captions "$1" | grep -nxE 'bksp|tab|cap|ent|shft' | cut -d: -f1 | paste -sd,; }
same_characters() { equals "$(captions "$1" | sort | paste -sd' ')" "$(captions "$2" | sort | paste -sd' ')"; }
scramble_setting() { ini_get "$INI" Settings "Scramble Keys"; }

journey_settings "View Password Mask=False"
journey_open_tessarin
english=$(snapshot_keys english)

click_toolbar_button $SCRAMBLE
check "scrambling changes the keys" tsn_wait_for 10 keys_differ "$english"
first=$(snapshot_keys first)
check "screenshot of the scrambled keys" tsn_screenshot "$JOURNEY_ARTIFACTS/scrambled.png"
check "the same characters, each on one key" same_characters "$first" "$english"
check "the action keys stay where they were" equals "$(action_places "$first")" "$(action_places "$english")"
moved_keys=$(moved "$english" "$first")
check "most characters move to another key ($moved_keys of 47)" test "$moved_keys" -ge 40
check "the scramble button shows pressed" equals "$(toolbar_field "$KEYBOARD" pressed | cut -d' ' -f$((SCRAMBLE + 1)))" 1
check "Scramble Keys is stored" wait_equals 10 True scramble_setting
check_every_key_enters "$first"

click_toolbar_button $SCRAMBLE
check "a second press gives another order" tsn_wait_for 10 keys_differ "$first"
last=$(snapshot_keys last)
journey_close_tessarin

require "the program has ended before it starts again" tsn_pid_ended "$TESSARIN_PID"
journey_open_tessarin
restarted=$(snapshot_keys restarted)
check "after a restart the keys are scrambled" keys_differ "$english"
check "in an order of their own" keys_differ "$last"

click_toolbar_button $UNSCRAMBLE
check "unscrambling restores the English positions" tsn_wait_for 10 keys_match "$english"
check "Scramble Keys is off" wait_equals 10 False scramble_setting
journey_close_tessarin

journey_end
