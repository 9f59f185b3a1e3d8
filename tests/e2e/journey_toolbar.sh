#!/usr/bin/env bash
# "View" > "Toolbar" hides the toolbar: the keys, the password box and the cover over the keys
# move up by the toolbar's height and the window gets that much shorter; showing it again puts
# everything back, so a hide-and-show cycle leaves the window its height. "View Toolbar" is saved.
source "$(dirname "$0")/journey.sh"
journey_begin toolbar

INI=$JOURNEY_DIR/tsnconfig.ini

# "window-height key-top password-top cover-top toolbar-visible" in screen pixels.
layout() {
  local tree cover
  tree=$(wintree --tree "$KEYBOARD") && cover=$(wintree --tree "$COVER" | head -n 1) || return 1
  local window key password bar
  window=$(head -n 1 <<<"$tree")
  key=$(awk -F'\t' 'tolower($5) == "class=button"' <<<"$tree" | head -n 1)
  password=$(awk -F'\t' 'tolower($5) == "class=edit"' <<<"$tree" | head -n 1)
  bar=$(awk -F'\t' 'tolower($5) == "class=toolbarwindow32"' <<<"$tree")
  echo "$(val "$window" h) $(val "$key" y) $(val "$password" y) $(val "$cover" y) $(val "$bar" visible)"
}

# All five figures, once the windows can be read in full (right after start-up a listing can
# come back before the toolbar is in it).
layout_complete() { [ "$(layout | wc -w)" -eq 5 ]; }

journey_open_tessarin
require "the layout can be read" tsn_wait_for 15 layout_complete
read -r height key password cover shown < <(layout)
th=$(val "$(control "$KEYBOARD" ToolbarWindow32 1)" h)
require "at start: the toolbar is shown" equals "$shown" 1
require "the toolbar has a height" test "${th:-0}" -gt 0
check "screenshot with the toolbar" tsn_screenshot "$JOURNEY_ARTIFACTS/with-toolbar.png"

menu_pick v 0
check "hidden: everything moves up by the toolbar's $th pixels and the window shrinks by as much" \
  wait_equals 10 "$((height - th)) $((key - th)) $((password - th)) $((cover - th)) 0" layout
check "hidden: View Toolbar is False" wait_equals 10 False ini_get "$INI" Settings "View Toolbar"
check "screenshot without the toolbar" tsn_screenshot "$JOURNEY_ARTIFACTS/without-toolbar.png"

menu_pick v 0
check "shown again: everything is back where it was, the window as tall as before" \
  wait_equals 10 "$height $key $password $cover 1" layout
check "shown again: View Toolbar is True" wait_equals 10 True ini_get "$INI" Settings "View Toolbar"

journey_close_tessarin

journey_end
