#!/usr/bin/env bash
# Each start opens the keyboard window at a new random place, so that the keys are not where
# a click logger saw them last time. Two starts must differ in position; their widths are
# reported but may repeat, since the key size is a whole number of pixels.
source "$(dirname "$0")/journey.sh"
journey_begin placement

declare -a left top width
for run in 1 2; do
  journey_open_tessarin
  check "screenshot of start $run taken" tsn_screenshot "$JOURNEY_ARTIFACTS/start-$run.png"
  kb=$(tree_of "$KEYBOARD")
  mv "$kb" "${kb%.txt}-$run.txt"
  read -r left[run] top[run] width[run] _ < <(rect "${kb%.txt}-$run.txt")
  echo "start $run: left ${left[run]}, top ${top[run]}, width ${width[run]}"
  journey_close_tessarin
done

check "the two starts open at different positions" \
  test "${left[1]},${top[1]}" != "${left[2]},${top[2]}"
# 400 twips (26 pixels) from the top-left corner at least, and clear of the right edge.
screen_width=${TSN_SCREEN%%x*}
for run in 1 2; do
  check "start $run lies inside the screen" test "${left[run]}" -ge 26 -a "${top[run]}" -ge 26 \
    -a $((left[run] + width[run])) -le "$screen_width"
done

journey_end
