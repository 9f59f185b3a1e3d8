#!/usr/bin/env bash
# The pictures of the user guide (docs/USER_GUIDE.md), taken from the real program as a user
# goes through the guide's steps; tools/guide_pictures.sh copies them into docs/guide/. Each
# picture is taken once what it shows has been checked: the stars of a typed password, the
# plain text, a menu that is open, the question of the hidden mouse, the drag under way, the
# password in Notepad, the German keys, the About window.
source "$(dirname "$0")/journey.sh"
journey_begin guide

INI=$JOURNEY_DIR/tsnconfig.ini
PASSWORD="Secret7"
ABOUT="About Tessarin"

# picture NAME CAPTION [MARGIN]: a screenshot cut to that window (and MARGIN pixels around it),
# kept as NAME.png among the artefacts.
picture() {
  local shot=$JOURNEY_ARTIFACTS/screen-$1.png
  tsn_screenshot "$shot" && tsn_crop_to_window "$shot" "$2" "$JOURNEY_ARTIFACTS/$1.png" "${3:-0}"
}

# keyboard_picture NAME: the keyboard window, with a menu that is open over it.
keyboard_picture() { check "picture $1" picture "$1" "$KEYBOARD"; }

# menu_picture NAME KEY...: opens a menu with those keys, takes its picture, closes it again.
menu_picture() {
  local name=$1
  shift
  menu_keys "$@"
  require "the menu for $name opens" tsn_wait_for 10 popup_menu_shown
  keyboard_picture "$name"
  xdo key Escape Escape
  check "the menu for $name closes" tsn_wait_for 10 no_popup_menu
}

mode_saved() { grep -q "^MouseMode=$1"$'\r'"\$" "$INI"; }

# Where the password goes: Wine's Notepad (injection) and a text box that takes drops. They
# start first, so that the keyboard window opens above them. The program starts with a new
# user's settings but for readable keys, which the journey needs to find the keys by caption;
# the Options menu is pictured with those off too.
journey_settings
readable_keys_saved() { grep -q "^Let Other Programs Read the Keys=$1"$'\r'"\$" "$INI"; }
journey_start notepad.exe
NOTEPAD_PID=$JOURNEY_PID
require "notepad starts" tsn_wait_window "$NOTEPAD" 60
require "the drop target starts" start_target
journey_open_tessarin
require "the cover is over the keys" tsn_wait_for 30 cover_over_keys
keyboard_picture keyboard

# Entering a password by clicks, then looking at it.
require "the password is clicked in" type_on_screen "$PASSWORD"
require "the box shows one star per character" tsn_wait_for 20 text_is "$(stars ${#PASSWORD})"
keyboard_picture typed
require "Ctrl+M takes the mask off" menu_keys ctrl+m
require "the password shows as text" tsn_wait_for 10 text_is "$PASSWORD"
keyboard_picture unmasked
require "Ctrl+M puts the mask back" menu_keys ctrl+m
require "the stars are back" tsn_wait_for 10 text_is "$(stars ${#PASSWORD})"

# The input modes.
menu_picture menu-mouse-mode alt+m
require "Hover Entry is chosen" menu_keys alt+m Down Return
require "and saved" tsn_wait_for 10 mode_saved "Hover Entry Mode"
keyboard_picture hover
require "Hidden Mouse and Hover Entry is chosen" menu_keys alt+m Down Down Return
require "it asks first" tsn_wait_window "$HIDE_QUESTION" 15
check "picture hide-question" picture hide-question "$HIDE_QUESTION"
check "OK answers it" answer_box "$HIDE_QUESTION" Return
require "the mode is saved" tsn_wait_for 10 mode_saved "Hover Entry and Hide Mouse"
require "Standard is chosen again" menu_keys alt+m Return
require "and saved" tsn_wait_for 10 mode_saved "Standard Mode"

# Delivering it: by drag and drop onto the target's box, then by injection into Notepad.
require "the keys are made unreadable again, as for a new user" menu_keys alt+o r
require "and saved" tsn_wait_for 10 readable_keys_saved False
menu_picture menu-options alt+o
require "the keys are made readable for the rest of the journey" menu_keys alt+o r
require "and saved" tsn_wait_for 10 readable_keys_saved True
# Apart, so that the pictures show the drag between them.
require "the keyboard is moved to the top left" move_keyboard 20 20
require "the cover follows" tsn_wait_for 15 cover_over_keys
require "the target is moved to the bottom right" wintree --move "$TARGET" 760 800
# Away from the keyboard: without a window manager its last image stays on the screen while
# it is minimised during the drag, and would cover Notepad's text in the picture.
require "Notepad is moved to the right" wintree --move "$NOTEPAD" 760 20
read -r TARGET_X TARGET_Y <<<"$(edit_centre "$TARGET")"
read -r NOTEPAD_X NOTEPAD_Y <<<"$(edit_centre "$NOTEPAD")"
require "both text boxes are found" test -n "$TARGET_Y" -a -n "$NOTEPAD_Y"
require "a double click selects the password" select_all masked
drag_picture() { picture drag "$TARGET" 130; }
check "the password is dragged onto the target, pictured on its way" \
  drag_from_box masked "$TARGET_X" "$TARGET_Y" drag_picture
check "the target's box shows it" tsn_wait_for 15 edit_text_is "$TARGET" "$PASSWORD"
check "picture dropped" picture dropped "$TARGET"
require "the keyboard comes back" restore_keyboard
require "the delivered password was cut from the box" tsn_wait_for 10 text_is ""
require "the password is clicked in again" type_on_screen "$PASSWORD"
require "the box shows it again" tsn_wait_for 20 text_is "$(stars ${#PASSWORD})"
require "Injection Mode is chosen from the menu" menu_pick o 4
require "and saved" tsn_wait_for 10 grep -q "^Drag Drop Mode=Inject" "$INI"
require "a double click selects the password" select_all masked
check "it is dragged onto Notepad and released" drag_from_box masked "$NOTEPAD_X" "$NOTEPAD_Y"
check "Notepad shows it" tsn_wait_for 15 edit_text_is "$NOTEPAD" "$PASSWORD"
check "picture injected" picture injected "$NOTEPAD"
require "the keyboard comes back" restore_keyboard

# Layouts: the menu, the Open dialog, the German keys.
menu_picture menu-layout alt+k
require "Import a Layout... is chosen" menu_keys alt+k Down Down Down Return
require "the Open dialog opens" tsn_wait_window "Open" 15
check "picture import" picture import "Open"
check "German is imported through the Open dialog" file_dialog "Open" 'layouts\german.lng'
check "the keys show the German layout" tsn_wait_for 15 key_shown "ü"
keyboard_picture german

# About.
require "About Tessarin is chosen" help_pick 2
require "the About window opens" tsn_wait_window "$ABOUT" 15
check "picture about" picture about "$ABOUT"
check "Escape closes it" answer_box "$ABOUT" Escape

check "the target closes" close_program "$TARGET" "$TARGET_PID"
check "notepad closes without saving" close_unsaved_notepad "$NOTEPAD_PID"
require "the keyboard comes back" restore_keyboard
journey_close_tessarin
journey_end
