#!/usr/bin/env bash
# The setup program, as administrators and users run it. Silently into a folder named in Greek,
# then out again with the uninstaller's window, answering that the settings may go: nothing is
# left. Silently into the default folder: files, Start menu shortcut and every value of the
# uninstall entry; the program starts from the shortcut, enters a clicked key and saves a
# changed setting; a silent setup and uninstall refuse while it runs. Then the setup with its
# window, page by page (the user guide's pictures), ticking the desktop shortcut: it says
# Tessarin is running, goes on once it is closed, and starts it from its last page. Once more
# silently; the setting and a layout the user saved stay throughout, and stay after a silent
# uninstall, which takes everything else.
source "$(dirname "$0")/journey.sh"
source "$(dirname "$0")/setup_program.sh"
journey_begin install
setup_begin

version=$(tsn_project_version)
# The setup's pages but the first give the window's caption a space at its end; the first page
# and message boxes have none.
SETUP_WINDOW="Tessarin $version Setup "
SETUP_BOX="Tessarin $version Setup"
UNINSTALL_WINDOW="Tessarin $version Uninstall "
UNINSTALL_BOX="Tessarin $version Uninstall"
GREEK_DIR=$WINEPREFIX/drive_c/Εφαρμογές/Tessarin
require "the setup program is made" make_setup mingw
setup_clean "$(dirname "$GREEK_DIR")"

# enabled_button CAPTION BUTTON: "x y" of the middle of that button of the window, once it is
# shown and enabled (a page's buttons are there, disabled, while the page is busy).
enabled_button() {
  local line style
  line=$(wintree --tree "$1" | grep -m1 $'\tclass=Button\tcaption='"$2"$'\t.*\tvisible=1\t') || return 1
  style=$(val "$line" style)
  (((style & 0x08000000) == 0)) || return 1
  echo "$(($(val "$line" x) + $(val "$line" w) / 2)) $(($(val "$line" y) + $(val "$line" h) / 2))"
}
# shortcut_tick_is STATE: the components list's second line, the desktop shortcut, has that tick
# box (1 empty, 2 ticked); the first, the program itself, is always there.
shortcut_tick_is() {
  equals "$(wintree --ticks "$SETUP_WINDOW" | awk -F'\t' 'NR == 2 { sub(/^state_image=/, "", $3); print $3 }')" "$1" 2>/dev/null
}
# click_button CAPTION BUTTON: a real click on that button of the window, once it can be clicked.
click_button() {
  local at
  tsn_wait_for 60 enabled_button "$1" "$2" >/dev/null && at=$(enabled_button "$1" "$2") && click_at $at
}
# page_shows CAPTION CLASS: the window shows a control of that class (a page's own control).
page_shows() { wintree --tree "$1" | grep -q $'\tclass='"$2"$'\t.*\tvisible=1\t'; }
# page_shot NAME [CAPTION]: a picture of the setup's window alone, once the screen has settled.
page_shot() {
  tsn_screenshot "$JOURNEY_ARTIFACTS/screen-$1.png" &&
    tsn_crop_to_window "$JOURNEY_ARTIFACTS/screen-$1.png" "${2:-$SETUP_WINDOW}" "$JOURNEY_ARTIFACTS/setup-$1.png"
}

# folder_offered: the folder page's folder, without wintree's escapes and a closing backslash.
folder_offered() {
  local text
  text=$(printf '%b' "$(control_field "$SETUP_WINDOW" Edit 1 text)") && echo "${text%\\}"
}

# --- an administrator's install into another folder, and a user's uninstall -------------------
check "a silent install into C:\\Εφαρμογές\\Tessarin succeeds" run_setup /S "/D=$(windows_path "$GREEK_DIR")"
check_program_files "$GREEK_DIR" "$TSN_EXE"
check_entry "$GREEK_DIR"
check "no desktop shortcut unless asked for" test ! -e "$DESKTOP_LINK"
check "nothing goes into the default folder" test ! -e "$DEFAULT_DIR"

printf '[Settings]\r\nTransparency=200\r\n' >"$GREEK_DIR/tsnconfig.ini"
journey_start "$(windows_path "$GREEK_DIR")\\Uninstall.exe"
require "the uninstaller's window opens" tsn_wait_window "$UNINSTALL_WINDOW" 30
check "Uninstall is clicked" click_button "$UNINSTALL_WINDOW" "&Uninstall"
check "it asks whether to keep the settings; No" click_button "$UNINSTALL_BOX" "&No"
check "it finishes; Close" click_button "$UNINSTALL_WINDOW" "&Close"
check "its window closes" tsn_wait_for 20 tsn_window_gone "$UNINSTALL_WINDOW"
check "the uninstaller has ended" tsn_wait_for 20 uninstaller_ended
check "the program files and the shortcut are gone" program_files_gone "$GREEK_DIR"
check "the settings file is gone, as answered, and with it the folder" test ! -e "$GREEK_DIR"
check "the uninstall entry is gone" entry_gone

# --- the default folder, and the program from the Start menu ----------------------------------
require "a silent install into the default folder succeeds" run_setup /S
check "it is %LOCALAPPDATA%\\Programs\\Tessarin" test -f "$DEFAULT_DIR/tessarin.exe"
check_program_files "$DEFAULT_DIR" "$TSN_EXE"
check_entry "$DEFAULT_DIR"

INI=$DEFAULT_DIR/tsnconfig.ini
printf '[Settings]\r\n%s\r\nView Password Mask=False\r\n' "$READABLE_KEYS" >"$INI"
start_installed
kb=$(tree_of "$KEYBOARD")
read -r x y < <(key_centre "$kb" q)
require "the \"q\" key is shown" test -n "$x"
click_at "$x" "$y"
check "a click on \"q\" enters q" tsn_wait_for 10 text_is "q"
require "Ctrl+M masks the password" menu_keys ctrl+m
check "the installed copy saves the setting beside itself" \
  wait_equals 10 True ini_get "$INI" Settings "View Password Mask"
cp "$INI" "$JOURNEY_ARTIFACTS/tsnconfig.saved.ini"
mkdir -p "$DEFAULT_DIR/layouts" && cp "$TSN_ROOT/layouts/german.lng" "$DEFAULT_DIR/layouts/mine.lng"

installed_at=$(stat -c %y "$DEFAULT_DIR/tessarin.exe")
check "while it runs, a silent setup stops with exit code 2" equals "$(run_setup /S; echo $?)" 2
check "  and leaves the program running" tsn_window_shown "$KEYBOARD"
check "  and its files as they were" equals "$(stat -c %y "$DEFAULT_DIR/tessarin.exe")" "$installed_at"
check "while it runs, a silent uninstall removes nothing" uninstall_silently "$DEFAULT_DIR"
check "  the program and the uninstaller stay" test -f "$DEFAULT_DIR/tessarin.exe" -a -f "$DEFAULT_DIR/Uninstall.exe"
check "  and so does the entry" test -n "$(entry_file)"

# --- the setup's pages, while the program still runs ------------------------------------------
# Out of the way of the setup's window, in the middle of the screen.
move_keyboard 0 760
journey_start "$SETUP"
require "the setup's window opens" tsn_wait_window "$SETUP_BOX" 30
check "the welcome page" page_shot welcome "$SETUP_BOX"
check "Next" click_button "$SETUP_BOX" "&Next >"
check "the components page shows" tsn_wait_for 20 page_shows "$SETUP_WINDOW" SysTreeView32
check "  with both components, the desktop shortcut not ticked" tsn_wait_for 20 shortcut_tick_is 1
# The desktop shortcut's box: the second line of the list, whose lines are 16 pixels high.
list=$(control "$SETUP_WINDOW" SysTreeView32 1)
click_at $(($(val "$list" x) + 9)) $(($(val "$list" y) + 25))
check "a click ticks the desktop shortcut" tsn_wait_for 10 shortcut_tick_is 2
check "the components page" page_shot components
check "Next" click_button "$SETUP_WINDOW" "&Next >"
check "the folder page offers the folder installed to" \
  wait_equals 20 "$(windows_path "$DEFAULT_DIR")" folder_offered
check "the folder page" page_shot folder
check "Install" click_button "$SETUP_WINDOW" "&Install"
check "it says Tessarin is running" tsn_wait_for 30 enabled_button "$SETUP_BOX" "&Retry" >/dev/null
check "the message, over the install page" page_shot running
journey_close_tessarin
check "the setting is as saved" cmp "$INI" "$JOURNEY_ARTIFACTS/tsnconfig.saved.ini"
check "Retry" click_button "$SETUP_BOX" "&Retry"
check "the last page shows" tsn_wait_for 60 enabled_button "$SETUP_WINDOW" "&Finish" >/dev/null
check "the last page" page_shot finish
check "Finish, with \"Start Tessarin\" ticked" click_button "$SETUP_WINDOW" "&Finish"
check "the setup's window closes" tsn_wait_for 20 tsn_window_gone "$SETUP_WINDOW"
check "the installed program starts" tsn_wait_window "$KEYBOARD" 60
check "it closes" wintree --close "$KEYBOARD"
check "  and ends" tsn_wait_for 30 installed_ended "$DEFAULT_DIR"
check "the desktop shortcut is made" link_names "$DESKTOP_LINK" "$DEFAULT_DIR"
check "the program is the built one" cmp "$DEFAULT_DIR/tessarin.exe" "$TSN_EXE"

# --- the same setup again, silently; then a silent uninstall --------------------------------
check "the same setup again, silently" run_setup /S
check "  keeps the desktop shortcut" test -f "$DESKTOP_LINK"
check_entry "$DEFAULT_DIR"
check "the settings file is kept" cmp "$INI" "$JOURNEY_ARTIFACTS/tsnconfig.saved.ini"
check "the user's layout is kept" cmp "$DEFAULT_DIR/layouts/mine.lng" "$TSN_ROOT/layouts/german.lng"
check "a silent uninstall runs to its end" uninstall_silently "$DEFAULT_DIR"
check "the program files and the shortcuts are gone" program_files_gone "$DEFAULT_DIR"
check "the uninstaller is gone" test ! -e "$DEFAULT_DIR/Uninstall.exe"
check "the uninstall entry is gone" entry_gone
check "the settings file is kept" cmp "$INI" "$JOURNEY_ARTIFACTS/tsnconfig.saved.ini"
check "the user's layout is kept" test -f "$DEFAULT_DIR/layouts/mine.lng"
check "nothing else is left in the folder" equals "$(cd "$DEFAULT_DIR" && find . -type f | sort | tr '\n' ' ')" \
  "./layouts/mine.lng ./tsnconfig.ini "
setup_clean
journey_end
