# Sourced by each journey: checks that print PASS/FAIL, a private copy of the program, and
# reading wintree listings. A journey run by test.sh shares its display and Wine server; run
# on its own it starts (and afterwards stops) its own.
source "$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)/tools/lib.sh"

JOURNEY_FAILED=0
# The program started last, and every program the journey started (ended with the journey).
JOURNEY_PID=
JOURNEY_PIDS=()

check() {
  local what=$1
  shift
  if "$@"; then
    echo "PASS: $JOURNEY_NAME: $what"
  else
    echo "FAIL: $JOURNEY_NAME: $what"
    JOURNEY_FAILED=1
    return 1
  fi
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
  trap _journey_exit EXIT
  trap 'exit 130' INT TERM
  if [ -z "${TSN_E2E_SESSION:-}" ]; then
    JOURNEY_OWNS_SESSION=1
    tsn_display
    tsn_wine_prefix
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

journey_end() {
  if [ "$JOURNEY_FAILED" = 0 ]; then
    echo "journey $JOURNEY_NAME: PASS (artefacts in $JOURNEY_ARTIFACTS)"
  else
    echo "journey $JOURNEY_NAME: FAIL (artefacts in $JOURNEY_ARTIFACTS)"
  fi
  return "$JOURNEY_FAILED"
}

KEYBOARD="Tessarin v3"
COVER="Tessarin Screenlogger Protection Layer"

# journey_settings LINE...: the settings file beside the journey's exe, section [Settings].
journey_settings() {
  { printf '[Settings]\r\n'; printf '%s\r\n' "$@"; } >"$JOURNEY_DIR/tsnconfig.ini"
}

# journey_start EXE [ARGS...]: starts a Windows program from the work folder; its output goes
# to <exe name>.log among the artefacts.
journey_start() {
  # Not in a subshell: the program must stay this shell's child so that its exit can be waited for.
  cd "$JOURNEY_DIR" || return 1
  tsn_wine_start "$JOURNEY_ARTIFACTS/$(basename "$1" .exe).log" "$@"
  JOURNEY_PID=$TSN_LAST_PID
  JOURNEY_PIDS+=("$JOURNEY_PID")
  cd - >/dev/null
}

journey_start_tessarin() {
  cp "$TSN_EXE" "$JOURNEY_DIR/tessarin.exe" || return 1
  journey_start "$JOURNEY_DIR/tessarin.exe"
}

# journey_open_tessarin: starts the program and waits for both of its windows.
journey_open_tessarin() {
  require "tessarin.exe is built" test -f "$TSN_EXE"
  journey_start_tessarin
  TESSARIN_PID=$JOURNEY_PID
  require "the keyboard window appears" tsn_wait_window "$KEYBOARD" 60
  require "the cover window appears" tsn_wait_window "$COVER" 30
}

# journey_close_tessarin: closes the keyboard window as its close button does; the program ends.
journey_close_tessarin() {
  unset TSN_EXIT_STATUS
  check "WM_CLOSE is posted to the keyboard window" wintree --close "$KEYBOARD"
  check "the process ends" tsn_wait_exit "$TESSARIN_PID" 30
  check "it exits with status 0" equals "${TSN_EXIT_STATUS:-still running}" 0
}

# wintree ARGS...: the helper's listing, also kept as an artefact.
wintree() {
  tsn_wine_run "$TSN_WINTREE" "$@"
}

# tree_of CAPTION: saves the window's tree listing into the artefacts and prints its path.
tree_of() {
  local file=$JOURNEY_ARTIFACTS/tree-${1// /_}.txt
  wintree --tree "$1" >"$file" || return 1
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

# edits FILE: one line per edit control of a tree listing: "masked" or "plain" (password
# character set or not), then "offscreen" (not inside the top-level window's rectangle, like a
# box parked at negative coordinates), "shown" or "hidden", then the text.
edits() {
  awk -F'\t' "$TREE_FIELDS"'
    NR == 1 { rx = f["x"] + 0; ry = f["y"] + 0; rw = f["w"] + 0; rh = f["h"] + 0 }
    tolower(f["class"]) == "edit" {
      x = f["x"] + 0; y = f["y"] + 0
      inside = x >= rx && y >= ry && x + f["w"] <= rx + rw && y + f["h"] <= ry + rh
      print (f["passchar"] + 0 != 0 ? "masked" : "plain"), \
            (!inside ? "offscreen" : f["visible"] == 1 ? "shown" : "hidden"), f["text"]
    }' "$1"
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
  id=$(timeout 10 xdotool search --onlyvisible --name "^$KEYBOARD\$" | head -n 1)
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
# above), key (width and height of the "`" key), margin (its distance from the client area's
# left edge), rights (right edges of
# Backspace, "\", Enter and the right Shift), edge (margin + 15 keys from the client area's
# left edge, where every row should end) and block (left, top, width, height of the rectangle
# from the "`" key to Enter's right edge, five keys high). All in screen pixels.
key_layout() {
  keys "$1" | awk -F'\t' -v cx="$(field "$1" cx)" '
    $3 != y { rows++; if (rows > 1 && $3 != y + high) misfits++; y = $3; next_x = "" }
    next_x != "" && $2 != next_x { misfits++ }
    { row[rows] = row[rows] (row[rows] == "" ? "" : "|") $1; right[$1] = next_x = $2 + $4; count++ }
    $1 == "`" { left = $2; top = $3; key = $4 "x" $5; edge = $4; high = $5 }
    END {
      print "count=" count
      for (r = 1; r <= rows; r++) print "row" r "=" row[r]
      print "misfits=" misfits + 0
      print "key=" key
      print "margin=" left - cx
      print "rights=" right["bksp"] " " right["\\"] " " right["ent"] " " right["shft"]
      print "edge=" left + 15 * edge
      print "block=" left " " top " " right["ent"] - left " " 5 * high
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
