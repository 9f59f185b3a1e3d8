#!/usr/bin/env bash
# "Save current layout..." writes the English layout through the real Save As dialog: the file
# holds the keys the window shows, "=" and "+" on the last key of the top row, and reads back
# through "Import a Layout..." as the same layout. Cancelling the dialog writes nothing.
source "$(dirname "$0")/journey.sh"
journey_begin layout_save

SAVED=$JOURNEY_DIR/mine.lng

top_row() { key_captions "$KEYBOARD" 1 13; }
file_row() { ini_row "$1" "$2" 13; }
lng_files() { find "$JOURNEY_DIR" -maxdepth 1 -name '*.lng' | wc -l; }
# The program writes entry by entry and the profile functions rewrite the file each time: the
# file is complete once its last entry, the Shift caption, is in it.
layout_written() { ini_get "$1" "Action Keyboard Button Text" Shift >/dev/null; }

journey_open_tessarin
cp "$JOURNEY_DIR/tsnconfig.ini" "$JOURNEY_ARTIFACTS/tsnconfig.before.ini"
english=$(top_row)
check "the top row shows the English keys" equals "$(cut -d' ' -f12- <<<"$english")" "- ="

menu_pick k 4
check "cancelling Save As closes it" file_dialog "Save As" ""
check "cancelling writes no layout file" equals "$(lng_files)" 0
check "nor a settings change" cmp "$JOURNEY_DIR/tsnconfig.ini" "$JOURNEY_ARTIFACTS/tsnconfig.before.ini"

menu_pick k 4
tsn_wait_window "Save As" 15 && tsn_screenshot "$JOURNEY_ARTIFACTS/save-as.png"
check "a name typed into Save As is taken" file_dialog "Save As" "mine.lng"
require "the layout file is written beside the exe" tsn_wait_for 10 layout_written "$SAVED"
cp "$SAVED" "$JOURNEY_ARTIFACTS/"
check "[Row 1 Lower Case] Key 13 is =" equals "$(ini_get "$SAVED" "Row 1 Lower Case" "Key 13")" "="
check "[Row 1 Upper Case] Key 13 is +" equals "$(ini_get "$SAVED" "Row 1 Upper Case" "Key 13")" "+"
check "[Row 1 Upper Case] starts ~ ! @" equals "$(file_row "$SAVED" "Row 1 Upper Case" | cut -d' ' -f1-3)" "~ ! @"
check "the lower-case top row is the one on screen" equals "$(file_row "$SAVED" "Row 1 Lower Case")" "$english"
check "94 key entries and 5 captions" equals "$(ini_entries "$SAVED" "${LAYOUT_SECTIONS[@]}" | wc -l)" 99
check "no other layout file was written" equals "$(lng_files)" 1
check "saving a layout leaves the settings file alone" \
  cmp "$JOURNEY_DIR/tsnconfig.ini" "$JOURNEY_ARTIFACTS/tsnconfig.before.ini"

# Read it back: another layout first, so that the import has something to undo.
menu_pick k 3
check "German is imported" file_dialog "Open" 'layouts\german.lng'
check "the top row changes to German" \
  wait_equals 10 "$(file_row "$(as_utf8 "$JOURNEY_DIR/layouts/german.lng")" "Row 1 Lower Case")" top_row
menu_pick k 3
check "the saved file is imported" file_dialog "Open" "mine.lng"
check "the top row is English again" wait_equals 10 "$english" top_row

journey_close_tessarin

journey_end
