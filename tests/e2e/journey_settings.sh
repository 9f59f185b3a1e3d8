#!/usr/bin/env bash
# Settings beside the exe are applied at start-up: opacity 128 and the password shown as plain
# text. Applying them writes nothing back, and closing saves nothing.
source "$(dirname "$0")/journey.sh"
journey_begin settings

KEYBOARD="Tessarin v3"
COVER="Tessarin Screenlogger Protection Layer"
INI=$JOURNEY_DIR/tsnconfig.ini
printf '[Settings]\r\nTransparency=128\r\nView Password Mask=False\r\n' >"$INI"
cp "$INI" "$JOURNEY_ARTIFACTS/tsnconfig.before.ini"

require "tessarin.exe is built" test -f "$TSN_EXE"
journey_start_tessarin
require "the keyboard window appears" tsn_wait_window "$KEYBOARD" 60
require "the cover window appears" tsn_wait_window "$COVER" 30
check "screenshot taken" tsn_screenshot "$JOURNEY_ARTIFACTS/settings.png"

kb=$(tree_of "$KEYBOARD")
cover=$(tree_of "$COVER")
require "wintree lists both windows" test -s "$kb" -a -s "$cover"
check "keyboard opacity is 128" equals "$(field "$kb" alpha)" 128
check "cover opacity stays 1" equals "$(field "$cover" alpha)" 1
check "the plain text box is shown" equals "$(count_edits "$kb" plain shown)" 1
check "no masked box is shown" equals "$(count_edits "$kb" masked shown)" 0
# Unmasking clears the password box's password character as it hides it.
check "the password box is hidden, unmasked" equals "$(count_edits "$kb" plain hidden)" 1
check "no masked box is left anywhere" equals "$(edits "$kb" | grep -c '^masked')" 0

check "WM_CLOSE is posted to the keyboard window" wintree --close "$KEYBOARD"
check "the process ends" tsn_wait_exit "$JOURNEY_PID" 30
check "it exits with status 0" equals "${TSN_EXIT_STATUS:-still running}" 0
check "the settings file is unchanged" cmp "$INI" "$JOURNEY_ARTIFACTS/tsnconfig.before.ini"

journey_end
