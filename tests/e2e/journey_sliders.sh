#!/usr/bin/env bash
# The transparency slider, dragged with the mouse and moved with the keyboard, sets the keyboard
# window's opacity to round(percent x 2.55) and saves it as "Transparency"; a delay chosen from
# the "Hover" button's drop-down menu switches to hover entry, moves the hover-delay slider and
# saves "Hover Timer Interval".
source "$(dirname "$0")/journey.sh"
journey_begin sliders

INI=$JOURNEY_DIR/tsnconfig.ini

transparency() { transparency_slider; }
slider_pos() { val "$(transparency)" pos; }
# The drag took the thumb somewhere in the middle, away from both ends.
slider_mid_way() {
  local pos
  pos=$(slider_pos) && [ -n "$pos" ] && ((pos > 20 && pos < 80))
}
hover_delay() {
  local slider
  slider=$(hover_slider)
  echo "$(shown "$slider") $(val "$slider" pos)"
}
opacity() { wintree --tree "$KEYBOARD" | head -n 1 | tr '\t' '\n' | sed -n 's/^alpha=//p'; }

# percent x 255 / 100, halves to even, as the slider's opacity.
opacity_of() {
  local q=$(($1 * 255 / 100)) r=$(($1 * 255 % 100))
  ((r > 50 || (r == 50 && q % 2 == 1))) && q=$((q + 1))
  echo "$q"
}

# expect_opacity WHAT: the window's opacity and the saved setting follow the slider's position.
expect_opacity() {
  local pos want
  pos=$(slider_pos)
  want=$(opacity_of "$pos")
  check "$1: the window's opacity is $want (slider at $pos)" wait_equals 10 "$want" opacity
  check "$1: Transparency is saved as $want" wait_equals 10 "$want" ini_get "$INI" Settings Transparency
}

# pick_delay DOWNS: opens the Hover button's drop-down with its arrow and picks an entry.
pick_delay() {
  local line
  line=$(wintree --toolbar "$KEYBOARD" | sed -n 2p)
  click_at $(($(val "$line" x) + $(val "$line" w) - 5)) $(($(val "$line" y) + $(val "$line" h) / 2))
  tsn_wait_for 10 popup_menu_shown || return 1
  xdo key --delay 100 $(downs "$1") Return
}

journey_open_tessarin
slider=$(transparency)
check "at start: the transparency slider is at 99" equals "$(val "$slider" pos)" 99
check "at start: the opacity is 252" equals "$(opacity)" 252
check "at start: no hover slider" equals "$(hover_delay | cut -d' ' -f1)" 0

# Drag the thumb about 40 % of the slider's width to the left.
tx=$(($(val "$slider" thumbx) + $(val "$slider" thumbw) / 2))
ty=$(($(val "$slider" thumby) + $(val "$slider" thumbh) / 2))
to=$((tx - $(val "$slider" w) * 2 / 5))
xdo mousemove "$tx" "$ty" mousedown 1 mousemove $(((tx + to) / 2)) "$ty" mousemove "$to" "$ty" mouseup 1
check "dragging the thumb moves the slider mid-way" tsn_wait_for 10 slider_mid_way
expect_opacity "dragged"
check "screenshot after the drag" tsn_screenshot "$JOURNEY_ARTIFACTS/dragged.png"

# The dragged slider keeps the focus: Home and End take it to the ends of its range.
point_at_keyboard && xdo key Home
check "Home: the slider is at 10" wait_equals 10 10 slider_pos
expect_opacity "Home"
point_at_keyboard && xdo key End
check "End: the slider is at 99" wait_equals 10 99 slider_pos
expect_opacity "End"

pick_delay 4
check "Two Second Delay: hover entry is on" wait_equals 10 "0 1 0" mode_buttons
check "Two Second Delay: the hover slider shows 2000" wait_equals 10 "1 2000" hover_delay
check "Two Second Delay: Hover Timer Interval is 2000" wait_equals 10 2000 ini_get "$INI" Settings "Hover Timer Interval"
check "screenshot with the hover slider" tsn_screenshot "$JOURNEY_ARTIFACTS/hover-delay.png"
pick_delay 1
check "Half Second Delay: the hover slider shows 500" wait_equals 10 "1 500" hover_delay
check "Half Second Delay: Hover Timer Interval is 500" wait_equals 10 500 ini_get "$INI" Settings "Hover Timer Interval"

journey_close_tessarin

journey_end
