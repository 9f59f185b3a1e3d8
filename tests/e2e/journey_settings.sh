#!/usr/bin/env bash
# Settings beside the exe are applied at start-up: opacity 128 and the password shown as plain
# text. Applying them writes nothing back, and closing saves nothing.
source "$(dirname "$0")/journey.sh"
journey_begin settings

INI=$JOURNEY_DIR/tsnconfig.ini
journey_settings "Transparency=128" "View Password Mask=False"
cp "$INI" "$JOURNEY_ARTIFACTS/tsnconfig.before.ini"

journey_open_tessarin
check "screenshot taken" tsn_screenshot "$JOURNEY_ARTIFACTS/settings.png"

kb=$(tree_of "$KEYBOARD")
cover=$(tree_of "$COVER")
require "wintree lists both windows" test -s "$kb" -a -s "$cover"
check "keyboard opacity is 128" equals "$(field "$kb" alpha)" 128
check "cover opacity stays 1" equals "$(field "$cover" alpha)" 1
check "the plain text box is shown" equals "$(count_edits "$kb" plain shown)" 1
check "no masked box is shown" equals "$(count_edits "$kb" masked shown)" 0
# The password box, hidden before the window first shows, gets no window of its own; no box
# holding the password's stars is left anywhere.
check "the hidden password box has no window" equals "$(count_edits "$kb" plain hidden)" 0
check "no masked box is left anywhere" equals "$(edits "$kb" | grep -c '^masked')" 0

journey_close_tessarin
check "the settings file is unchanged" cmp "$INI" "$JOURNEY_ARTIFACTS/tsnconfig.before.ini"

journey_end
