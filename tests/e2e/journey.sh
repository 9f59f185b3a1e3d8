# Sourced by each journey: checks that print PASS/FAIL, a private copy of the program, and
# reading wintree listings. A journey run by test.sh shares its display and Wine server; run
# on its own it starts (and afterwards stops) its own.
source "$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)/tools/lib.sh"

JOURNEY_FAILED=0
# The program started last, and every program the journey started (ended with the journey).
JOURNEY_PID=
JOURNEY_PIDS=()

# check WHAT COMMAND...: runs the step and says how it went and how long it took, which tells
# how near a slow machine brings a wait to its limit.
check() {
  local what=$1 started=${EPOCHREALTIME/./}
  shift
  if "$@"; then
    echo "PASS: $JOURNEY_NAME: $what $(_step_time "$started")"
  else
    echo "FAIL: $JOURNEY_NAME: $what $(_step_time "$started")"
    JOURNEY_FAILED=1
    keep_failed_scene
    return 1
  fi
}

# _step_time STARTED: "[1.2 s]", the time since STARTED (microseconds).
_step_time() {
  local tenths=$(((${EPOCHREALTIME/./} - $1) / 100000))
  echo "[$((tenths / 10)).$((tenths % 10)) s]"
}

# The screen, the windows and the Windows programs as they were when a check failed
# (failed-N.png, failed-N-windows.txt and failed-N-processes.txt among the artefacts), since the
# journey goes on or ends and changes them. A window that never came may belong to a program
# that never started, has ended, or waits on something (its state and wait channel).
JOURNEY_FAILURES=0
keep_failed_scene() {
  JOURNEY_FAILURES=$((JOURNEY_FAILURES + 1))
  local base=$JOURNEY_ARTIFACTS/failed-$JOURNEY_FAILURES
  timeout 10 import -display "$DISPLAY" -window root "$base.png" 2>/dev/null
  tsn_wine_run "$TSN_WINTREE" >"$base-windows.txt" 2>&1
  ps -eo pid,ppid,stat,etimes,wchan:24,args | grep -i '[.]exe' >"$base-processes.txt"
}

# For a step the rest of the journey cannot do without.
require() {
  check "$@" || {
    journey_end
    exit 1
  }
}

_journey_exit() {
  local pid
  for pid in "${JOURNEY_PIDS[@]}"; do
    tsn_pid_ended "$pid" && continue
    kill "$pid" 2>/dev/null
    tsn_wait_exit "$pid" 10 || kill -9 "$pid" 2>/dev/null
  done
  [ -n "${JOURNEY_OWN_PREFIX:-}" ] && tsn_wine_stop
  [ -n "${JOURNEY_OWNS_SESSION:-}" ] && tsn_teardown
}

# journey_begin NAME: a fresh work folder and artefact folder; the display and Wine prefix.
journey_begin() {
  JOURNEY_NAME=$1
  JOURNEY_DIR=$TSN_BUILD/e2e/$1
  JOURNEY_ARTIFACTS=$TSN_ARTIFACTS/e2e/$1
  rm -rf "$JOURNEY_DIR" "$JOURNEY_ARTIFACTS"
  mkdir -p "$JOURNEY_DIR" "$JOURNEY_ARTIFACTS"
  tsn_on_exit _journey_exit
  trap 'exit 130' INT TERM
  if [ -z "${TSN_E2E_SESSION:-}" ]; then
    JOURNEY_OWNS_SESSION=1
    tsn_display
    tsn_wine_prefix
    tsn_hold_desktop # journeys close and start the program again
  fi
  tsn_wine_env
  [ -f "$TSN_WINTREE" ] || tsn_die "$TSN_WINTREE is missing: build the mingw preset first"
}

# journey_own_prefix DIR: from here on, Wine programs run in a prefix of the journey's own
# (created once, then reused), whose Wine server ends with the journey.
journey_own_prefix() {
  export TSN_WINEPREFIX=$1
  JOURNEY_OWN_PREFIX=1
  tsn_wine_prefix
}

# journey_skip_unless WHY COMMAND...: ends the journey as skipped when COMMAND fails, because
# this machine lacks what the rest needs; the checks made so far must have passed.
journey_skip_unless() {
  local why=$1
  shift
  "$@" && return 0
  if [ "$JOURNEY_FAILED" = 0 ]; then
    echo "journey $JOURNEY_NAME: SKIPPED, $why (artefacts in $JOURNEY_ARTIFACTS)"
    exit "$TSN_SKIP_STATUS"
  fi
  journey_end
  exit 1
}

journey_end() {
  if [ "$JOURNEY_FAILED" = 0 ]; then
    echo "journey $JOURNEY_NAME: PASS (artefacts in $JOURNEY_ARTIFACTS)"
  else
    echo "journey $JOURNEY_NAME: FAIL (artefacts in $JOURNEY_ARTIFACTS)"
  fi
  return "$JOURNEY_FAILED"
}

# pe_machine FILE: the machine field of a Windows executable's PE header: 8664 for x64, 014c
# for x86.
pe_machine() {
  local pe
  pe=$(od -An -tu4 -j60 -N4 "$1" | tr -d ' ') || return 1
  od -An -tx2 -j$((pe + 4)) -N2 "$1" | tr -d ' '
}

KEYBOARD="Tessarin v3"
COVER="Tessarin Screenlogger Protection Layer"
HIDE_QUESTION="Hide mouse - turn it into grey dot?"

# Other processes cannot read the key captions unless the user lets them. Journeys find keys by
# their captions, so they let them, unless JOURNEY_PRIVATE_KEYS is set before the start.
READABLE_KEYS="Let Other Programs Read the Keys=True"

# journey_settings LINE...: the settings file beside the journey's exe, section [Settings].
journey_settings() {
  [ -z "${JOURNEY_PRIVATE_KEYS:-}" ] && set -- "$READABLE_KEYS" "$@"
  { printf '[Settings]\r\n'; printf '%s\r\n' "$@"; } >"$JOURNEY_DIR/tsnconfig.ini"
}

# journey_start EXE [ARGS...]: starts a Windows program from the work folder; its output goes
# to <exe name>.log among the artefacts.
journey_start() {
  # Not in a subshell: the program must stay this shell's child so that its exit can be waited for.
  cd "$JOURNEY_DIR" || return 1
  tsn_wine_start "$JOURNEY_ARTIFACTS/$(basename "${1//\\//}" .exe).log" "$@"
  JOURNEY_PID=$TSN_LAST_PID
  JOURNEY_PIDS+=("$JOURNEY_PID")
  cd - >/dev/null
}

# windows_path FILE: the file's path as Wine's programs see it, on drive Z:.
windows_path() { echo "Z:$(tr / '\\' <<<"$1")"; }

# linux_pid_of EXE: the Linux process that runs this Windows program (its command line starts
# with the program's path on drive Z:), once it runs.
linux_pid_of() {
  local windows_path proc
  windows_path=$(windows_path "$1")
  for proc in /proc/[0-9]*; do
    # Processes end while the loop runs: their files vanish between listing and reading.
    [ "$({ tr '\0' '\n' <"$proc/cmdline"; } 2>/dev/null | head -n 1)" = "$windows_path" ] || continue
    echo "${proc#/proc/}"
    return 0
  done
  return 1
}

# The program with the layout files the build puts beside it (and readable key captions, see
# READABLE_KEYS). It lets no other program open it, so launch.exe starts it and keeps the
# handle it got at creation, through which wintree reads the toolbar and the sliders; the
# launcher ends with the program and with its exit status.
journey_start_tessarin() {
  [ -e "$JOURNEY_DIR/tsnconfig.ini" ] || [ -n "${JOURNEY_PRIVATE_KEYS:-}" ] || journey_settings
  cp "$TSN_EXE" "$JOURNEY_DIR/tessarin.exe" || return 1
  rm -rf "$JOURNEY_DIR/layouts"
  cp -r "$(dirname "$TSN_EXE")/layouts" "$JOURNEY_DIR/layouts" || return 1
  journey_start "$TSN_LAUNCH" "$(windows_path "$JOURNEY_DIR/tessarin.exe")"
}

# journey_open_tessarin: starts the program and waits for both of its windows. TESSARIN_PID is
# the launcher, a child of this shell, to wait for; TESSARIN_LINUX_PID the program's own process,
# whose /proc files tell its threads, memory and wake-ups.
journey_open_tessarin() {
  require "tessarin.exe is built" test -f "$TSN_EXE"
  require "launch.exe is built" test -f "$TSN_LAUNCH"
  journey_start_tessarin
  TESSARIN_PID=$JOURNEY_PID
  require "the keyboard window appears" tsn_wait_window "$KEYBOARD" 60
  require "the cover window appears" tsn_wait_window "$COVER" 30
  TESSARIN_LINUX_PID=$(linux_pid_of "$JOURNEY_DIR/tessarin.exe")
  require "the program's Linux process is found" test -n "$TESSARIN_LINUX_PID"
}

# journey_close_tessarin: closes the keyboard window as its close button does; the program ends.
journey_close_tessarin() {
  unset TSN_EXIT_STATUS
  check "WM_CLOSE is posted to the keyboard window" wintree --close "$KEYBOARD"
  check "the process ends" tsn_wait_exit "$TESSARIN_PID" 30
  check "it exits with status 0" equals "${TSN_EXIT_STATUS:-still running}" 0
}

# mapped_library PID NAME: the files named NAME (a library, "winmm.dll") that the Windows
# program of that Linux process has mapped, one a line; Wine maps its own libraries from its
# installation, a library loaded from a folder from there.
mapped_library() {
  [ -r "/proc/$1/maps" ] || { echo "  no process $1" >&2; return 1; }
  awk -v name="$2" 'tolower($NF) ~ ("/" tolower(name) "$") && !seen[$NF]++ { print $NF }' "/proc/$1/maps" 2>/dev/null
}
library_loaded() { [ -n "$(mapped_library "$1" "$2")" ]; }
library_not_loaded() { [ -r "/proc/$1/maps" ] && ! library_loaded "$1" "$2"; }

# wintree ARGS...: the helper's listing, also kept as an artefact.
wintree() {
  tsn_wine_run "$TSN_WINTREE" "$@"
}

# tree_of CAPTION: saves the window's tree listing into the artefacts and prints its path.
tree_of() {
  local file=$JOURNEY_ARTIFACTS/tree-${1// /_}.txt status=0
  wintree --tree "$1" >"$file" || status=$?
  # A miss (2) is explained by wintree itself; a time-out (124) or a Wine failure only here.
  [ $status = 0 ] || { echo "wintree --tree '$1' ended with status $status" >&2; return 1; }
  echo "$file"
}

# field FILE KEY: a field of the first line (the top-level window) of a tree listing.
field() {
  head -n 1 "$1" | tr '\t' '\n' | sed -n "s/^$2=//p"
}

# Awk that splits a tree listing line into f[key] = value.
TREE_FIELDS='{
  delete f
  for (i = 1; i <= NF; i++) { k = $i; sub(/=.*/, "", k); v = $i; sub(/^[^=]*=/, "", v); f[k] = v }
}'

# edit_fields FILE FIELD...: one tab-separated line per edit control of a tree listing: "masked"
# or "plain" (password character set or not), then "offscreen" (not inside the top-level
# window's rectangle, like a box parked at negative coordinates), "shown" or "hidden", then the
# named fields.
edit_fields() {
  awk -F'\t' -v fields="${*:2}" "$TREE_FIELDS"'
    NR == 1 { rx = f["x"] + 0; ry = f["y"] + 0; rw = f["w"] + 0; rh = f["h"] + 0 }
    tolower(f["class"]) == "edit" || tolower(f["class"]) ~ /^richedit/ {
      x = f["x"] + 0; y = f["y"] + 0
      inside = x >= rx && y >= ry && x + f["w"] <= rx + rw && y + f["h"] <= ry + rh
      line = (f["passchar"] + 0 != 0 ? "masked" : "plain") "\t" \
             (!inside ? "offscreen" : f["visible"] == 1 ? "shown" : "hidden")
      n = split(fields, wanted, " ")
      for (i = 1; i <= n; i++) line = line "\t" f[wanted[i]]
      print line
    }' "$1"
}

# edits FILE: the same with the text, space-separated, e.g. "masked shown ***".
edits() {
  edit_fields "$1" text | tr '\t' ' '
}

# shown_edit FILE KIND FIELD...: the named fields of the shown edit of that kind, tab-separated.
shown_edit() {
  edit_fields "$1" "${@:3}" | awk -F'\t' -v kind="$2" '
    $1 == kind && $2 == "shown" { sub(/^[^\t]*\t[^\t]*(\t|$)/, ""); print; found = 1; exit }
    END { exit !found }'
}

# count_edits FILE KIND PLACE: how many edits match, e.g. count_edits t.txt plain shown.
count_edits() {
  edits "$1" | awk -v k="$2" -v s="$3" '$1 == k && $2 == s' | wc -l
}

equals() { [ "$1" = "$2" ] || { echo "  expected '$2', got '$1'" >&2; return 1; }; }

# rect FILE: "x y w h" of the top-level window of a tree listing (screen pixels).
rect() {
  echo "$(field "$1" x) $(field "$1" y) $(field "$1" w) $(field "$1" h)"
}

# point_at X Y: real pointer motion to that screen point, back once the pointer is there.
# (xdotool's --sync would wait forever for a move to where the pointer already is.)
point_at() {
  local X Y SCREEN WINDOW
  eval "$(timeout 10 xdotool getmouselocation --shell)"
  [ "$X,$Y" = "$1,$2" ] || timeout 10 xdotool mousemove --sync "$1" "$2"
}

# window_at CAPTION X Y: the window's top-left corner is at that screen point.
window_at() { [ "$(rect "$(tree_of "$1")" | cut -d' ' -f1-2)" = "$2 $3" ]; }

# move_keyboard X Y: moves the keyboard window's X window, as a window manager would.
move_keyboard() {
  local id
  id=$(timeout 10 xdotool search --onlyvisible --name "$(tsn_title_regex "$KEYBOARD")" | head -n 1)
  [ -n "$id" ] && timeout 10 xdotool windowmove "$id" "$1" "$2"
}

# box_centre FILE: "x y" of the centre of the visible text box of a keyboard tree listing.
box_centre() {
  awk -F'\t' "$TREE_FIELDS"'
    tolower(f["class"]) == "edit" && f["visible"] == 1 && f["w"] > 0 {
      print int(f["x"] + f["w"] / 2), int(f["y"] + f["h"] / 2); exit
    }' "$1"
}

# click_at X Y: a real left click at that screen point.
click_at() {
  point_at "$1" "$2" && timeout 10 xdotool click 1
}

# shown_text: the text of the keyboard window's visible text box (password or plain).
shown_text() {
  local file=$JOURNEY_ARTIFACTS/tree-text.txt text
  wintree --tree "$KEYBOARD" >"$file" || return 1
  text=$(edits "$file" | awk '$2 == "shown" { sub(/^[^ ]* [^ ]* /, ""); print; exit }')
  # %b undoes wintree's escapes exactly: it doubled every backslash of the text.
  printf '%b\n' "$text"
}

text_is() { [ "$(shown_text)" = "$1" ]; }

# keys FILE: the shown key buttons of a keyboard tree listing in reading order (top to bottom,
# left to right), one a line: caption, x, y, w, h (screen pixels), tab-separated.
keys() {
  awk -F'\t' "$TREE_FIELDS"'
    f["class"] == "Button" && f["depth"] == 1 && f["visible"] == 1 {
      c = f["caption"]
      gsub(/\\\\/, "\\", c)
      print c "\t" f["x"] "\t" f["y"] "\t" f["w"] "\t" f["h"]
    }' "$1" | sort -t$'\t' -k3,3n -k2,2n
}

# key_centre FILE CAPTION: "x y" of the centre of the first key (in reading order) so captioned.
key_centre() {
  keys "$1" | awk -F'\t' -v c="$2" '$1 == c { print int($2 + $4 / 2), int($3 + $5 / 2); exit }'
}

# key_layout FILE: what the key block of a keyboard tree listing looks like, one NAME=VALUE a
# line: count (shown keys), row1..row5 (captions joined by "|"), misfits (keys that do not
# start where their left neighbour ends, or rows that do not start one key below the row
# above), key (width and height of the first key, "`" in English), margin (its distance from
# the client area's left edge), rights (right edges of
# Backspace, "\", Enter and the right Shift), edge (margin + 15 keys from the client area's
# left edge, where every row should end) and block (left, top, width, height of the rectangle
# from the first key to Enter's right edge, five keys high). All in screen pixels. Only rights
# needs the English captions.
key_layout() {
  keys "$1" | awk -F'\t' -v cx="$(field "$1" cx)" '
    $3 != y { rows++; if (rows > 1 && $3 != y + high) misfits++; y = $3; next_x = "" }
    next_x != "" && $2 != next_x { misfits++ }
    { row[rows] = row[rows] (row[rows] == "" ? "" : "|") $1; right[$1] = next_x = $2 + $4; count++ }
    count == 1 { left = $2; top = $3; key = $4 "x" $5; edge = $4; high = $5 }
    rows == 3 { enter_right = $2 + $4 }
    END {
      print "count=" count
      for (r = 1; r <= rows; r++) print "row" r "=" row[r]
      print "misfits=" misfits + 0
      print "key=" key
      print "margin=" left - cx
      print "rights=" right["bksp"] " " right["\\"] " " right["ent"] " " right["shft"]
      print "edge=" left + 15 * edge
      print "block=" left " " top " " enter_right - left " " 5 * high
    }'
}

# check_every_key_enters KEYBOARD_TREE: a click at the centre of each character key and of the
# space bar enters its caption, so the cover finds every key where it is shown. Needs the
# mask off (the plain text box shown) and the box empty.
check_every_key_enters() {
  local caption x y w h expected=
  while IFS=$'\t' read -r caption x y w h; do
    case $caption in bksp | tab | cap | ent | shft) continue ;; esac
    expected+=$caption
    click_at $((x + w / 2)) $((y + h / 2))
  done < <(keys "$1")
  check "every character key and the space bar enter their captions" \
    tsn_wait_for 20 text_is "$expected"
}

# fact FILE NAME: a value from a saved key_layout.
fact() { sed -n "s/^$2=//p" "$1"; }

# check_key_block KEYBOARD_TREE COVER_TREE MARGIN: the English key block, every row ending at
# the same edge, and the cover lying exactly over it. MARGIN is 300 twips in pixels.
check_key_block() {
  local facts=$JOURNEY_ARTIFACTS/key-layout.txt edge k
  key_layout "$1" >"$facts"
  check "54 keys are shown" equals "$(fact "$facts" count)" 54
  check "row 1 reads \` to = and bksp" equals "$(fact "$facts" row1)" '`|1|2|3|4|5|6|7|8|9|0|-|=|bksp'
  check "row 2 reads tab, q to ] and \\" equals "$(fact "$facts" row2)" 'tab|q|w|e|r|t|y|u|i|o|p|[|]|\'
  check "row 3 reads cap, a to ' and ent" equals "$(fact "$facts" row3)" "cap|a|s|d|f|g|h|j|k|l|;|'|ent"
  check "row 4 reads shft, z to / and shft" equals "$(fact "$facts" row4)" 'shft|z|x|c|v|b|n|m|,|.|/|shft'
  check "row 5 is the space bar alone" equals "$(fact "$facts" row5)" ' '
  check "keys in a row touch, rows lie one key apart" equals "$(fact "$facts" misfits)" 0
  check "the key block starts at the margin" equals "$(fact "$facts" margin)" "$3"
  k=$(fact "$facts" key)
  check "keys are square (${k})" equals "${k%x*}" "${k#*x}"
  edge=$(fact "$facts" edge)
  check "Backspace, \\, Enter and right Shift end at margin + 15 keys ($edge)" \
    equals "$(fact "$facts" rights)" "$edge $edge $edge $edge"
  check "the cover lies exactly over the key block" equals "$(rect "$2")" "$(fact "$facts" block)"
}

# check_keys_journey SHOT MARGIN: opens the program with the mask off (so that what the keys
# enter can be read back), keeps a screenshot named SHOT, checks the key block and the cover
# (MARGIN as for check_key_block), clicks every key, and closes the program.
check_keys_journey() {
  local shot=$JOURNEY_ARTIFACTS/$1 kb cover
  journey_settings "View Password Mask=False"
  journey_open_tessarin
  check "screenshot taken" tsn_screenshot "$shot"
  check "the keyboard window cut out" tsn_crop_to_window "$shot" "$KEYBOARD" "$JOURNEY_ARTIFACTS/keyboard.png"
  kb=$(tree_of "$KEYBOARD")
  cover=$(tree_of "$COVER")
  require "wintree lists both windows" test -s "$kb" -a -s "$cover"
  check_key_block "$kb" "$cover" "$2"
  check "the text box starts empty" text_is ""
  check_every_key_enters "$kb"
  check "screenshot of the typed keys taken" tsn_screenshot "$JOURNEY_ARTIFACTS/typed.png"
  journey_close_tessarin
}

# xdo ARGS...: xdotool with a time-out, so that a stuck X server cannot hang a journey.
xdo() { timeout 30 xdotool "$@"; }

# cover_over_keys: the cover's rectangle is that of the key block right now.
cover_over_keys() {
  local kb cover facts=$JOURNEY_ARTIFACTS/key-layout.txt
  kb=$(tree_of "$KEYBOARD") && cover=$(tree_of "$COVER") || return 1
  key_layout "$kb" >"$facts"
  [ "$(rect "$cover")" = "$(fact "$facts" block)" ]
}

# --- the keyboard window as a user works it ----------------------------------------------------

keyboard_minimised() { window_at "$KEYBOARD" -32000 -32000; }

# restore_keyboard: brings the keyboard window back after a drag minimised it, as a click on
# its task-bar button does, and waits until the cover is back over the keys.
restore_keyboard() {
  wintree --restore "$KEYBOARD" && tsn_wait_for 20 cover_over_keys
}

# title_bar: "x y" of a point on the keyboard window's title bar, clear of its buttons.
title_bar() {
  local x y w
  read -r x y w _ < <(rect "$(tree_of "$KEYBOARD")")
  [ -n "$w" ] && echo "$((x + w / 2)) $((y + 10))"
}

keyboard_in_front() { [ "$(val "$(wintree --foreground)" caption)" = "$KEYBOARD" ]; }

# Keys reach Wine only while the pointer is over one of its windows (there is no window
# manager to give the focus), and then go to the active window. A click on the title bar makes
# the keyboard window active; it is given only when the window is not in front already, since
# two quick clicks there would maximise it.
focus_keyboard() {
  local at
  at=$(title_bar) || return 1
  if keyboard_in_front; then
    point_at $at
  else
    click_at $at && tsn_wait_for 10 keyboard_in_front
  fi
}

# point_at_keyboard: the pointer over the keyboard window's title bar without a click, so that
# keys reach a dialog the program has open in front of it.
point_at_keyboard() {
  local at
  at=$(title_bar) && point_at $at
}

# menu_keys KEY...: the keyboard window in front, then those keys (xdotool names), e.g.
# menu_keys alt+k Down Return for a menu entry, or menu_keys ctrl+m for a shortcut.
menu_keys() {
  focus_keyboard && xdo key --delay 80 "$@"
}

# downs N: N times "Down", to walk down a menu.
downs() {
  local i
  for ((i = 0; i < $1; i++)); do echo Down; done
}

# Menus by keyboard as a user without a mouse would: Alt+letter opens one with its first item
# highlighted, Down skips separators. "Help" has no letter of its own: it is the menu to the
# right of "&Keyboard Layout".
menu_pick() { # menu_pick LETTER DOWNS
  menu_keys "alt+$1" $(downs "$2") Return
}
help_pick() { # help_pick DOWNS
  menu_keys alt+k Right $(downs "$1") Return
}

# A popup menu of the program is open (menus are top-level windows of class #32768).
popup_menu_shown() {
  wintree | grep -q $'\tclass=#32768\t.*\tvisible=1\t'
}
no_popup_menu() { ! popup_menu_shown; }

# answer_box TITLE KEY: waits for a message box of the program and answers it from the keyboard
# (Return for the default button, n for No, Escape for Cancel); waits for it to close.
answer_box() {
  tsn_wait_window "$1" 15 || return 1
  point_at_keyboard && xdo key "$2" && tsn_wait_for 15 tsn_window_gone "$1"
}

# type_into_dialog TITLE TEXT: types TEXT into the dialog's name box and waits until it shows
# it. xdotool types a character outside the keyboard map by lending it a spare key and taking
# the key back at once; on a busy machine Wine reads the key after that and the character is
# lost, and a key mapped for good with xmodmap never reaches Wine as a character at all. A text
# with such characters therefore reaches the box as the characters a typed key would bring:
# WM_CHAR messages, posted by wintree.
type_into_dialog() {
  local text=$2
  if [ -z "$(printf %s "$text" | LC_ALL=C tr -d '\000-\177')" ]; then
    xdo type --delay 30 "$text" || return 1
  else
    # shellcheck disable=SC2046 # one argument per code unit
    wintree --chars "$1" $(utf16_units "$text") || return 1
  fi
  # wintree writes a backslash as two.
  wait_equals 10 "${text//\\/\\\\}" control_field "$1" Edit 1 text
}

# utf16_units TEXT: the text's UTF-16 code units in hexadecimal, one a line.
utf16_units() {
  local LC_ALL=C.UTF-8
  local text=$1 i point
  for ((i = 0; i < ${#text}; i++)); do
    printf -v point '%d' "'${text:i:1}"
    if ((point > 0xFFFF)); then
      printf '%X\n%X\n' $((0xD800 + ((point - 0x10000) >> 10))) $((0xDC00 + ((point - 0x10000) & 0x3FF)))
    else
      printf '%X\n' "$point"
    fi
  done
}

# file_dialog TITLE NAME: fills the program's file dialog (which opens with "*.lng" as its name)
# with NAME and confirms it, or cancels it when NAME is empty; waits for the dialog to close.
file_dialog() {
  tsn_wait_window "$1" 15 || return 1
  wait_equals 15 "*.lng" control_field "$1" Edit 1 text || return 1
  point_at_keyboard || return 1
  if [ -z "$2" ]; then
    xdo key Escape
  else
    type_into_dialog "$1" "$2" && xdo key Return
  fi
  tsn_wait_for 15 tsn_window_gone "$1"
}

# click_toolbar_button INDEX: a click on the keyboard window's toolbar button with that index
# (separators count), or on the last shown one with "last".
click_toolbar_button() {
  local at
  at=$(wintree --toolbar "$KEYBOARD" | awk -F'\t' -v want="$1" "$TREE_FIELDS"'
    f["index"] == want || (want == "last" && f["hidden"] == 0 && f["separator"] == 0) {
      at = int(f["x"] + f["w"] / 2) " " int(f["y"] + f["h"] / 2)
      if (want != "last") exit
    }
    END { if (at == "") exit 1; print at }') || return 1
  click_at $at
}

# row_key FILE ROW first|last: "x y" of the centre of the first or last shown key of a key row
# (1 to 5) of a keyboard tree listing: the left Shift is the first of row 4, Backspace the last
# of row 1, whatever the layout calls them.
row_key() {
  keys "$1" | awk -F'\t' -v row="$2" -v which="$3" '
    $3 != y { rows++; y = $3 }
    rows == row { at = int($2 + $4 / 2) " " int($3 + $5 / 2); if (which == "first") exit }
    END { if (at == "") exit 1; print at }'
}

# A key's caption for the character it enters: "&" shows as "&&".
caption_of() { if [ "$1" = "&" ]; then echo "&&"; else echo "$1"; fi; }

# key_shown CHARACTER: a shown key enters that character now.
key_shown() { [ -n "$(key_centre "$(tree_of "$KEYBOARD")" "$(caption_of "$1")")" ]; }

# snapshot_keys NAME: a copy of the keyboard window's tree listing as the keys are now.
snapshot_keys() {
  local copy=$JOURNEY_ARTIFACTS/keys-$1.txt
  cp "$(tree_of "$KEYBOARD")" "$copy" && echo "$copy"
}

keys_match() { [ "$(keys "$(tree_of "$KEYBOARD")" | cut -f1)" = "$(keys "$1" | cut -f1)" ]; }
keys_differ() { ! keys_match "$1"; }

# shifted_keys UNSHIFTED_SNAPSHOT: a snapshot of the keys while Shift is down; clicks Shift and
# back again.
shifted_keys() {
  local shift_at shifted
  shift_at=$(row_key "$1" 4 first) || return 1
  click_at $shift_at && tsn_wait_for 15 keys_differ "$1" || return 1
  shifted=$(snapshot_keys shifted) || return 1
  click_at $shift_at && tsn_wait_for 15 keys_match "$1" && echo "$shifted"
}

# type_on_screen TEXT: enters TEXT as a user does, by clicks on the cover at the keys' centres,
# clicking Shift first for a character that only the shifted keys show (Shift then acts for
# that one character). Returns once the clicks are sent; callers wait for their effect.
type_on_screen() {
  local LC_ALL=C.UTF-8
  local text=$1 plain shifted= shift_at at caption i
  local clicks=()
  plain=$(snapshot_keys plain) && shift_at=$(row_key "$plain" 4 first) || return 1
  for ((i = 0; i < ${#text}; i++)); do
    caption=$(caption_of "${text:i:1}")
    at=$(key_centre "$plain" "$caption")
    if [ -n "$at" ]; then
      clicks+=(mousemove $at click 1)
      continue
    fi
    [ -n "$shifted" ] || shifted=$(shifted_keys "$plain") || return 1
    at=$(key_centre "$shifted" "$caption")
    [ -n "$at" ] || { tsn_log "no key enters '${text:i:1}'"; return 1; }
    clicks+=(mousemove $shift_at click 1 mousemove $at click 1)
  done
  xdo "${clicks[@]}"
}

# stars N: what the masked box shows for a password of N characters.
stars() { printf '%*s' "$1" '' | tr ' ' '*'; }

# --- selecting and dragging with the real mouse ----------------------------------------------

box_selection_is() { [ "$(shown_edit "$(tree_of "$KEYBOARD")" "$1" sel)" = "$2" ]; }

# select_all KIND: a double click in the keyboard window's shown box of that kind (masked or
# plain); waits until all of its text is selected.
select_all() {
  local kb x y length
  kb=$(tree_of "$KEYBOARD") || return 1
  read -r x y < <(box_centre "$kb")
  # One left edge per UTF-16 unit, as the box counts its selection.
  length=$(shown_edit "$kb" "$1" charx | awk -F, '{ print NF }')
  point_at "$x" "$y" && xdo click --repeat 2 --delay 80 1 && tsn_wait_for 10 box_selection_is "$1" "0,$length"
}

# select_range KIND FROM TO: presses before character FROM (0-based) of the shown box and
# releases before character TO, as a user selects with the mouse; waits for that selection.
select_range() {
  local lefts top from to y
  IFS=$'\t' read -r lefts top < <(shown_edit "$(tree_of "$KEYBOARD")" "$1" charx linetop)
  from=$(cut -d, -f$(($2 + 1)) <<<"$lefts")
  to=$(cut -d, -f$(($3 + 1)) <<<"$lefts")
  y=$((top + 6))
  point_at $((from + 1)) $y &&
    xdo mousedown 1 mousemove $(((from + to) / 2)) $y mousemove $((to + 1)) $y mouseup 1 &&
    tsn_wait_for 10 box_selection_is "$1" "$2,$3"
}

# The note that trails the pointer during a drag (the program's only window without a
# caption) is beside the pointer: the drag loop has seen the pointer there.
note_beside_pointer() {
  local X Y SCREEN WINDOW
  eval "$(xdo getmouselocation --shell)"
  wintree | awk -F'\t' -v px="$X" -v py="$Y" "$TREE_FIELDS"'
    f["class"] == "TessarinForm" && f["caption"] == "" {
      dx = f["x"] - px; dy = f["y"] - py
      if (dx >= 10 && dx <= 25 && dy >= 10 && dy <= 25) found = 1
    }
    END { exit !found }'
}

note_gone() { ! wintree | grep -q $'class=TessarinForm\tcaption=\t'; }

# drag_from_box KIND TO_X TO_Y [ARRIVED...]: presses on the selected characters of the shown
# box and moves with the left button held until the drag has begun (the program minimises its
# windows), carries it to TO in steps, waits until the drag is seen there (and ARRIVED
# succeeds), releases, and waits for the drag to end.
drag_from_box() {
  drag_and_hold "$@" || return 1
  xdo mouseup 1
  tsn_wait_for 15 note_gone
}

# drag_and_hold KIND TO_X TO_Y [ARRIVED...]: drag_from_box up to the release: the button is
# still held when it returns (even when it fails, so that the caller can let go). With
# DRAG_AT=end the press is on the right quarter of the last selected character (not the last
# of the text), where a right-handed user grabs a selection.
drag_and_hold() {
  local x y i sel lefts top start end tx=$2 ty=$3 arrived=0
  IFS=$'\t' read -r sel lefts top < <(shown_edit "$(tree_of "$KEYBOARD")" "$1" sel charx linetop)
  IFS=, read -r start end <<<"$sel"
  [ -n "$end" ] && [ "$end" -gt "$start" ] || return 1
  shift 3
  # A little right of the middle of the first and the last selected character's left edges.
  x=$((($(cut -d, -f$((start + 1)) <<<"$lefts") + $(cut -d, -f"$end" <<<"$lefts")) / 2 + 2))
  if [ "${DRAG_AT:-}" = end ]; then
    local last next
    last=$(cut -d, -f"$end" <<<"$lefts") next=$(cut -d, -f$((end + 1)) <<<"$lefts")
    x=$((last + (next - last) * 3 / 4))
  fi
  y=$((top + 6))
  point_at $x $y && xdo mousedown 1 mousemove $((x + 6)) $y mousemove $((x + 12)) $((y + 3)) || return 1
  if ! tsn_wait_for 15 keyboard_minimised; then
    xdo mouseup 1
    return 1
  fi
  for i in 1 2 3 4; do xdo mousemove $((x + (tx - x) * i / 4)) $((y + (ty - y) * i / 4)); done
  tsn_wait_for 15 note_beside_pointer || arrived=1
  [ $# -eq 0 ] || tsn_wait_for 15 "$@" || arrived=1
  return $arrived
}

# --- the programs the password goes to ----------------------------------------------------

TARGET="Tessarin E2E Target"
NOTEPAD="Untitled - Notepad"

# start_target [--peek]: the drop target helper, logging to target.log in the work folder; its
# pid is in TARGET_PID.
start_target() {
  TARGET_LOG=$JOURNEY_DIR/target.log
  journey_start "$TSN_TARGET" "$@" target.log "$TARGET" || return 1
  TARGET_PID=$JOURNEY_PID
  tsn_wait_for 30 target_count_above ready 0 && tsn_wait_window "$TARGET" 30
}

# target_count KIND: how many records of that kind the target has logged.
target_count() { cat "$TARGET_LOG" 2>/dev/null | grep -c "^$1"$'\t'; }
target_count_above() { [ "$(target_count "$1")" -gt "$2" ]; }

# target_last KIND FIELD: a field of the target's last record of that kind.
target_last() {
  grep "^$1"$'\t' "$TARGET_LOG" | tail -n 1 | tr '\t' '\n' | sed -n "s/^$2=//p"
}

# edit_centre CAPTION: "x y" of the middle of that window's shown plain edit box.
edit_centre() {
  local x y w h
  IFS=$'\t' read -r x y w h < <(shown_edit "$(tree_of "$1")" plain x y w h)
  [ -n "$h" ] && echo "$((x + w / 2)) $((y + h / 2))"
}

# edit_text CAPTION: the text of that window's shown plain edit box; wintree's escapes undone.
edit_text() {
  local text
  text=$(shown_edit "$(tree_of "$1")" plain text) || return 1
  printf '%b\n' "$text"
}
edit_text_is() { [ "$(edit_text "$1")" = "$2" ]; }

# ansi_hex TEXT CODEPAGE: the bytes of TEXT in that Windows code page, as the target logs them.
ansi_hex() { printf '%s' "$1" | iconv -f UTF-8 -t "CP$2" | od -An -tx1 | tr -d ' \n'; }

# close_program CAPTION PID: closes a window as its close box does and waits for the process.
close_program() {
  wintree --close "$1" && tsn_wait_exit "$2" 30
}

# button_centre CAPTION BUTTON: "x y" of the middle of the button with that caption (as wintree
# lists it, "&" marks included) in the top-level window with that caption.
button_centre() {
  local tree
  tree=$(tree_of "$1") || return 1
  awk -F'\t' -v want="$2" "$TREE_FIELDS"'
    f["class"] == "Button" && f["caption"] == want { print int(f["x"] + f["w"] / 2), int(f["y"] + f["h"] / 2); found = 1; exit }
    END { exit !found }' "$tree"
}

WORDPAD="Document - Wine Wordpad"

# close_unsaved_wordpad PID: closes WordPad and answers "No" when it asks to save its text.
close_unsaved_wordpad() {
  local at
  wintree --close "$WORDPAD" && tsn_wait_for 20 button_centre "Wine Wordpad" "&No" >/dev/null || return 1
  at=$(button_centre "Wine Wordpad" "&No") && click_at $at && tsn_wait_exit "$1" 30
}

# close_unsaved_notepad PID: closes notepad and answers "No" when it asks to save its text.
close_unsaved_notepad() {
  local at
  wintree --close "$NOTEPAD" && tsn_wait_for 20 button_centre Notepad "&No" >/dev/null || return 1
  at=$(button_centre Notepad "&No") && click_at $at && tsn_wait_exit "$1" 30
}

# desktop_point: "x y" of a point where no window is, only the desktop.
desktop_point() {
  local x y
  for y in 60 300 500 700 980; do
    for x in 1240 1000 700 300 40; do
      wintree --at $x $y | grep -q $'^hwnd=0x0\t' && echo "$x $y" && return 0
    done
  done
  return 1
}
# not_delivered_box_says TEXT: the program's message box is up and says TEXT. One look just
# after the box showed once missed a text that was there (the screenshot showed it); the wait
# is for the text itself, and a failed look is named in the log by tree_of.
not_delivered_box_says() {
  tsn_wait_window Tessarin 15 && tsn_wait_for 15 box_says Tessarin "$1"
}
box_says() {
  local tree
  tree=$(tree_of "$1") && grep -q "caption=[^	]*$2" "$tree"
}

# --- the clipboard --------------------------------------------------------------------------

clipboard_set() { tsn_wine_run "$TSN_CLIPBOARD" --set "$1"; }
clipboard_text() { tsn_wine_run "$TSN_CLIPBOARD" --get; }
clipboard_empty() { tsn_wine_run "$TSN_CLIPBOARD" --get >/dev/null; [ $? -eq 3 ]; }
# clipboard_holds TEXT: the clipboard holds exactly TEXT; on failure says what the helper found.
clipboard_holds() {
  local got status=0
  got=$(clipboard_text) || status=$?
  [ $status = 0 ] && [ "$got" = "$1" ] && return 0
  echo "  expected '$1', got '$got' (clipboard helper exit status $status)" >&2
  return 1
}

# --- reading controls, settings and layout files ---------------------------------------------

# val LINE KEY: a field of one listing line.
val() {
  tr '\t' '\n' <<<"$1" | sed -n "s/^$2=//p" | head -n 1
}

# scan TEXT NAME: the scanner's report on the program's memory, kept as an artefact; its exit
# status is the scanner's (0 not found, 1 found, 2 could not read the program).
scan() {
  tsn_wine_run "$TSN_MEMSCAN" "$TESSARIN_LINUX_PID" "$1" >"$JOURNEY_ARTIFACTS/scan-$2.txt"
}
found_in_memory() { scan "$1" "$2"; [ $? = 1 ]; }
# not_in_memory TEXT NAME: the scanner read the program and found no copy.
not_in_memory() { scan "$1" "$2"; [ $? = 0 ]; }

# access_rights CAPTION RIGHT...: for each right (wintree --access names), 1 when a fresh
# OpenProcess of the window's program gets it and 0 when it is refused, space-separated.
access_rights() {
  local line right out=()
  line=$(wintree --access "$1") || return 1
  shift
  for right in "$@"; do out+=("$(val "$line" "$right")"); done
  echo "${out[*]}"
}

# control CAPTION CLASS N: the listing line of the Nth control of that class in the window.
control() {
  wintree --tree "$1" | awk -F'\t' -v c="class=$2" -v n="$3" 'tolower($5) == tolower(c) && ++seen == n'
}

# control_field CAPTION CLASS N KEY: one field of that control, e.g. whether a slider is visible.
control_field() {
  val "$(control "$1" "$2" "$3")" "$4"
}

# The keyboard window's sliders and the hover-delay label. The hover-delay slider and its label
# get their windows only when first shown, in a hover mode, before the transparency slider
# (which is always there) and its label.
keyboard_sliders() { wintree --tree "$KEYBOARD" | awk -F'\t' 'tolower($5) == "class=msctls_trackbar32"'; }
transparency_slider() { keyboard_sliders | tail -n 1; }
hover_slider() {
  local sliders
  sliders=$(keyboard_sliders) || return 1
  [ "$(grep -c . <<<"$sliders")" -eq 2 ] && head -n 1 <<<"$sliders"
}
hover_label() { wintree --tree "$KEYBOARD" | grep $'\tclass=Static\tcaption=Hover Delay\t'; }
# shown LINE: 1 when the listed window is visible; 0 when it is not, or has no window yet.
shown() {
  local visible
  visible=$(val "$1" visible)
  echo "${visible:-0}"
}

# toolbar_field CAPTION KEY: that field of every toolbar button of the window, space-separated.
toolbar_field() {
  wintree --toolbar "$1" | while IFS= read -r line; do val "$line" "$2"; done | paste -sd' '
}

# mode_buttons: the pressed look (1 or 0) of the Standard, Hover and HideMouse buttons, the
# first three on the keyboard window's toolbar.
mode_buttons() { toolbar_field "$KEYBOARD" pressed | cut -d' ' -f1-3; }

# key_caption_lines CAPTION: the captions of the window's buttons, one a line, as wintree writes
# them; the key buttons Command1 to Command65 come first, in order, the spare ones left out.
key_caption_lines() {
  wintree --tree "$1" | awk -F'\t' '$5 == "class=Button" { sub(/^caption=/, "", $6); print $6 }'
}

# The spare key buttons, never shown, get no windows: wintree lists the other 54 in key order.
SPARE_KEYS=" 14 54 55 56 58 59 60 61 62 63 64 "

# listed_key N: the place of key button N (1 to 65) among the listed ones.
listed_key() {
  local k place=0
  for ((k = 1; k <= $1; k++)); do [[ $SPARE_KEYS == *" $k "* ]] || place=$((place + 1)); done
  echo "$place"
}

# key_captions CAPTION FIRST LAST: the captions of key buttons FIRST..LAST (spare ones left
# out), space-separated.
key_captions() {
  key_caption_lines "$1" | sed -n "$(listed_key "$2"),$(listed_key "$3")p" | paste -sd' '
}

# file_mark FILE [COUNT]: the first COUNT (2) bytes of a file in hex, where a byte-order mark would be.
file_mark() { head -c "${2:-2}" "$1" | od -An -tx1 | tr -d ' \n'; }

# ini_text FILE: an INI file's text as UTF-8 without carriage returns, in whichever encoding the
# program reads it: UTF-16LE or UTF-8 after a byte-order mark, otherwise code page 1252.
ini_text() {
  case $(file_mark "$1" 3) in
    fffe*) iconv -f UTF-16LE -t UTF-8 "$1" | sed '1s/^\xEF\xBB\xBF//' ;;
    efbbbf) tail -c +4 "$1" ;;
    *) iconv -f CP1252 -t UTF-8 "$1" ;;
  esac | tr -d '\r'
}

# ini_get FILE SECTION KEY: a value of an INI file, as UTF-8; names compare without regard to
# case, as the profile functions do. Fails when the file or the entry is missing.
ini_get() {
  [ -r "$1" ] || return 1
  ini_text "$1" | awk -v s="$2" -v k="$3" '
    /^\[/ { here = tolower($0) == "[" tolower(s) "]"; next }
    here && (i = index($0, "=")) && tolower(substr($0, 1, i - 1)) == tolower(k) { print substr($0, i + 1); found = 1; exit }
    END { exit !found }'
}

# ini_row FILE SECTION COUNT: entries Key 1 to Key COUNT of a layout section, space-separated.
ini_row() {
  local n
  for ((n = 1; n <= $3; n++)); do ini_get "$1" "$2" "Key $n"; done | paste -sd' '
}

# The sections of a layout file, also copied into the settings file by an import.
LAYOUT_SECTIONS=("Row 1 Lower Case" "Row 2 Lower Case" "Row 3 Lower Case" "Row 4 Lower Case"
  "Row 1 Upper Case" "Row 2 Upper Case" "Row 3 Upper Case" "Row 4 Upper Case" "Action Keyboard Button Text")

# ini_entries FILE SECTION...: "section|key=value" lines of those sections, for comparing files.
ini_entries() {
  local file=$1
  shift
  ini_text "$file" | awk -v list="$(printf '%s\n' "$@" | tr 'A-Z' 'a-z')" '
    BEGIN { n = split(list, names, "\n"); for (i = 1; i <= n; i++) wanted["[" names[i] "]"] = 1 }
    /^\[/ { section = tolower($0); next }
    (section in wanted) && index($0, "=") { print section "|" $0 }'
}

# as_utf8 FILE: a copy of a layout file as UTF-8 with a byte-order mark, to compare with the
# captions wintree prints; prints the copy's path.
as_utf8() {
  local out
  out=$JOURNEY_DIR/$(basename "$1").utf8
  { printf '\xEF\xBB\xBF' && ini_text "$1"; } >"$out" && echo "$out"
}

# wait_equals SECONDS EXPECTED COMMAND...: polls until COMMAND prints EXPECTED; on time-out
# says what it printed last.
wait_equals() {
  local deadline=$((SECONDS + $1)) want=$2 got
  shift 2
  until got=$("$@" 2>/dev/null) && [ "$got" = "$want" ]; do
    if [ $SECONDS -ge $deadline ]; then
      echo "  expected '$want', got '$got'" >&2
      return 1
    fi
    sleep 0.2
  done
}
