#!/usr/bin/env bash
# The plain text box with the mask off: text typed on the physical keyboard is what a drag
# from the box delivers, and the box is empty afterwards. The physical Shift key switches the
# captions, also pressed or released while Alt is held. The clipboard is never touched.
source "$(dirname "$0")/journey.sh"
journey_begin plain

journey_settings "View Password Mask=False"
SENTINEL="clipboard sentinel $RANDOM"

require "a sentinel is put on the clipboard" clipboard_set "$SENTINEL"
require "the target program starts" start_target
journey_open_tessarin
require "the cover is over the keys" tsn_wait_for 30 cover_over_keys
read -r TARGET_X TARGET_Y <<<"$(edit_centre "$TARGET")"
require "the target's text box is found" test -n "$TARGET_Y"
require "the plain text box is shown" test "$(count_edits "$(tree_of "$KEYBOARD")" plain shown)" = 1
read -r BOX_X BOX_Y < <(box_centre "$(tree_of "$KEYBOARD")")
click_at "$BOX_X" "$BOX_Y" && xdo type --delay 60 abc
require "text typed on the keyboard appears in the box" tsn_wait_for 20 text_is abc
check "screenshot of the typed text" tsn_screenshot "$JOURNEY_ARTIFACTS/1-typed.png"
upper() { key_shown A; }
lower() { key_shown a; }
xdo keydown Shift_L
check "holding Shift shows the upper-case captions" tsn_wait_for 10 upper
xdo keydown Alt_L
xdo keyup Shift_L
check "Shift released while Alt is held shows the lower-case ones" tsn_wait_for 10 lower
xdo keydown Shift_L
check "Shift pressed while Alt is held shows the upper-case ones" tsn_wait_for 10 upper
xdo keyup Alt_L
xdo keyup Shift_L
check "Shift released after Alt shows the lower-case ones" tsn_wait_for 10 lower
xdo key Escape
require "a double click selects it" select_all plain
require "it is dragged onto the target" drag_from_box plain "$TARGET_X" "$TARGET_Y" target_count_above enter 0
require "the target takes the drop" tsn_wait_for 15 target_count_above drop 0
check "the target got exactly the typed text" equals "$(target_last drop unicode)" abc
check "the target's box shows it" tsn_wait_for 10 edit_text_is "$TARGET" abc
check "screenshot of the delivered text" tsn_screenshot "$JOURNEY_ARTIFACTS/2-delivered.png"
require "the keyboard comes back" restore_keyboard
check "the plain text box is empty afterwards" tsn_wait_for 10 text_is ""
check "the clipboard still holds the sentinel" clipboard_holds "$SENTINEL"

check "the target closes" close_program "$TARGET" "$TARGET_PID"
journey_close_tessarin

journey_end
