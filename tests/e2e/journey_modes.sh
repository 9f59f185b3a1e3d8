#!/usr/bin/env bash
# The three input modes, chosen from the "Mouse Mode" menu by keyboard and from the toolbar by
# mouse: exactly the matching mode button shows pressed, the hover-delay slider shows only in
# the hover modes, the hidden-mouse mode asks first (Cancel keeps the mode) and the mode is
# saved as "MouseMode".
source "$(dirname "$0")/journey.sh"
journey_begin modes

INI=$JOURNEY_DIR/tsnconfig.ini

# Whether the hover-delay slider and its label are shown.
hover_controls() {
  echo "$(shown "$(hover_slider)") $(shown "$(hover_label)")"
}

# expect_mode WHAT BUTTONS SLIDER SETTING: waits for the toolbar, then checks the rest.
expect_mode() {
  check "$1: the toolbar shows $2 pressed" wait_equals 10 "$2" mode_buttons
  check "$1: hover slider and label visible = $3" equals "$(hover_controls)" "$3 $3"
  check "$1: MouseMode is \"$4\"" wait_equals 10 "$4" ini_get "$INI" Settings MouseMode
}

journey_open_tessarin
check "at start: Standard alone is pressed" wait_equals 10 "1 0 0" mode_buttons
check "at start: no hover slider or label" equals "$(hover_controls)" "0 0"

menu_pick m 1
expect_mode "menu 2. Hover Entry" "0 1 0" 1 "Hover Entry Mode"

menu_pick m 2
require "menu 3.: the question is asked" tsn_wait_window "$HIDE_QUESTION" 15
check "screenshot of the question" tsn_screenshot "$JOURNEY_ARTIFACTS/hide-question.png"
check "OK answers it" answer_box "$HIDE_QUESTION" Return
expect_mode "menu 3. Hidden Mouse and Hover Entry" "0 0 1" 1 "Hover Entry and Hide Mouse"

menu_pick m 0
expect_mode "menu 1. Standard" "1 0 0" 0 "Standard Mode"

menu_pick m 2
check "menu 3., Cancel: the question closes" answer_box "$HIDE_QUESTION" Escape
expect_mode "menu 3. cancelled" "1 0 0" 0 "Standard Mode"

click_toolbar_button 1
expect_mode "toolbar Hover" "0 1 0" 1 "Hover Entry Mode"
check "toolbar Hover applies the slider's delay" \
  wait_equals 10 "$(val "$(hover_slider)" pos)" ini_get "$INI" Settings "Hover Timer Interval"

click_toolbar_button 2
check "toolbar HideMouse: OK answers the question" answer_box "$HIDE_QUESTION" Return
expect_mode "toolbar HideMouse" "0 0 1" 1 "Hover Entry and Hide Mouse"
check "screenshot in hidden-mouse mode" tsn_screenshot "$JOURNEY_ARTIFACTS/hidden-mouse.png"

click_toolbar_button 0
expect_mode "toolbar Standard" "1 0 0" 0 "Standard Mode"

journey_close_tessarin

journey_end
