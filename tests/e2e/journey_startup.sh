#!/usr/bin/env bash
# A first start with no settings file: both windows come up as described (keyboard at the
# default opacity, cover topmost and nearly transparent, the password box masked), closing
# the keyboard window ends the program, and nothing is written beside the exe. The keys'
# captions cannot be read from outside.
source "$(dirname "$0")/journey.sh"
journey_begin startup
JOURNEY_PRIVATE_KEYS=1

journey_open_tessarin
check "screenshot taken" tsn_screenshot "$JOURNEY_ARTIFACTS/startup.png"

kb=$(tree_of "$KEYBOARD")
cover=$(tree_of "$COVER")
require "wintree lists both windows" test -s "$kb" -a -s "$cover"
check "keyboard window is layered" equals "$(field "$kb" layered)" 1
check "keyboard opacity is 252" equals "$(field "$kb" alpha)" 252
check "cover is layered" equals "$(field "$cover" layered)" 1
check "cover opacity is 1" equals "$(field "$cover" alpha)" 1
check "cover is topmost" equals "$(field "$cover" topmost)" 1
check "the masked password box is shown" equals "$(count_edits "$kb" masked shown)" 1
check "no plain text box is shown" equals "$(count_edits "$kb" plain shown)" 0
# A control hidden when its window first shows gets its own window only when it is first shown.
check "the hidden plain text box has no window yet" equals "$(count_edits "$kb" plain hidden)" 0
check "no key caption can be read from outside" equals "$(keys "$kb" | cut -f1 | grep -c .)" 0
check "no settings file at start-up" test ! -e "$JOURNEY_DIR/tsnconfig.ini"

journey_close_tessarin
check "the cover is gone too" tsn_window_gone "$COVER"
check "no settings file after closing" test ! -e "$JOURNEY_DIR/tsnconfig.ini"

journey_end
