#!/usr/bin/env bash
# Hover entry with a delay of 750 ms: resting the pointer on a key enters it once, about 0.75 s
# after it came to rest; leaving the keys and coming back to the same key enters nothing more;
# visiting another key and coming back enters both.
source "$(dirname "$0")/journey.sh"
journey_begin hover_entry
# Times the entry from inside Wine: a look from outside costs a Wine process, which on a busy
# machine takes longer than the delay being measured.
STOPWATCH=${TSN_STOPWATCH:-$TSN_BUILD/mingw/bench/stopwatch.exe}
WATCH_LOG=$JOURNEY_DIR/watch.log

journey_settings "MouseMode=Hover Entry Mode" "Hover Timer Interval=750" \
  "View Password Mask=False"
# Out of the way of wherever the window opens, so that nothing is entered before we move.
point_at 0 0
journey_open_tessarin
kb=$(tree_of "$KEYBOARD")
require "wintree lists the keyboard" test -s "$kb"
read -r ax ay < <(key_centre "$kb" a)
read -r sx sy < <(key_centre "$kb" s)
read -r bx by < <(box_centre "$kb")
require "the a and s keys and the text box are found" test -n "$ax" -a -n "$sx" -a -n "$bx"
check "the plain text box starts empty" text_is ""
journey_start "$STOPWATCH" watch "$KEYBOARD" "$(basename "$WATCH_LOG")"
require "the stopwatch watches the box" tsn_wait_for 20 test -s "$WATCH_LOG"

point_at "$ax" "$ay"
rested=$(date +%s%6N)
check "resting on a enters it" tsn_wait_for 10 text_is "a"
# The stopwatch logs "<microseconds> <length>" at each change of the box's length.
delay=$((($(awk '$2 == 1 { print $1; exit }' "$WATCH_LOG") - rested) / 1000))
echo "a appeared ${delay} ms after the pointer came to rest"
# Not before the delay; well before the 2 s the program would use without the setting.
check "it took about 0.75 s (${delay} ms)" test "$delay" -ge 700 -a "$delay" -le 1900
check "staying on a enters nothing more for 1.5 s" tsn_holds 1500 text_is "a"

point_at "$bx" "$by"
check "moving onto the text box enters nothing" tsn_holds 1000 text_is "a"
point_at "$ax" "$ay"
check "coming back to a enters nothing more" tsn_holds 2000 text_is "a"

point_at "$sx" "$sy"
check "moving on to s enters s" tsn_wait_for 10 text_is "as"
point_at "$ax" "$ay"
check "coming back to a after s enters a again" tsn_wait_for 10 text_is "asa"
check "and nothing more for 1.5 s" tsn_holds 1500 text_is "asa"
shot=$JOURNEY_ARTIFACTS/hover-entry.png
check "screenshot taken" tsn_screenshot "$shot"
check "the keyboard window cut out" tsn_crop_to_window "$shot" "$KEYBOARD" "$JOURNEY_ARTIFACTS/keyboard.png"

journey_close_tessarin
journey_end
