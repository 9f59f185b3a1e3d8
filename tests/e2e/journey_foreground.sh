#!/usr/bin/env bash
# The cover is fully transparent (opacity 0) while another program is in the foreground and
# nearly so (opacity 1) while the keyboard is, however often the user switches.
source "$(dirname "$0")/journey.sh"
journey_begin foreground

OTHER="Tessarin E2E Other Program"
journey_open_tessarin
# Clear of the other program's windows, which open at the top left.
move_keyboard 620 420
require "the keyboard window moves clear of them" tsn_wait_for 10 window_at "$KEYBOARD" 620 420
read -r bx by < <(box_centre "$(tree_of "$KEYBOARD")")
require "its text box is found" test -n "$bx"

# foreground_is CAPTION, cover_alpha_is N: what the user switched to, and what the cover did.
foreground_is() { [ "$(wintree --foreground | tr '\t' '\n' | sed -n 's/^caption=//p')" = "$1" ]; }
cover_alpha_is() { [ "$(field "$(tree_of "$COVER")" alpha)" = "$1" ]; }

click_at "$bx" "$by"
check "the keyboard is in the foreground" tsn_wait_for 10 foreground_is "$KEYBOARD"
check "the cover's opacity is 1" tsn_wait_for 10 cover_alpha_is 1

journey_start "$TSN_FIXTURE" "$OTHER" 255
require "another program opens" tsn_wait_window "$OTHER" 30
for round in 1 2; do
  # Inside the other program's main window, outside its small popup.
  click_at 400 300
  check "round $round: the other program is in the foreground" tsn_wait_for 10 foreground_is "$OTHER"
  check "round $round: the cover's opacity is 0" tsn_wait_for 10 cover_alpha_is 0
  if [ $round = 1 ]; then
    check "screenshot with the other program in front taken" \
      tsn_screenshot "$JOURNEY_ARTIFACTS/other-in-front.png"
  fi
  click_at "$bx" "$by"
  check "round $round: the keyboard is back in the foreground" tsn_wait_for 10 foreground_is "$KEYBOARD"
  check "round $round: the cover's opacity is 1 again" tsn_wait_for 10 cover_alpha_is 1
done

check "the other program closes" wintree --close "$OTHER"
check "the other program ends" tsn_wait_exit "$JOURNEY_PID" 30
journey_close_tessarin
journey_end
