#!/usr/bin/env bash
# The keys as a user sees them at the usual 96 DPI: the English captions in five rows, every
# row ending at the same right edge, and the cover window lying exactly over the key rows.
source "$(dirname "$0")/journey.sh"
journey_begin keys

journey_open_tessarin
shot=$JOURNEY_ARTIFACTS/keys.png
check "screenshot taken" tsn_screenshot "$shot"
check "the keyboard window cut out" tsn_crop_to_window "$shot" "$KEYBOARD" "$JOURNEY_ARTIFACTS/keyboard.png"

kb=$(tree_of "$KEYBOARD")
cover=$(tree_of "$COVER")
require "wintree lists both windows" test -s "$kb" -a -s "$cover"
check_key_block "$kb" "$cover" 20

journey_close_tessarin
journey_end
