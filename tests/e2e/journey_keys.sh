#!/usr/bin/env bash
# The keys as a user sees them at the usual 96 DPI: the English captions in five rows, every
# row ending at the same right edge, and the cover window lying exactly over the key rows, so
# that a click on any key shown enters that key.
source "$(dirname "$0")/journey.sh"
journey_begin keys

check_keys_journey keys.png 20

journey_end
