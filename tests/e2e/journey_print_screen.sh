#!/usr/bin/env bash
# While the program runs, Print Screen (alone or with Alt) reaches no other low-level keyboard
# hook, such as a logger installed before the program started, while other keys still do;
# once the program has ended, Print Screen reaches the logger again.
source "$(dirname "$0")/journey.sh"
journey_begin print_screen

LOGGER="Tessarin E2E Key Logger"
LOG=$JOURNEY_DIR/keys.log
VK_SNAPSHOT=44 VK_A=65 VK_B=66 VK_F5=116 VK_LMENU=164
# logged VK DOWN_OR_UP: whether the logger saw that key event.
logged() { grep -qx "$1 $2" "$LOG" 2>/dev/null; }
logged_both() { logged "$1" down && logged "$1" up; }

# A relative name: the logger runs in the journey's work folder.
journey_start "$TSN_KEYLOG" "$LOGGER" "$(basename "$LOG")"
LOGGER_PID=$JOURNEY_PID
require "the key logger is up" tsn_wait_window "$LOGGER" 30

journey_open_tessarin
kb=$(tree_of "$KEYBOARD")
read -r bx by < <(box_centre "$kb")
require "the password box is found" test -n "$bx"
# Keys reach Wine only while one of its windows has the X focus.
click_at "$bx" "$by"
# The logger gets each key in the order sent, so once it has a and F5 it has had the others.
timeout 10 xdotool key Print alt+Print a F5
check "the logger sees a" tsn_wait_for 10 logged_both $VK_A
check "the logger sees F5" tsn_wait_for 10 logged_both $VK_F5
check "the logger sees Alt" logged_both $VK_LMENU
check "the logger sees no Print Screen, pressed or released, with or without Alt" \
  test "$(grep -c "^$VK_SNAPSHOT " "$LOG")" = 0
cp "$LOG" "$JOURNEY_ARTIFACTS/keys-while-running.log"

journey_close_tessarin
read -r X Y < <(wintree --tree "$LOGGER" | awk -F'\t' "$TREE_FIELDS"'{ print f["cx"] + 20, f["cy"] + 20 }')
click_at "$X" "$Y"
timeout 10 xdotool key Print b
check "after the program ends the logger sees b" tsn_wait_for 10 logged_both $VK_B
check "and Print Screen again, pressed and released" logged_both $VK_SNAPSHOT
cp "$LOG" "$JOURNEY_ARTIFACTS/keys.log"

check "the logger closes" wintree --close "$LOGGER"
check "the logger ends" tsn_wait_exit "$LOGGER_PID" 30
journey_end
