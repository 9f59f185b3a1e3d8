#!/usr/bin/env bash
# Every top-level menu opens from the keyboard (a screenshot of each is kept); "Help" > "About
# Tessarin" opens the About window modally with the version line, centred once: moved by its
# title bar, it stays there when the user comes back to it from another program. Escape
# closes it, and Ctrl+Q ends the program with both its windows.
source "$(dirname "$0")/journey.sh"
journey_begin about

ABOUT="About Tessarin"
WS_DISABLED=$((0x08000000))

keyboard_disabled() { echo $(($(field "$(tree_of "$KEYBOARD")" style) & WS_DISABLED ? 1 : 0)); }

# shoot_menu NAME KEY...: opens a menu with those keys, keeps a screenshot, closes it again.
shoot_menu() {
  local name=$1
  shift
  menu_keys "$@"
  check "the $name menu opens" tsn_wait_for 10 popup_menu_shown
  check "screenshot of the $name menu" tsn_screenshot "$JOURNEY_ARTIFACTS/menu-$name.png"
  xdo key Escape Escape
  check "Escape closes the $name menu" tsn_wait_for 10 no_popup_menu
}

journey_open_tessarin
shoot_menu File alt+f
shoot_menu Mode alt+m
shoot_menu View alt+v
shoot_menu Options alt+o
shoot_menu Layout alt+k
shoot_menu Help alt+k Right

help_pick 2
require "About Tessarin opens" tsn_wait_window "$ABOUT" 15
about=$(tree_of "$ABOUT")
check "it shows the project's version" grep -q $'\tcaption=Version '"$(tsn_project_version)"$'\t' "$about"
check "it shows the title" grep -q $'\tcaption=Corvane Software: Tessarin\t' "$about"
check "it shows the description" grep -q $'\ttext=Tessarin is a small program that helps' "$about"
check "it has an OK button" grep -q $'class=Button\tcaption=OK\t' "$about"
# The program's icon (SS_ICON, drawn to its size) at the top left, left of the title, 32 px at
# 96 DPI; the etched line (SS_ETCHEDHORZ) across the window between the description and links.
about_static() { # about_static STYLE_LOW_BYTE: "x y w h" of that Static control
  awk -F'\t' -v low="$1" "$TREE_FIELDS"'
    f["class"] == "Static" && tolower(f["style"]) ~ (low "$") { print f["x"], f["y"], f["w"], f["h"]; exit }' "$about"
}
read -r ix iy iw ih < <(about_static 43)
read -r tx ty < <(awk -F'\t' "$TREE_FIELDS"'f["caption"] == "Corvane Software: Tessarin" { print f["x"], f["y"] }' "$about")
check "the program's icon is at the top left, left of the title" test -n "$ix" -a "${iw:-0}" -eq 32 -a "${ih:-0}" -eq 32 -a $((ix + iw)) -le "${tx:-0}"
read -r lx ly lw lh < <(about_static 10)
read -r dy dh < <(awk -F'\t' "$TREE_FIELDS"'f["class"] == "Edit" { print f["y"], f["h"] }' "$about")
check "an etched line separates the description from the links" test -n "$lx" -a "${lw:-0}" -ge 300 -a "${ly:-0}" -gt $((${dy:-0} + ${dh:-0}))
check "it is modal: the keyboard window is disabled" equals "$(keyboard_disabled)" 1
check "screenshot of the About window" tsn_screenshot "$JOURNEY_ARTIFACTS/about.png"
check "the About window cut out" tsn_crop_to_window "$JOURNEY_ARTIFACTS/about.png" "$ABOUT" "$JOURNEY_ARTIFACTS/about-window.png"

# The user drags the About window by its title bar towards the bottom right corner, clear of
# the keyboard (moved to the top left first), clicks the keyboard (disabled while About is
# open), then another program's window, then About's title bar: About is activated again.
about_at() { window_at "$ABOUT" "$1" "$2"; }
foreground() { val "$(wintree --foreground)" caption; }
require "another program starts" start_target
move_keyboard 0 0
read -r ax ay aw ah < <(rect "$(tree_of "$ABOUT")")
read -r sw sh < <(xdotool getdisplaygeometry)
to_x=$((sw - aw - 40)) to_y=$((sh - ah - 40))
grab_x=$((ax + aw / 2)) grab_y=$((ay + 10))
point_at "$grab_x" "$grab_y" && xdo mousedown 1 &&
  xdo mousemove --sync $((grab_x + (to_x - ax) / 2)) $((grab_y + (to_y - ay) / 2)) &&
  xdo mousemove --sync $((grab_x + to_x - ax)) $((grab_y + to_y - ay)) && xdo mouseup 1
check "the About window follows its title bar" tsn_wait_for 10 about_at "$to_x" "$to_y"
read -r kx ky kw kh < <(rect "$(tree_of "$KEYBOARD")")
check "the keyboard is clear of it" test $((ky + kh)) -lt "$to_y"
click_at $((kx + kw / 2)) $((ky + kh / 2))
wintree --move "$TARGET" $((kx + kw + 20)) 20
read -r tx ty < <(edit_centre "$TARGET")
click_at "$tx" "$ty"
check "the other program comes to the front" wait_equals 10 "$TARGET" foreground
click_at $((to_x + aw / 2)) $((to_y + 10))
check "About is in front again" wait_equals 10 "$ABOUT" foreground
check "it has not moved back to the centre" about_at "$to_x" "$to_y"
check "screenshot of the moved About window" tsn_screenshot "$JOURNEY_ARTIFACTS/about-moved.png"
check "the other program closes" close_program "$TARGET" "$TARGET_PID"

point_at_keyboard && xdo key Escape
check "Escape closes the About window" tsn_wait_for 15 tsn_window_gone "$ABOUT"
check "the keyboard window is enabled again" wait_equals 10 0 keyboard_disabled

unset TSN_EXIT_STATUS
started=$SECONDS
menu_keys ctrl+q
check "Ctrl+Q ends the process" tsn_wait_exit "$TESSARIN_PID" 30
tsn_log "the program took $((SECONDS - started)) s to end after Ctrl+Q"
check "it exits with status 0" equals "${TSN_EXIT_STATUS:-still running}" 0
check "the keyboard window is gone" tsn_wait_for 10 tsn_window_gone "$KEYBOARD"
check "the cover is gone" tsn_wait_for 10 tsn_window_gone "$COVER"

journey_end
