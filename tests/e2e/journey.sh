# Sourced by each journey: checks that print PASS/FAIL, a private copy of the program, and
# reading wintree listings. A journey run by test.sh shares its display and Wine server; run
# on its own it starts (and afterwards stops) its own.
source "$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)/tools/lib.sh"

JOURNEY_FAILED=0
JOURNEY_PID=

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
  if [ -n "$JOURNEY_PID" ] && ! tsn_pid_ended "$JOURNEY_PID"; then
    kill "$JOURNEY_PID" 2>/dev/null
    tsn_wait_exit "$JOURNEY_PID" 10 || kill -9 "$JOURNEY_PID" 2>/dev/null
  fi
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

journey_end() {
  if [ "$JOURNEY_FAILED" = 0 ]; then
    echo "journey $JOURNEY_NAME: PASS (artefacts in $JOURNEY_ARTIFACTS)"
  else
    echo "journey $JOURNEY_NAME: FAIL (artefacts in $JOURNEY_ARTIFACTS)"
  fi
  return "$JOURNEY_FAILED"
}

# journey_start EXE [ARGS...]: starts a Windows program from the work folder.
journey_start() {
  # Not in a subshell: the program must stay this shell's child so that its exit can be waited for.
  cd "$JOURNEY_DIR" || return 1
  tsn_wine_start "$JOURNEY_ARTIFACTS/program.log" "$@"
  JOURNEY_PID=$TSN_LAST_PID
  cd - >/dev/null
}

journey_start_tessarin() {
  cp "$TSN_EXE" "$JOURNEY_DIR/tessarin.exe" || return 1
  journey_start "$JOURNEY_DIR/tessarin.exe"
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

# edits FILE: one line per edit control of a tree listing: "masked" or "plain" (password
# character set or not), then "offscreen" (not inside the top-level window's rectangle, like a
# box parked at negative coordinates), "shown" or "hidden", then the text.
edits() {
  awk -F'\t' '
    {
      delete f
      for (i = 1; i <= NF; i++) { k = $i; sub(/=.*/, "", k); v = $i; sub(/^[^=]*=/, "", v); f[k] = v }
    }
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
