#!/usr/bin/env bash
# "Import a Layout..." of a shipped layout file changes the key captions and copies the layout
# into tsnconfig.ini with "Keyboard Layout=Config"; a restart shows it again; "English Layout"
# restores the English keys and "Load Last Imported Layout" brings the import back. Cancelling
# the Open dialog changes nothing.
source "$(dirname "$0")/journey.sh"
journey_begin layout_import

INI=$JOURNEY_DIR/tsnconfig.ini
SNAPSHOT=$JOURNEY_ARTIFACTS/tsnconfig.snapshot.ini

all_keys() { key_captions "$KEYBOARD" 1 65; }
# The key buttons that carry the five action captions (both Shift keys among them), found by
# their English captions at start; the others carry characters.
action_lines() { key_caption_lines "$KEYBOARD" | head -n 65 | grep -nxE 'bksp|tab|cap|ent|shft' | cut -d: -f1 | paste -sd,; }
# keys_where in|out: the captions of the action keys, or of all the others.
keys_where() {
  key_caption_lines "$KEYBOARD" | head -n 65 |
    awk -v lines=",$ACTION_LINES," -v want="$1" '(index(lines, "," NR ",") > 0) == (want == "in")' | paste -sd'|'
}
top_row() { key_captions "$KEYBOARD" 1 13; }
backspace() { key_captions "$KEYBOARD" 15 15; }
layout_setting() { ini_get "$INI" Settings "Keyboard Layout"; }
layout_in_settings() { ini_entries "$INI" "${LAYOUT_SECTIONS[@]}" | sort; }

# cancel_import WHAT: opens the Open dialog, cancels it, and checks that nothing changed.
cancel_import() {
  local keys_before
  keys_before=$(all_keys)
  [ -e "$INI" ] && cp "$INI" "$SNAPSHOT"
  menu_pick k 3
  check "$1: Escape cancels the Open dialog" file_dialog "Open" ""
  check "$1: the keys are unchanged" equals "$(all_keys)" "$keys_before"
  if [ -e "$SNAPSHOT" ]; then
    check "$1: tsnconfig.ini is unchanged" cmp "$INI" "$SNAPSHOT"
  else
    check "$1: no tsnconfig.ini is written" test ! -e "$INI"
  fi
}

journey_open_tessarin
english=$(all_keys)
ACTION_LINES=$(action_lines)
require "six action keys are found" equals "$(tr ',' '\n' <<<"$ACTION_LINES" | wc -l)" 6
english_characters=$(keys_where out)
GERMAN=$JOURNEY_DIR/layouts/german.lng
require "the German layout file is beside the exe" test -s "$GERMAN"
german=$(as_utf8 "$GERMAN")
require "the German top row differs from the English one" \
  test "$(ini_row "$german" "Row 1 Lower Case" 13)" != "$(top_row)"

cancel_import "cancelled with nothing imported"

menu_pick k 3
tsn_wait_window "Open" 15 && tsn_screenshot "$JOURNEY_ARTIFACTS/open.png"
check "German is imported through the Open dialog" file_dialog "Open" 'layouts\german.lng'
check "the top row shows the German keys" wait_equals 10 "$(ini_row "$german" "Row 1 Lower Case" 13)" top_row
check "Backspace shows the German caption" equals "$(backspace)" "$(ini_get "$german" "Action Keyboard Button Text" Backspace)"
imported=$(all_keys)
imported_actions=$(keys_where in)
check "screenshot with the German keys" tsn_screenshot "$JOURNEY_ARTIFACTS/german.png"
check "Keyboard Layout is Config" wait_equals 10 Config layout_setting
check "the layout is copied into tsnconfig.ini entry for entry" \
  equals "$(layout_in_settings)" "$(ini_entries "$GERMAN" "${LAYOUT_SECTIONS[@]}" | sort)"
check "all 99 entries of it" equals "$(layout_in_settings | wc -l)" 99

cancel_import "cancelled after an import"

journey_close_tessarin
require "the program has ended before it starts again" tsn_pid_ended "$TESSARIN_PID"
journey_open_tessarin
check "after a restart the keys are the imported ones" wait_equals 10 "$imported" all_keys

menu_pick k 1
check "English Layout: the English characters are back" wait_equals 10 "$english_characters" keys_where out
# The English choice sets characters only; the captions stay those last read.
check "English Layout: the action keys keep the imported captions" equals "$(keys_where in)" "$imported_actions"
check "English Layout: Keyboard Layout is English" wait_equals 10 English layout_setting
check "English Layout: the imported copy stays in tsnconfig.ini" \
  equals "$(layout_in_settings)" "$(ini_entries "$GERMAN" "${LAYOUT_SECTIONS[@]}" | sort)"

menu_pick k 2
check "Load Last Imported Layout: the imported keys are back" wait_equals 10 "$imported" all_keys
check "Load Last Imported Layout: Keyboard Layout is Config" wait_equals 10 Config layout_setting

journey_close_tessarin

journey_end
