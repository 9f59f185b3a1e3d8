#!/usr/bin/env bash
# Makes the pictures of docs/USER_GUIDE.md anew from the real program: builds it, runs the guide
# journey (tests/e2e/journey_guide.sh) on a private display and copies its pictures into
# docs/guide/; the first of them, the keyboard window, is also the README's docs/screenshot.png.
# The setup program's pages (setup-*.png) come from the install journey.
set -euo pipefail
source "$(dirname "$0")/lib.sh"

tsn_ensure_packages
tsn_build mingw tessarin wintree target launch || tsn_die "the build failed"
timeout -k 10 600 bash "$TSN_ROOT/tests/e2e/journey_guide.sh" || tsn_die "the guide journey failed"
pictures=$TSN_ARTIFACTS/e2e/guide
mkdir -p "$TSN_ROOT/docs/guide"
# The journey keeps each whole screen as screen-<picture>.png beside the picture itself.
for picture in "$pictures"/*.png; do
  [[ $(basename "$picture") == screen-* ]] || cp "$picture" "$TSN_ROOT/docs/guide/"
done
cp "$pictures/keyboard.png" "$TSN_ROOT/docs/screenshot.png"
timeout -k 10 600 bash "$TSN_ROOT/tests/e2e/journey_install.sh" || tsn_die "the install journey failed"
cp "$TSN_ARTIFACTS"/e2e/install/setup-*.png "$TSN_ROOT/docs/guide/"
tsn_log "pictures copied into docs/guide/ and docs/screenshot.png"
