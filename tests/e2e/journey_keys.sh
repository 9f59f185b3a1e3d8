#!/usr/bin/env bash
# The keys as a user sees them at the usual 96 DPI: the English captions in five rows, every
# row ending at the same right edge, and the cover window lying exactly over the key rows, so
# that a click on any key shown enters that key.
source "$(dirname "$0")/journey.sh"
journey_begin keys

# Unmasked, so that what the keys enter can be read back.
journey_settings "View Password Mask=False"
journey_open_tessarin
shot=$JOURNEY_ARTIFACTS/keys.png
check "screenshot taken" tsn_screenshot "$shot"
check "the keyboard window cut out" tsn_crop_to_window "$shot" "$KEYBOARD" "$JOURNEY_ARTIFACTS/keyboard.png"

kb=$(tree_of "$KEYBOARD")
cover=$(tree_of "$COVER")
require "wintree lists both windows" test -s "$kb" -a -s "$cover"
check_key_block "$kb" "$cover" 20
check "the text box starts empty" text_is ""
check_every_key_enters "$kb"
check "screenshot of the typed keys taken" tsn_screenshot "$JOURNEY_ARTIFACTS/typed.png"

journey_close_tessarin
journey_end
