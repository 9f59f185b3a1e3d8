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

check_keys_journey high-dpi.png 30
journey_end
