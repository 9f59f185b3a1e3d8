#!/usr/bin/env bash
# With the defaults, another process listing the keyboard window's children reads no key
# caption, yet the keys show their captions on screen and clicking each one enters its
# character; the program starts without a message although Wine refuses to keep windows out of
# screen captures, and that menu item does nothing there. "Let Other Programs Read the Keys"
# makes the captions readable, also after a restart.
source "$(dirname "$0")/journey.sh"
journey_begin key_privacy

INI=$JOURNEY_DIR/tsnconfig.ini
# The English characters in reading order, the action keys left out.
ENGLISH='`1234567890-=qwertyuiop[]\asdfghjkl;'"'"'zxcvbnm,./ '
# Reading-order numbers (from 1) of the action keys among the 54 shown keys.
ACTION_KEYS=" 14 15 29 41 42 53 "

# ink SHOT X Y W H: how many dark pixels the middle half of that rectangle holds in a screenshot.
ink() {
  convert "$1" -crop "$(($4 / 2))x$(($5 / 2))+$(($2 + $4 / 4))+$(($3 + $5 / 4))" +repage \
    -colorspace Gray -threshold 50% -format '%[fx:round(w*h*(1-mean))]' info:
}
# A visible dialog of the program (class #32770): a message box.
no_message_box() { ! wintree | grep -q $'\tclass=#32770\t.*\tvisible=1\t'; }
not_stored() { ! grep -q "^$1=" "$INI"; }
first_caption() { keys "$(tree_of "$KEYBOARD")" | head -n 1 | cut -f1; }

JOURNEY_PRIVATE_KEYS=1
journey_settings "View Password Mask=False"
journey_open_tessarin
check "no message box at start-up" no_message_box
kb=$(tree_of "$KEYBOARD")
require "wintree lists the keyboard window" test -s "$kb"
check "54 keys are shown" equals "$(keys "$kb" | wc -l)" 54
check "no key caption can be read from another process" equals "$(keys "$kb" | cut -f1 | grep -c .)" 0

shot=$JOURNEY_ARTIFACTS/private-keys.png
require "screenshot taken" tsn_screenshot "$shot"
tsn_crop_to_window "$shot" "$KEYBOARD" "$JOURNEY_ARTIFACTS/keyboard.png"
blank=0
# The captions are empty: only the rectangles are read (a tab-separated read would drop the
# empty first field).
while read -r x y w h; do
  [ "$(ink "$shot" "$x" "$y" "$w" "$h")" -gt 0 ] || blank=$((blank + 1))
done < <(keys "$kb" | head -n 53 | cut -f2-)
check "the screenshot shows a caption on every key but the space bar" equals "$blank" 0

n=0
while read -r x y w h; do
  n=$((n + 1))
  [[ $ACTION_KEYS == *" $n "* ]] || click_at $((x + w / 2)) $((y + h / 2))
done < <(keys "$kb" | cut -f2-)
check "clicking every key enters the English characters" tsn_wait_for 20 text_is "$ENGLISH"

menu_keys alt+o && tsn_wait_for 10 popup_menu_shown && tsn_screenshot "$JOURNEY_ARTIFACTS/options-menu.png"
xdo key h Escape Escape
check "the capture item is disabled under Wine: choosing it stores nothing" \
  tsn_holds 2000 not_stored "Hide from Screen Capture"

menu_keys alt+o r
check "Let Other Programs Read the Keys is stored" \
  wait_equals 10 True ini_get "$INI" Settings "Let Other Programs Read the Keys"
check "the captions are readable at once" wait_equals 10 "\`" first_caption
journey_close_tessarin

require "the program has ended before it starts again" tsn_pid_ended "$TESSARIN_PID"
journey_open_tessarin
kb=$(tree_of "$KEYBOARD")
key_layout "$kb" >"$JOURNEY_ARTIFACTS/readable-layout.txt"
check "after a restart row 1 reads \` to = and bksp" \
  equals "$(fact "$JOURNEY_ARTIFACTS/readable-layout.txt" row1)" '`|1|2|3|4|5|6|7|8|9|0|-|=|bksp'
check "after a restart row 4 reads shft, z to / and shft" \
  equals "$(fact "$JOURNEY_ARTIFACTS/readable-layout.txt" row4)" 'shft|z|x|c|v|b|n|m|,|.|/|shft'
journey_close_tessarin

journey_end
