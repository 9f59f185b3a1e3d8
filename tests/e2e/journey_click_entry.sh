#!/usr/bin/env bash
# Clicking keys enters them, through the cover: each click lands on the cover window, which
# finds the key underneath. Shift acts on one character, Caps Lock stays on, so Shift, a, b, 1,
# Caps Lock, c give "Ab1C" in the plain text box (the mask is off in the settings file).
source "$(dirname "$0")/journey.sh"
journey_begin click_entry

journey_settings "View Password Mask=False"
journey_open_tessarin
kb=$(tree_of "$KEYBOARD")
require "wintree lists the keyboard" test -s "$kb"
check "the plain text box starts empty" text_is ""

for key in shft a b 1 cap c; do
  read -r x y < <(key_centre "$kb" "$key")
  require "the \"$key\" key is shown" test -n "$x"
  check "a click on \"$key\" lands on the cover" \
    equals "$(wintree --at "$x" "$y" | tr '\t' '\n' | sed -n 's/^caption=//p')" "$COVER"
  click_at "$x" "$y"
done
check "the plain text box shows Ab1C" tsn_wait_for 10 text_is "Ab1C"
check "Caps Lock is still on: the keys show capitals" \
  equals "$(keys "$(tree_of "$KEYBOARD")" | cut -f1 | grep -c '^[A-Z]$')" 26
shot=$JOURNEY_ARTIFACTS/click-entry.png
check "screenshot taken" tsn_screenshot "$shot"
check "the keyboard window cut out" tsn_crop_to_window "$shot" "$KEYBOARD" "$JOURNEY_ARTIFACTS/keyboard.png"

journey_close_tessarin
journey_end
