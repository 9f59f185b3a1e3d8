#!/usr/bin/env bash
# At 144 DPI (Wine's LogPixels, in a prefix of this journey's own) the keyboard keeps its
# layout, scaled: the margin of 300 twips is 30 pixels, the keys stay square with a whole
# number of pixels to their edge, every row ends at the same edge and the cover still lies
# exactly over the keys, finding each key that is clicked.
source "$(dirname "$0")/journey.sh"
journey_begin high_dpi

journey_own_prefix "$TSN_BUILD/wineprefix-144dpi"
set_dpi() {
  tsn_wine_run reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null
}
require "Wine is set to 144 DPI" set_dpi 144

# Unmasked, so that what the keys enter can be read back.
journey_settings "View Password Mask=False"
journey_open_tessarin
shot=$JOURNEY_ARTIFACTS/high-dpi.png
check "screenshot taken" tsn_screenshot "$shot"
check "the keyboard window cut out" tsn_crop_to_window "$shot" "$KEYBOARD" "$JOURNEY_ARTIFACTS/keyboard.png"

kb=$(tree_of "$KEYBOARD")
cover=$(tree_of "$COVER")
require "wintree lists both windows" test -s "$kb" -a -s "$cover"
check_key_block "$kb" "$cover" 30
check "the text box starts empty" text_is ""
check_every_key_enters "$kb"
check "screenshot of the typed keys taken" tsn_screenshot "$JOURNEY_ARTIFACTS/typed.png"

journey_close_tessarin
journey_end
