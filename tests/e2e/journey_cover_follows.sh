#!/usr/bin/env bash
# The cover stays over the keys when the keyboard window moves (it moves by the same amount)
# and comes back over them when the window is minimised and restored.
source "$(dirname "$0")/journey.sh"
journey_begin cover_follows

journey_open_tessarin

away_from() { ! window_at "$@"; }

require "at start the cover lies over the keys" cover_over_keys
read -r kx ky _ < <(rect "$(tree_of "$KEYBOARD")")
read -r cx cy _ < <(rect "$(tree_of "$COVER")")
# Somewhere else on the screen, whichever way the window opened.
nx=$(( kx > 300 ? kx - 200 : kx + 200 ))
ny=$(( ky > 300 ? ky - 150 : ky + 150 ))
move_keyboard "$nx" "$ny"
check "the keyboard window moves to $nx,$ny" tsn_wait_for 10 window_at "$KEYBOARD" "$nx" "$ny"
mx=$((cx + nx - kx)) my=$((cy + ny - ky))
check "the cover moves by the same amount, to $mx,$my" tsn_wait_for 10 window_at "$COVER" "$mx" "$my"
check "the cover lies over the keys after the move" cover_over_keys
check "screenshot after the move taken" tsn_screenshot "$JOURNEY_ARTIFACTS/moved.png"

check "the keyboard window is minimised" wintree --minimize "$KEYBOARD"
check "it goes off the screen" tsn_wait_for 10 window_at "$KEYBOARD" -32000 -32000
check "the cover leaves the place of the keys" tsn_wait_for 10 away_from "$COVER" "$mx" "$my"
check "the keyboard window is restored" wintree --restore "$KEYBOARD"
check "it comes back where it was" tsn_wait_for 10 window_at "$KEYBOARD" "$nx" "$ny"
check "the cover lies over the keys again" tsn_wait_for 10 cover_over_keys
check "the cover is shown" equals "$(field "$(tree_of "$COVER")" visible)" 1
check "screenshot after restoring taken" tsn_screenshot "$JOURNEY_ARTIFACTS/restored.png"

journey_close_tessarin
journey_end
