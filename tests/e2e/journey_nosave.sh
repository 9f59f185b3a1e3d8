#!/usr/bin/env bash
# "Save setting changes in the tsnconfig.ini file" switched off: answered No, later changes
# leave tsnconfig.ini byte for byte as it was; answered Yes, only the switch itself is written,
# and after a restart changes are still not saved. A settings file that cannot be written is
# said once, at the first change, never at start-up; the changes still apply. The file is made
# immutable (chattr +i): Wine maps the read-only attribute to the file's mode bits, which do
# not stop the root user the journeys run as, while an immutable file is refused to everyone.
source "$(dirname "$0")/journey.sh"
journey_begin nosave

INI=$JOURNEY_DIR/tsnconfig.ini
# However the journey ends, the file is left removable.
tsn_on_exit 'chattr -i "$INI" 2>/dev/null; _journey_exit'
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
require "the program has ended before the file is made unwritable" tsn_pid_ended "$TESSARIN_PID"

NOT_SAVED="Settings Not Saved"
journey_settings "View Password Mask=True"
cp "$INI" "$SNAPSHOT"
INI_WINDOWS=$("$TSN_WINE" winepath -w "$INI" </dev/null 2>/dev/null | tr -d '\r')
require "tsnconfig.ini is made unwritable" chattr +i "$INI"
journey_open_tessarin
check "nothing is said at start-up" tsn_window_gone "$NOT_SAVED"
menu_keys ctrl+m
check "the first change that cannot be saved is told" tsn_wait_window "$NOT_SAVED" 15
told=$(tree_of "$NOT_SAVED")
# wintree writes a backslash as two.
check "it names the file" grep -qF "${INI_WINDOWS//\\/\\\\}" "$told"
check "it says why, in the system's words" grep -q "Access denied" "$told"
check "it says the change holds until Tessarin closes" grep -q "applies until Tessarin closes" "$told"
check "it says how to keep settings" grep -q "move Tessarin to a folder of your own" "$told"
check "screenshot of the notice" tsn_screenshot "$JOURNEY_ARTIFACTS/not-saved.png"
ok=$(button_centre "$NOT_SAVED" OK) && click_at $ok
check "OK closes it" tsn_wait_for 15 tsn_window_gone "$NOT_SAVED"
check "the change applies all the same" wait_equals 10 1 plain_shown
# Two more changes: were a second notice shown after the first, the keyboard window would be
# disabled behind it and the second would not come through.
menu_keys ctrl+m
check "a second change applies" wait_equals 10 0 plain_shown
menu_keys ctrl+m
check "and a third, without a second notice" wait_equals 10 1 plain_shown
check "no notice is open" tsn_window_gone "$NOT_SAVED"
check "the read-only file is unchanged" cmp "$INI" "$SNAPSHOT"
journey_close_tessarin
chattr -i "$INI"

journey_end
