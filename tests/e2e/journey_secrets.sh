#!/usr/bin/env bash
# No copy of the password is left in the program's memory once the program is done with it:
# anything running as the same user can read that memory. A distinctive password is entered
# with the on-screen keys and delivered. After the toolbar's Clear, after deliveries by drag
# and drop and by injection that do not keep the password, and after it has been entered and
# erased again just before exit, the program's memory holds it neither as UTF-16 nor as ANSI
# text. The mask stays on throughout, so no text box ever holds the password itself.
source "$(dirname "$0")/journey.sh"
journey_begin secrets

INI=$JOURNEY_DIR/tsnconfig.ini
journey_settings "Keep Password after Drag Drop=True"
PASSWORD='Qz7#Wm4!Kp'

# no_copy_left NAME: the program's memory holds the password nowhere that its own code reaches.
# Left aside are copies in COM's messages: a target in another process gets the text through
# COM, whose runtime copies it into a reply message in this process and frees that message
# unwiped. No code of ours allocates, sees or frees it, and every program that hands text to
# another process by drag and drop leaves the same. The scanner tells those copies by COM's
# wire format around them; they are counted in the log. Once freed, the heap may reuse the
# bytes around such a copy and wipe that format, so an address where an earlier scan saw one is
# remembered (COM_MESSAGES) and a copy still there is counted with them.
COM_MESSAGES=
no_copy_left() {
  local report=$JOURNEY_ARTIFACTS/scan-$1.txt status
  scan "$PASSWORD" "$1"
  status=$?
  [ $status -le 1 ] || return 1
  COM_MESSAGES+=" $(awk -F'\t' '$1 == "found" && $7 == "marshalled=1" { printf " %s", $3 }' "$report")"
  local aside ours
  aside=$(awk -F'\t' -v known="$COM_MESSAGES " '$1 == "found" && index(known, " " $3 " ")' "$report" | wc -l)
  ours=$(awk -F'\t' -v known="$COM_MESSAGES " '$1 == "found" && !index(known, " " $3 " ")' "$report")
  [ "$aside" = 0 ] || echo "  note: copies left in COM's messages: $aside" >&2
  [ -z "$ours" ] || sed 's/^/  /' <<<"$ours" >&2
  [ -z "$ours" ]
}

# enter_password: types the password on the keys and waits until the box shows its stars.
enter_password() {
  type_on_screen "$PASSWORD" && tsn_wait_for 20 text_is "$(stars ${#PASSWORD})"
}

# deliver N: selects the whole password and drags it onto the target, whose text box then holds
# the password N times over.
deliver() {
  local expected= i
  for ((i = 0; i < $1; i++)); do expected+=$PASSWORD; done
  select_all masked && drag_from_box masked "$TARGET_X" "$TARGET_Y" target_count_above enter $(($1 - 1)) &&
    tsn_wait_for 15 edit_text_is "$TARGET" "$expected" && restore_keyboard
}

require "the target program starts" start_target
journey_open_tessarin
require "the cover is over the keys" tsn_wait_for 30 cover_over_keys
read -r TARGET_X TARGET_Y <<<"$(edit_centre "$TARGET")"
require "the target's text box is found" test -n "$TARGET_Y"
# The scanner must see the program's memory, or finding nothing would prove nothing.
require "the scanner finds the cover's caption in the program" found_in_memory "$COVER" caption

require "the password is entered" enter_password
check "the scanner finds the password the program holds" found_in_memory "$PASSWORD" held
require "it is delivered and kept" deliver 1
check "the kept password still shows" tsn_wait_for 10 text_is "$(stars ${#PASSWORD})"
require "the toolbar's Clear is clicked" click_toolbar_button last
require "the password box is empty" tsn_wait_for 10 text_is ""
check "no copy is left after Clear" no_copy_left after-clear

require "Keep Password after Drag Drop is switched off" menu_keys alt+o k
require "the choice is saved" tsn_wait_for 10 grep -q "^Keep Password after Drag Drop=False" "$INI"
require "the password is entered again" enter_password
require "it is delivered" deliver 2
require "the password box is empty" tsn_wait_for 10 text_is ""
check "no copy is left after a delivery that does not keep it" no_copy_left after-delivery

require "Injection Mode is chosen from the menu" menu_keys alt+o Down Down Down Down Return
require "the choice is saved" tsn_wait_for 10 grep -q "^Drag Drop Mode=Inject" "$INI"
require "the password is entered again" enter_password
DROPS=$(target_count drop)
require "it is typed into the target by injection" deliver 3
check "the drag dropped nothing on the target" equals "$(target_count drop)" "$DROPS"
require "the password box is empty" tsn_wait_for 10 text_is ""
check "no copy is left after injection" no_copy_left after-injection

require "the password is entered once more" enter_password
read -r BACKSPACE_X BACKSPACE_Y < <(row_key "$(tree_of "$KEYBOARD")" 1 last)
point_at "$BACKSPACE_X" "$BACKSPACE_Y" && xdo click --repeat ${#PASSWORD} --delay 150 1
require "Backspace on the keys erases it" tsn_wait_for 10 text_is ""
check "screenshot before exit" tsn_screenshot "$JOURNEY_ARTIFACTS/before-exit.png"
check "no copy is left just before exit" no_copy_left before-exit

check "the target closes" close_program "$TARGET" "$TARGET_PID"
journey_close_tessarin

journey_end
