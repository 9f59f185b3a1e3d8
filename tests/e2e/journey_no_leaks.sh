#!/usr/bin/env bash
# The password goes only where the user drops it, and nothing the user typed is thrown away:
# no key copies or cuts the plain box to the clipboard; a drop onto the bare desktop keeps the
# password and says so; with "Give Password Only on Drop" a target that reads the drag while
# the pointer passes over it reads nothing until the drop; text dragged from another program
# onto the password box is refused, so that program keeps it; Escape during an injection drag
# types nothing.
source "$(dirname "$0")/journey.sh"
journey_begin no_leaks

INI=$JOURNEY_DIR/tsnconfig.ini
SOURCE="Tessarin E2E Source"
SOURCE_TEXT="text of another program"
journey_settings "Keep Password after Drag Drop=False"

source_text() { control_field "$SOURCE" Edit 1 text; }
window_under_pointer_is() {
  local X Y SCREEN WINDOW
  eval "$(xdo getmouselocation --shell)"
  wintree --at "$X" "$Y" | grep -q $'\tcaption='"$1"$'\t'
}

require "the target program starts, reading the drag on every move" start_target --peek
journey_start "$TSN_SOURCE" source.log "$SOURCE_TEXT"
SOURCE_PID=$JOURNEY_PID
require "the source program starts" tsn_wait_window "$SOURCE" 30
journey_open_tessarin
require "the cover is over the keys" tsn_wait_for 30 cover_over_keys
read -r TARGET_X TARGET_Y <<<"$(edit_centre "$TARGET")"
read -r DESKTOP_X DESKTOP_Y <<<"$(desktop_point)"
require "a place with no window is found" test -n "$DESKTOP_Y"

# The clipboard: with the mask off, every copy and cut key leaves the sentinel in place.
SENTINEL="clipboard sentinel $RANDOM"
require "a sentinel is put on the clipboard" clipboard_set "$SENTINEL"
require "the mask goes off" menu_keys ctrl+m
require "the plain box is shown" wait_equals 10 "" shown_text
point_at_keyboard && xdo type --delay 50 'Secret7'
require "the plain box holds the typed password" wait_equals 10 Secret7 shown_text
for keys in "ctrl+a ctrl+c" "ctrl+a ctrl+Insert" "ctrl+a ctrl+x" "ctrl+a shift+Delete"; do
  menu_keys $keys
  check "after $keys the clipboard still holds the sentinel" clipboard_holds "$SENTINEL"
  check "after $keys the plain box still holds the password" wait_equals 5 Secret7 shown_text
done
require "the mask goes on again" menu_keys ctrl+m
require "the masked box shows seven stars" wait_equals 10 "$(stars 7)" shown_text

# A drop where nothing takes it keeps the password and says so.
require "a double click selects the password" select_all masked
require "it is dragged onto the bare desktop and released" drag_from_box masked "$DESKTOP_X" "$DESKTOP_Y"
check "a message says that nothing took it" not_delivered_box_says "Nothing took the password"
check "screenshot of the message" tsn_screenshot "$JOURNEY_ARTIFACTS/1-not-delivered.png"
require "the message is answered" answer_box Tessarin Return
check "the keyboard is back" tsn_wait_for 15 cover_over_keys
check "the password is still there" wait_equals 10 "$(stars 7)" shown_text

# Given only on drop: the target reads nothing while the pointer passes, the text on the drop.
require "Give Password Only on Drop is switched on from the menu" menu_keys alt+o g
check "the choice is saved" tsn_wait_for 10 grep -q "^Give Password Only on Drop=True" "$INI"
require "a double click selects the password" select_all masked
# The drag to the bare desktop may have passed over the target, which then read the password
# as it may: only what it reads from here on counts.
PEEKS_BEFORE=$(target_count peek)
drag_and_hold masked "$TARGET_X" "$TARGET_Y" target_count_above peek "$PEEKS_BEFORE"
HELD=$?
xdo mousemove $((TARGET_X + 8)) "$TARGET_Y" mousemove $((TARGET_X + 16)) "$TARGET_Y" mouseup 1
require "the password was dragged onto the target" test $HELD = 0
require "the target takes the drop" tsn_wait_for 15 target_count_above drop 0
check "the target read nothing before the drop" \
  equals "$(grep $'^peek\t' "$TARGET_LOG" | tail -n +$((PEEKS_BEFORE + 1)) | grep -vc $'\tunicode=-$')" 0
check "the drop gave it the password" equals "$(target_last drop unicode)" Secret7
check "the target's box shows it" tsn_wait_for 10 edit_text_is "$TARGET" Secret7
require "the keyboard comes back" restore_keyboard
check "the delivered password is gone from the box" wait_equals 10 "" shown_text

# Text dragged from another program onto the password box is refused and stays there.
require "a password is entered" type_on_screen "ab"
read -r SOURCE_X SOURCE_Y <<<"$(edit_centre "$SOURCE")"
# The keyboard opens anywhere: it must not cover the source's box.
source_reachable() { wintree --at "$SOURCE_X" "$SOURCE_Y" | grep -q $'\tcaption=Tessarin E2E Source\t'; }
source_reachable || { move_keyboard 600 20 && tsn_wait_for 15 cover_over_keys; }
require "the source's box can be reached" source_reachable
read -r BOX_X BOX_Y < <(box_centre "$(tree_of "$KEYBOARD")")
point_at "$SOURCE_X" "$SOURCE_Y" && xdo mousedown 1
for i in 1 2 3 4 5 6 7 8; do
  xdo mousemove $((SOURCE_X + (BOX_X - SOURCE_X) * i / 8)) $((SOURCE_Y + (BOX_Y - SOURCE_Y) * i / 8))
done
check "the drag is over the password box" tsn_wait_for 10 window_under_pointer_is "$KEYBOARD"
xdo mouseup 1
check "the source's drag ended with no effect" \
  tsn_wait_for 15 grep -q $'^dragged\tresult=.*\teffect=0$' "$JOURNEY_DIR/source.log"
check "the source keeps its text" wait_equals 10 "$SOURCE_TEXT" source_text
check "the password box took nothing" wait_equals 10 "**" shown_text

# Escape during an injection drag over the target types nothing there.
require "Injection Mode is chosen from the menu" menu_pick o 4
check "the choice is saved" tsn_wait_for 10 grep -q "^Drag Drop Mode=Inject" "$INI"
CHANGES=$(target_count change)
require "a double click selects the password" select_all masked
drag_and_hold masked "$TARGET_X" "$TARGET_Y"
HELD=$?
xdo keydown Escape
check "Escape ends the drag" tsn_wait_for 15 note_gone
xdo keyup Escape
xdo mouseup 1
check "the drag reached the target" test $HELD = 0
check "a message says the drag was cancelled" not_delivered_box_says "cancelled"
require "the message is answered" answer_box Tessarin Return
changes_are() { [ "$(target_count change)" = "$1" ]; }
check "nothing was typed into the target" tsn_holds 1000 changes_are "$CHANGES"
check "the password is still there" wait_equals 10 "**" shown_text

check "the clipboard still holds the sentinel" clipboard_holds "$SENTINEL"
check "the source closes" close_program "$SOURCE" "$SOURCE_PID"
check "the target closes" close_program "$TARGET" "$TARGET_PID"
journey_close_tessarin

journey_end
