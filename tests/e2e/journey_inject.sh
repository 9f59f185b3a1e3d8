#!/usr/bin/env bash
# Injection with the real mouse: the same drag gesture, released over Wine's own notepad, over
# WordPad's rich edit box and over a text box that is an OLE drop target, types the password there,
# including the characters that key-sending tools treat specially. The drag itself carries no
# text and drops nothing, and the clipboard is never touched. All this while the program lets
# other programs only wait for it, ask its name and end it: none can read or write its memory,
# start a thread in it, suspend it or change that; its Open dialog still opens, and another
# program ends it as Task Manager does.
source "$(dirname "$0")/journey.sh"
journey_begin inject

journey_settings "Drag Drop Mode=Inject" "Keep Password after Drag Drop=True"
SENTINEL="clipboard sentinel $RANDOM"
PASSWORD="p+^%~(){}X&"

# Both targets start first, so that the keyboard window opens above them.
journey_start notepad.exe
NOTEPAD_PID=$JOURNEY_PID
require "notepad starts" tsn_wait_window "$NOTEPAD" 60
journey_start "C:\\Program Files\\Windows NT\\Accessories\\wordpad.exe"
WORDPAD_PID=$JOURNEY_PID
require "WordPad starts" tsn_wait_window "$WORDPAD" 60
require "WordPad moves clear of the other two" wintree --move "$WORDPAD" 640 40
require "the target program starts" start_target
journey_open_tessarin
# Once the program is up: under Wine, starting a program from another one (launch.exe) can
# leave the clipboard empty, whatever the program does.
require "a sentinel is put on the clipboard" clipboard_set "$SENTINEL"
require "the cover is over the keys" tsn_wait_for 30 cover_over_keys
read -r NOTEPAD_X NOTEPAD_Y <<<"$(edit_centre "$NOTEPAD")"
read -r TARGET_X TARGET_Y <<<"$(edit_centre "$TARGET")"
read -r WORDPAD_X WORDPAD_Y <<<"$(edit_centre "$WORDPAD")"
require "the three text boxes are found" test -n "$NOTEPAD_Y" -a -n "$TARGET_Y" -a -n "$WORDPAD_Y"
# (Changing the access list is refused on Windows; Wine lets the owner do it whatever the list
# says, so that is proved on the list itself, by the Win32 tests.)
check "another program gets no right to its memory, threads or handles" equals \
  "$(access_rights "$KEYBOARD" vm_read vm_write vm_operation create_thread dup_handle suspend_resume query_information)" \
  "0 0 0 0 0 0 0"
check "it may wait for it, ask its name and end it" equals \
  "$(access_rights "$KEYBOARD" synchronize query_limited_information terminate)" "1 1 1"

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
require "it is dragged onto WordPad and released" drag_from_box masked "$WORDPAD_X" "$WORDPAD_Y"
check "WordPad shows exactly the password" tsn_wait_for 15 edit_text_is "$WORDPAD" "$PASSWORD"
check "screenshot of WordPad" tsn_screenshot "$JOURNEY_ARTIFACTS/2-wordpad.png"

require "the keyboard comes back" restore_keyboard
require "a double click selects it" select_all masked
require "it is dragged onto the target and released" \
  drag_from_box masked "$TARGET_X" "$TARGET_Y" target_count_above enter 0
check "the target's box shows exactly the password" tsn_wait_for 15 edit_text_is "$TARGET" "$PASSWORD"
check "the drag passed over the target but dropped nothing there" equals "$(target_count drop)" 0
check "one change per character" equals "$(target_count change)" "${#PASSWORD}"
check "screenshot of the target" tsn_screenshot "$JOURNEY_ARTIFACTS/3-target.png"

check "the clipboard still holds the sentinel" clipboard_holds "$SENTINEL"
check "the target closes" close_program "$TARGET" "$TARGET_PID"
check "notepad closes without saving" close_unsaved_notepad "$NOTEPAD_PID"
check "WordPad closes without saving" close_unsaved_wordpad "$WORDPAD_PID"
require "the keyboard comes back" restore_keyboard
menu_pick k 3
check "Keyboard Layout > Import a Layout... opens the Open dialog, Escape cancels it" file_dialog "Open" ""
check "another program ends it through a handle for that right alone" wintree --end "$KEYBOARD"
check "the process ends" tsn_wait_exit "$TESSARIN_PID" 30
check "with the exit status given" equals "${TSN_EXIT_STATUS:-still running}" 1

journey_end
