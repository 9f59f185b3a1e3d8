#!/usr/bin/env bash
# Injection knows its target: a program that is busy for a moment after the click still gets
# every character in the clicked field; a release over the bare desktop types nothing, keeps
# the password and says so; a window that closes after the first character stops the typing,
# keeps the password and says how far it got.
source "$(dirname "$0")/journey.sh"
journey_begin inject_targets

journey_settings "Drag Drop Mode=Inject" "Keep Password after Drag Drop=False"
BUSY_TEXT="Busy+7{x}"

# inject_into X Y: selects the whole password and injects it by a drag released at X Y.
inject_into() { select_all masked && drag_from_box masked "$1" "$2"; }
# The keyboard opens anywhere and a target at the bottom left: the keyboard moves to the top
# right, so that neither covers the other's text box.
keyboard_clear_of_target() { move_keyboard 600 20 && tsn_wait_for 30 cover_over_keys; }

require "a target busy for 200 ms after each click starts" start_target --busy 200
journey_open_tessarin
require "the cover is over the keys" tsn_wait_for 30 cover_over_keys
require "the keyboard moves clear of the target" keyboard_clear_of_target
read -r TARGET_X TARGET_Y <<<"$(edit_centre "$TARGET")"
require "the target's text box is found" test -n "$TARGET_Y"
read -r DESKTOP_X DESKTOP_Y <<<"$(desktop_point)"
require "a place with no window is found" test -n "$DESKTOP_Y"

require "a password is entered" type_on_screen "$BUSY_TEXT"
require "it is injected into the busy target" inject_into "$TARGET_X" "$TARGET_Y"
check "the busy target shows exactly the password" tsn_wait_for 15 edit_text_is "$TARGET" "$BUSY_TEXT"
check "no message: success says nothing" tsn_holds 1000 tsn_window_gone Tessarin
check "the target closes" close_program "$TARGET" "$TARGET_PID"

require "the keyboard comes back" restore_keyboard
require "a password is entered" type_on_screen "kept9"
require "it is dragged to the bare desktop and released" inject_into "$DESKTOP_X" "$DESKTOP_Y"
check "a message says there was no window" not_delivered_box_says "no window under the pointer"
check "screenshot of the message" tsn_screenshot "$JOURNEY_ARTIFACTS/1-no-window.png"
require "the message is answered" answer_box Tessarin Return
check "the password is still there" wait_equals 10 "$(stars 5)" shown_text

require "a target that closes after its first character starts" start_target --close-early
require "the keyboard is clear of it" keyboard_clear_of_target
read -r TARGET_X TARGET_Y <<<"$(edit_centre "$TARGET")"
require "the password is injected into it" inject_into "$TARGET_X" "$TARGET_Y"
check "a message says typing stopped part-way" not_delivered_box_says "Typing stopped after"
check "screenshot of the message" tsn_screenshot "$JOURNEY_ARTIFACTS/2-stopped.png"
require "the message is answered" answer_box Tessarin Return
check "the target got one character" equals "$(target_last change text)" "k"
check "the target is gone" tsn_wait_exit "$TARGET_PID" 30
check "the password is still there" wait_equals 10 "$(stars 5)" shown_text

journey_close_tessarin

journey_end
