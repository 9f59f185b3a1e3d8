#!/usr/bin/env bash
# Injection with the real mouse: the same drag gesture, released over Wine's own notepad and
# over a text box that is an OLE drop target, types the password there character by character,
# including the characters that key-sending tools treat specially. The drag itself carries no
# text, and the clipboard is never touched.
source "$(dirname "$0")/journey.sh"
journey_begin inject

journey_settings "Drag Drop Mode=Inject" "Keep Password after Drag Drop=True"
SENTINEL="clipboard sentinel $RANDOM"
PASSWORD="p+^%~(){}X&"

require "a sentinel is put on the clipboard" clipboard_set "$SENTINEL"
# Both targets start first, so that the keyboard window opens above them.
journey_start notepad.exe
NOTEPAD_PID=$JOURNEY_PID
require "notepad starts" tsn_wait_window "$NOTEPAD" 60
require "the target program starts" start_target
journey_open_tessarin
require "the cover is over the keys" tsn_wait_for 30 cover_over_keys
read -r NOTEPAD_X NOTEPAD_Y <<<"$(edit_centre "$NOTEPAD")"
read -r TARGET_X TARGET_Y <<<"$(edit_centre "$TARGET")"
require "both text boxes are found" test -n "$NOTEPAD_Y" -a -n "$TARGET_Y"

require "the password is entered" type_on_screen "$PASSWORD"
require "the box shows one star per character" tsn_wait_for 20 text_is "$(stars ${#PASSWORD})"
require "a double click selects it" select_all masked
require "it is dragged onto notepad" drag_and_hold masked "$NOTEPAD_X" "$NOTEPAD_Y"
check "screenshot of the note naming notepad" tsn_screenshot "$JOURNEY_ARTIFACTS/0-note.png"
xdo mouseup 1
require "the drag ends" tsn_wait_for 15 note_gone
check "notepad shows exactly the password" tsn_wait_for 15 edit_text_is "$NOTEPAD" "$PASSWORD"
check "screenshot of notepad" tsn_screenshot "$JOURNEY_ARTIFACTS/1-notepad.png"

require "the keyboard comes back" restore_keyboard
check "the kept password still shows" tsn_wait_for 10 text_is "$(stars ${#PASSWORD})"
require "a double click selects it" select_all masked
require "it is dragged onto the target and released" \
  drag_from_box masked "$TARGET_X" "$TARGET_Y" target_count_above enter 0
check "the target's box shows exactly the password" tsn_wait_for 15 edit_text_is "$TARGET" "$PASSWORD"
check "the drag itself carried no text" equals "$(target_last drop unicode)" ""
check "one change per character, all after the drop" \
  equals "$(awk -F'\t' '$1 == "drop" { n = 0 } $1 == "change" { n++ } END { print n }' "$TARGET_LOG")" "${#PASSWORD}"
check "screenshot of the target" tsn_screenshot "$JOURNEY_ARTIFACTS/2-target.png"

check "the clipboard still holds the sentinel" equals "$(clipboard_text)" "$SENTINEL"
check "the target closes" close_program "$TARGET" "$TARGET_PID"
check "notepad closes without saving" close_unsaved_notepad "$NOTEPAD_PID"
require "the keyboard comes back" restore_keyboard
journey_close_tessarin

journey_end
