#!/usr/bin/env bash
# Drag and drop delivery with the real mouse. A password with the characters that key-sending
# tools treat specially (+ ^ % ~ ( ) { } &) and a letter of the German layout (imported through
# the settings file) is entered with the on-screen keys and dragged whole onto another
# program's text box, which gets exactly that text as Unicode and as ANSI text and no other
# format. Without "Keep Password after Drag Drop" the password is gone afterwards; with it, it
# stays. A part selected with the mouse goes alone and is cut out of the password, also when the
# drag starts on the right quarter of its last character. The
# clipboard is never touched, except that a right press in the password box empties it.
source "$(dirname "$0")/journey.sh"
journey_begin drag

LAYOUTS=$(dirname "$TSN_EXE")/layouts
INI=$JOURNEY_DIR/tsnconfig.ini
# The layout sections of a layout file hold the last imported layout in the settings file.
journey_settings "Keyboard Layout=Config" "Keep Password after Drag Drop=False"
cat "$LAYOUTS/german.lng" >>"$INI"
SENTINEL="clipboard sentinel $RANDOM"
GERMAN_PART="Kü+^%()"
ENGLISH_PART="~{}&"
PASSWORD=$GERMAN_PART$ENGLISH_PART

grip_at_end() { DRAG_AT=end "$@"; }

require "the German layout is shipped" test -f "$LAYOUTS/german.lng"
require "the target program starts" start_target
journey_open_tessarin
# Once the program is up: under Wine, starting a program from another one (launch.exe) can
# leave the clipboard empty, whatever the program does.
require "a sentinel is put on the clipboard" clipboard_set "$SENTINEL"
require "the cover is over the keys" tsn_wait_for 30 cover_over_keys
ACP=$(target_last ready acp)
read -r TARGET_X TARGET_Y <<<"$(edit_centre "$TARGET")"
require "the target's text box is found" test -n "$TARGET_Y"

# The whole password, without keeping it.
check "the imported German layout is on the keys" key_shown "ü"
require "the German part is entered" type_on_screen "$GERMAN_PART"
require "the box shows one star per character" tsn_wait_for 20 text_is "$(stars 7)"
require "English Layout is chosen from the menu" menu_keys alt+k Down Return
require "the keys show the English layout" tsn_wait_for 15 key_shown "["
require "the English part is entered" type_on_screen "$ENGLISH_PART"
require "the box shows one star per character" tsn_wait_for 20 text_is "$(stars 11)"
check "screenshot of the typed password" tsn_screenshot "$JOURNEY_ARTIFACTS/1-typed.png"
require "a double click selects the whole password" select_all masked
require "the password is dragged onto the target" \
  drag_from_box masked "$TARGET_X" "$TARGET_Y" target_count_above enter 0
require "the target takes the drop" tsn_wait_for 15 target_count_above drop 0
check "the target got exactly the password as Unicode text" equals "$(target_last drop unicode)" "$PASSWORD"
check "and exactly the password as ANSI text" equals "$(target_last drop ansi)" "$(ansi_hex "$PASSWORD" "$ACP")"
check "only Unicode and ANSI text are offered" equals "$(target_last drop formats)" "CF_UNICODETEXT,CF_TEXT"
check "copy and move are allowed" equals "$(target_last drop allowed)" 3
check "the target's box shows the password" tsn_wait_for 10 edit_text_is "$TARGET" "$PASSWORD"
check "screenshot of the delivered password" tsn_screenshot "$JOURNEY_ARTIFACTS/2-delivered.png"
require "the keyboard comes back" restore_keyboard
check "the password box is empty afterwards" tsn_wait_for 10 text_is ""

# Keeping the password: a whole drag leaves it; two characters selected with the mouse go
# alone and leave it too.
require "Keep Password after Drag Drop is switched on from the menu" menu_keys alt+o k
check "the choice is saved" tsn_wait_for 10 grep -q "^Keep Password after Drag Drop=True" "$INI"
require "a six-character password is entered" type_on_screen "q7(W)e"
require "the box shows six stars" tsn_wait_for 20 text_is "$(stars 6)"
require "a double click selects it" select_all masked
require "it is dragged whole" drag_from_box masked "$TARGET_X" "$TARGET_Y" target_count_above enter 1
require "the target takes the drop" tsn_wait_for 15 target_count_above drop 1
check "the target got the six characters" equals "$(target_last drop unicode)" "q7(W)e"
require "the keyboard comes back" restore_keyboard
check "the kept password still shows six stars" tsn_wait_for 10 text_is "$(stars 6)"
require "the third and fourth characters are selected with the mouse" select_range masked 2 4
require "they are dragged from the right quarter of the fourth" \
  grip_at_end drag_from_box masked "$TARGET_X" "$TARGET_Y" target_count_above enter 2
require "the target takes the drop" tsn_wait_for 15 target_count_above drop 2
check "the target got those two characters" equals "$(target_last drop unicode)" "(W"
require "the keyboard comes back" restore_keyboard
check "the kept password still shows six stars" tsn_wait_for 10 text_is "$(stars 6)"

# Without keeping: the dragged part is cut out, and the rest is what a whole drag delivers next.
require "Keep Password after Drag Drop is switched off again" menu_keys alt+o k
check "the choice is saved" tsn_wait_for 10 grep -q "^Keep Password after Drag Drop=False" "$INI"
require "the third and fourth characters are selected again" select_range masked 2 4
require "they are dragged" drag_from_box masked "$TARGET_X" "$TARGET_Y" target_count_above enter 3
require "the target takes the drop" tsn_wait_for 15 target_count_above drop 3
check "the target got those two characters" equals "$(target_last drop unicode)" "(W"
require "the keyboard comes back" restore_keyboard
check "the box shows four stars, never a character" tsn_wait_for 10 text_is "$(stars 4)"
check "the caret sits where the part was cut out" box_selection_is masked 2,2
check "screenshot after the partial drag" tsn_screenshot "$JOURNEY_ARTIFACTS/3-partial.png"
require "a double click selects the rest" select_all masked
require "the rest is dragged" drag_from_box masked "$TARGET_X" "$TARGET_Y" target_count_above enter 4
require "the target takes the drop" tsn_wait_for 15 target_count_above drop 4
check "the rest is the first two and the last two characters" equals "$(target_last drop unicode)" "q7)e"
require "the keyboard comes back" restore_keyboard
check "the password box is empty" tsn_wait_for 10 text_is ""

check "the clipboard still holds the sentinel" clipboard_holds "$SENTINEL"
read -r BOX_X BOX_Y < <(box_centre "$(tree_of "$KEYBOARD")")
point_at "$BOX_X" "$BOX_Y" && xdo click 3
check "a right press in the password box empties the clipboard" tsn_wait_for 10 clipboard_empty

check "the target closes" close_program "$TARGET" "$TARGET_PID"
journey_close_tessarin

journey_end
