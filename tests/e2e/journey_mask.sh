#!/usr/bin/env bash
# Ctrl+M switches the password mask: the masked box and the plain box swap places, the text
# typed in the plain box comes back masked and then plain again, the "ToggleMask" toolbar button
# shows the mask's state and "View Password Mask" is saved.
source "$(dirname "$0")/journey.sh"
journey_begin mask

INI=$JOURNEY_DIR/tsnconfig.ini
TREE=$JOURNEY_DIR/tree.txt
TOGGLE_MASK=11 # position of the "ToggleMask" button on the toolbar

# "M P": how many masked and plain boxes are shown (each read refreshes the listing).
shown_boxes() {
  wintree --tree "$KEYBOARD" >"$TREE" || return 1
  echo "$(count_edits "$TREE" masked shown) $(count_edits "$TREE" plain shown)"
}
toggle_pressed() { toolbar_field "$KEYBOARD" pressed | cut -d' ' -f$((TOGGLE_MASK + 1)); }

journey_open_tessarin
check "at start: the masked box is shown, the plain one is not" equals "$(shown_boxes)" "1 0"
check "at start: ToggleMask is not pressed" equals "$(toggle_pressed)" 0

menu_keys ctrl+m
check "Ctrl+M: the plain box alone is shown" wait_equals 10 "0 1" shown_boxes
check "Ctrl+M: ToggleMask is pressed" wait_equals 10 1 toggle_pressed
check "Ctrl+M: View Password Mask is False" wait_equals 10 False ini_get "$INI" Settings "View Password Mask"

# The plain box has the focus now, so typing goes into it.
point_at_keyboard && xdo type --delay 50 'Pw9'
check "typing fills the plain box" wait_equals 10 Pw9 shown_text
check "screenshot unmasked" tsn_screenshot "$JOURNEY_ARTIFACTS/unmasked.png"

menu_keys ctrl+m
check "Ctrl+M again: the masked box alone is shown" wait_equals 10 "1 0" shown_boxes
check "Ctrl+M again: it holds the text as three stars" wait_equals 10 '***' shown_text
check "Ctrl+M again: ToggleMask is released" wait_equals 10 0 toggle_pressed
check "Ctrl+M again: View Password Mask is True" wait_equals 10 True ini_get "$INI" Settings "View Password Mask"
check "screenshot masked" tsn_screenshot "$JOURNEY_ARTIFACTS/masked.png"

menu_keys ctrl+m
check "a third Ctrl+M shows the plain box again" wait_equals 10 "0 1" shown_boxes
check "with the same text" wait_equals 10 Pw9 shown_text

journey_close_tessarin

journey_end
