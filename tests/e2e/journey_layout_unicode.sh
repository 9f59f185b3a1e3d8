#!/usr/bin/env bash
# A layout beyond the ANSI code page: a UTF-8 file with Greek letters and a character outside
# the BMP is imported through the Open dialog, and its copy in tsnconfig.ini (now a UTF-16 file)
# brings the same keys back after a restart with "Keyboard Layout=Config", where clicking them
# enters exactly those characters, which arrive whole when dropped onto a program and when typed
# into notepad, and after "English Layout" then "Load Last Imported Layout".
# A layout saved into a folder with a Greek name and imported from there keeps them too.
source "$(dirname "$0")/journey.sh"
journey_begin layout_unicode

INI=$JOURNEY_DIR/tsnconfig.ini
FOLDER=Διάταξη
GREEK_KEYS="α β 𝛀 ω"   # Key 1 to Key 4 of row 2 (q w e r in English)
ENGLISH_KEYS="q w e r"

row2_keys() { key_captions "$KEYBOARD" 17 20; }
layout_setting() { ini_get "$INI" Settings "Keyboard Layout"; }
# captions_written FILE: the action key captions, which a layout file gets last, are in it.
captions_written() { ini_get "$1" "Action Keyboard Button Text" Shift >/dev/null; }

printf '\xEF\xBB\xBF[Row 2 Lower Case]\r\nKey 1=α\r\nKey 2=β\r\nKey 3=𝛀\r\nKey 4=ω\r\n' \
  >"$JOURNEY_DIR/greek-utf8.lng"
journey_settings "View Password Mask=False"
journey_open_tessarin
require "row 2 starts with the English keys" equals "$(row2_keys)" "$ENGLISH_KEYS"

menu_pick k 3
check "the UTF-8 file is imported through the Open dialog" file_dialog "Open" "greek-utf8.lng"
check "row 2 shows the Greek keys and the one outside the BMP" wait_equals 10 "$GREEK_KEYS" row2_keys
check "screenshot with the Greek keys" tsn_screenshot "$JOURNEY_ARTIFACTS/greek.png"
check "Keyboard Layout is Config" wait_equals 10 Config layout_setting
check "tsnconfig.ini has become a UTF-16 file" equals "$(file_mark "$INI")" fffe
check "its copy of the layout holds every character" \
  equals "$(ini_row "$INI" "Row 2 Lower Case" 4)" "$GREEK_KEYS"
check "the earlier settings are still in it" equals "$(ini_get "$INI" Settings "View Password Mask")" False
cp "$INI" "$JOURNEY_ARTIFACTS/tsnconfig.ini"

journey_close_tessarin
require "the program has ended before it starts again" tsn_pid_ended "$TESSARIN_PID"
# Two programs to deliver to, started first so that the keyboard opens above them.
journey_start notepad.exe
NOTEPAD_PID=$JOURNEY_PID
require "notepad starts" tsn_wait_window "$NOTEPAD" 60
require "the target program starts" start_target
journey_open_tessarin
check "after a restart row 2 shows the Greek keys" wait_equals 10 "$GREEK_KEYS" row2_keys
check "the text box starts empty" text_is ""
check "the Greek keys and the one outside the BMP are clicked" type_on_screen "αβ𝛀ω"
check "the plain box holds exactly those characters" tsn_wait_for 15 text_is "αβ𝛀ω"

# Delivered whole both ways: dropped onto the target, then typed into notepad.
read -r NOTEPAD_X NOTEPAD_Y <<<"$(edit_centre "$NOTEPAD")"
read -r TARGET_X TARGET_Y <<<"$(edit_centre "$TARGET")"
require "Options > Keep Password after Drag Drop" menu_pick o 1
require "a double click selects the password" select_all plain
require "it is dropped onto the target" drag_from_box plain "$TARGET_X" "$TARGET_Y"
check "the target holds exactly those characters" tsn_wait_for 15 edit_text_is "$TARGET" "αβ𝛀ω"
require "the keyboard comes back" restore_keyboard
require "Options > Injection Mode" menu_pick o 4
require "a double click selects the password" select_all plain
require "it is injected into notepad" drag_from_box plain "$NOTEPAD_X" "$NOTEPAD_Y"
check "notepad holds exactly those characters" tsn_wait_for 15 edit_text_is "$NOTEPAD" "αβ𝛀ω"
check "screenshot of notepad" tsn_screenshot "$JOURNEY_ARTIFACTS/notepad.png"
check "notepad closes without saving" close_unsaved_notepad "$NOTEPAD_PID"
check "the target closes" close_program "$TARGET" "$TARGET_PID"
require "the keyboard comes back" restore_keyboard

menu_pick k 1
check "English Layout: row 2 is English again" wait_equals 10 "$ENGLISH_KEYS" row2_keys
menu_pick k 2
check "Load Last Imported Layout: the Greek keys are back" wait_equals 10 "$GREEK_KEYS" row2_keys

mkdir -p "$JOURNEY_DIR/$FOLDER"
menu_pick k 4
check "Save As takes a file in a folder with a Greek name" file_dialog "Save As" "$FOLDER\\mine.lng"
SAVED=$JOURNEY_DIR/$FOLDER/mine.lng
require "the layout file is written into that folder" tsn_wait_for 10 test -s "$SAVED"
# The captions are written last.
check "all of it" tsn_wait_for 10 captions_written "$SAVED"
cp "$SAVED" "$JOURNEY_ARTIFACTS/"
check "the saved file is UTF-16" equals "$(file_mark "$SAVED")" fffe
check "it holds every character of row 2" equals "$(ini_row "$SAVED" "Row 2 Lower Case" 4)" "$GREEK_KEYS"

menu_pick k 1
check "English Layout before loading the saved file" wait_equals 10 "$ENGLISH_KEYS" row2_keys
menu_pick k 3
check "the saved file is imported from that folder" file_dialog "Open" "$FOLDER\\mine.lng"
check "row 2 shows the Greek keys again" wait_equals 10 "$GREEK_KEYS" row2_keys

journey_close_tessarin

journey_end
