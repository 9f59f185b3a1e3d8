#!/usr/bin/env bash
# "Save setting changes in the tsnconfig.ini file" switched off: answered No, later changes
# leave tsnconfig.ini byte for byte as it was; answered Yes, only the switch itself is written,
# and after a restart changes are still not saved.
source "$(dirname "$0")/journey.sh"
journey_begin nosave

INI=$JOURNEY_DIR/tsnconfig.ini
SNAPSHOT=$JOURNEY_ARTIFACTS/tsnconfig.snapshot.ini
QUESTION="Save the change?"
SAVE_SWITCH=5 # "Save setting changes ..." is the sixth item of "Options", separators skipped

plain_shown() { wintree --tree "$KEYBOARD" >"$JOURNEY_DIR/tree.txt" && count_edits "$JOURNEY_DIR/tree.txt" plain shown; }
toolbar_shown() { control_field "$KEYBOARD" ToolbarWindow32 1 visible; }

journey_open_tessarin
menu_keys ctrl+m
require "a first change writes the settings file" wait_equals 10 False ini_get "$INI" Settings "View Password Mask"

menu_pick o $SAVE_SWITCH
check "switching saving off asks first" tsn_wait_window "$QUESTION" 15
check "screenshot of the question" tsn_screenshot "$JOURNEY_ARTIFACTS/question.png"
cp "$INI" "$SNAPSHOT"
check "No answers it" answer_box "$QUESTION" n

menu_keys ctrl+m
check "the mask comes back on" wait_equals 10 0 plain_shown
menu_pick m 1
check "hover entry is chosen" wait_equals 10 "0 1 0" mode_buttons
menu_pick v 0
check "the toolbar is hidden" wait_equals 10 0 toolbar_shown
check "after No, none of it reaches tsnconfig.ini" cmp "$INI" "$SNAPSHOT"
check "nor did the answer itself" equals "$(ini_get "$INI" Settings "Save Settings in INI")" ""

menu_pick o $SAVE_SWITCH
check "switching saving on again writes it" wait_equals 10 True ini_get "$INI" Settings "Save Settings in INI"
menu_pick o $SAVE_SWITCH
check "off again, answered Yes" answer_box "$QUESTION" Return
check "Yes writes the switch, this once" wait_equals 10 False ini_get "$INI" Settings "Save Settings in INI"
cp "$INI" "$SNAPSHOT"
menu_pick v 0
check "the toolbar is shown" wait_equals 10 1 toolbar_shown
check "after Yes, later changes do not reach tsnconfig.ini" cmp "$INI" "$SNAPSHOT"

journey_close_tessarin
require "the program has ended before it starts again" tsn_pid_ended "$TESSARIN_PID"
check "closing writes nothing" cmp "$INI" "$SNAPSHOT"

journey_open_tessarin
check "it starts unmasked, as saved before saving was switched off" wait_equals 10 1 plain_shown
menu_keys ctrl+m
check "after a restart the mask goes on" wait_equals 10 0 plain_shown
menu_pick m 1
check "and hover entry is chosen" wait_equals 10 "0 1 0" mode_buttons
check "after a restart changes still do not reach tsnconfig.ini" cmp "$INI" "$SNAPSHOT"

journey_close_tessarin

journey_end
