#!/usr/bin/env bash
# The harness itself, against a fixture program whose windows are known: if wintree misreads
# opacity, topmost, the password character, edit visibility, toolbar buttons or sliders, or
# closing and waiting for the process do not work, this journey fails instead of the program's
# journeys lying.
source "$(dirname "$0")/journey.sh"
journey_begin harness

CAPTION="Tessarin E2E Fixture"
journey_start "$TSN_FIXTURE" "$CAPTION" 200
require "the fixture's windows appear" tsn_wait_window "$CAPTION" 60
require "the fixture's cover appears" tsn_wait_window "$CAPTION Cover" 30

main=$(tree_of "$CAPTION")
cover=$(tree_of "$CAPTION Cover")
require "wintree lists both windows" test -s "$main" -a -s "$cover"
check "main window is layered" equals "$(field "$main" layered)" 1
check "main window opacity reads 200" equals "$(field "$main" alpha)" 200
check "main window is not topmost" equals "$(field "$main" topmost)" 0
check "cover is topmost" equals "$(field "$cover" topmost)" 1
check "cover opacity reads 1" equals "$(field "$cover" alpha)" 1
check "masked edit is shown" equals "$(count_edits "$main" masked shown)" 1
check "plain edit is hidden" equals "$(count_edits "$main" plain hidden)" 1
check "no plain edit is shown" equals "$(count_edits "$main" plain shown)" 0
check "the parked edit counts as off-screen" equals "$(edits "$main" | grep -c offscreen)" 1
check "masked edit's text is read across processes" \
  equals "$(edits "$main" | awk '$1 == "masked" {print $3}')" s3cret
check "password character is '*'" \
  equals "$(grep -o 'passchar=[0-9]*' "$main" | sort -u | tr '\n' ' ')" "passchar=0 passchar=42 "

# inside LINE OUTER [PREFIX]: LINE's rectangle (or its PREFIX one, e.g. thumb) lies within OUTER's.
inside() {
  local p=${3:-}
  (($(val "$1" ${p}x) >= $(val "$2" x) && $(val "$1" ${p}y) >= $(val "$2" y) &&
    $(val "$1" ${p}x) + $(val "$1" ${p}w) <= $(val "$2" x) + $(val "$2" w) &&
    $(val "$1" ${p}y) + $(val "$1" ${p}h) <= $(val "$2" y) + $(val "$2" h)))
}
bar=$JOURNEY_ARTIFACTS/toolbar.txt
wintree --toolbar "$CAPTION" >"$bar"
require "wintree lists the toolbar's four entries" equals "$(wc -l <"$bar")" 4
check "toolbar entries read pressed, plain, separator, hidden" \
  equals "$(awk -F'\t' "$TREE_FIELDS"'{ printf "%s%s%s ", f["pressed"], f["separator"], f["hidden"] }' "$bar")" \
  "100 000 010 001 "
check "a shown button's rectangle lies in the window" inside "$(sed -n 2p "$bar")" "$(head -n 1 "$main")"
slider=$(grep $'\tclass=msctls_trackbar32\t' "$main")
check "the slider reads 42 in 10..99" equals "$(val "$slider" pos) $(val "$slider" min) $(val "$slider" max)" "42 10 99"
check "the slider's thumb lies inside the slider" inside "$slider" "$slider" thumb
check "a window without a toolbar reports it" equals "$(wintree --toolbar "$CAPTION Cover"; echo $?)" 2

wintree >"$JOURNEY_ARTIFACTS/toplevel.txt"
check "the top-level listing has both windows" \
  equals "$(grep -cE "caption=$CAPTION( Cover)?"$'\t' "$JOURNEY_ARTIFACTS/toplevel.txt")" 2
check "closing an unknown caption reports it" \
  equals "$(wintree --close "No Such Window"; echo $?)" 2
check "a child's place is read relative to the client area" \
  equals "$(awk -F'\t' "$TREE_FIELDS"'$0 ~ /passchar=42/ { print f["x"], f["y"] }' "$main")" \
  "$(($(field "$main" cx) + 20)) $(($(field "$main" cy) + 20))"
caption_of() { tr '\t' '\n' | sed -n 's/^caption=//p'; }
check "the window a click reaches is read" equals "$(wintree --at 400 300 | caption_of)" "$CAPTION"
check "a topmost popup over it is read" equals "$(wintree --at 150 150 | caption_of)" "$CAPTION Cover"
check "the foreground window is read" equals "$(wintree --foreground | caption_of)" "$CAPTION"
check "screenshot taken" tsn_screenshot "$JOURNEY_ARTIFACTS/fixture.png"
check "a window is moved" wintree --move "$CAPTION" 160 130
check "it reads as moved" tsn_wait_for 10 window_at "$CAPTION" 160 130
check "a window is minimised" wintree --minimize "$CAPTION"
check "it reads as minimised" tsn_wait_for 10 window_at "$CAPTION" -32000 -32000
check "a window is restored" wintree --restore "$CAPTION"
check "it reads as restored" tsn_wait_for 10 window_at "$CAPTION" 160 130

check "WM_CLOSE is posted" wintree --close "$CAPTION"
check "the process ends" tsn_wait_exit "$JOURNEY_PID" 30
check "it exits cleanly" equals "${TSN_EXIT_STATUS:-none}" 0
check "its windows are gone" tsn_wait_for 10 tsn_window_gone "$CAPTION"

journey_end
