# Shared pieces of run.sh, test.sh and the end-to-end journeys: packages, builds, the Wine
# prefix, a private X display with a compositor, waiting for windows and processes, clean-up.
# Source it from bash; it defines functions and variables and starts nothing by itself.

TSN_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
TSN_BUILD=$TSN_ROOT/build
TSN_ARTIFACTS=$TSN_ROOT/artifacts
TSN_EXE=${TSN_EXE:-$TSN_BUILD/mingw/src/platform/win32/tessarin.exe}
TSN_EXE_X86=${TSN_EXE_X86:-$TSN_BUILD/mingw32/src/platform/win32/tessarin.exe}
TSN_WINTREE=${TSN_WINTREE:-$TSN_BUILD/mingw/tests/e2e/wintree.exe}
TSN_FIXTURE=${TSN_FIXTURE:-$TSN_BUILD/mingw/tests/e2e/fixture.exe}
TSN_KEYLOG=${TSN_KEYLOG:-$TSN_BUILD/mingw/tests/e2e/keylog.exe}
TSN_TARGET=${TSN_TARGET:-$TSN_BUILD/mingw/tests/e2e/target.exe}
TSN_SOURCE=${TSN_SOURCE:-$TSN_BUILD/mingw/tests/e2e/source.exe}
TSN_MEMSCAN=${TSN_MEMSCAN:-$TSN_BUILD/mingw/tests/e2e/memscan.exe}
TSN_CLIPBOARD=${TSN_CLIPBOARD:-$TSN_BUILD/mingw/tests/e2e/clipboard.exe}
TSN_LAUNCH=${TSN_LAUNCH:-$TSN_BUILD/mingw/tests/e2e/launch.exe}
TSN_HOLD_DESKTOP=${TSN_HOLD_DESKTOP:-$TSN_BUILD/mingw/tests/e2e/hold_desktop.exe}
# wine64 and wineserver64 of Debian's wine64 package; /usr/bin/wine belongs to another package.
TSN_WINE=${TSN_WINE:-/usr/lib/wine/wine64}
TSN_WINESERVER=${TSN_WINESERVER:-/usr/lib/wine/wineserver64}
# wine32:i386 runs the 32-bit build; it needs the i386 architecture, which apt is given first.
TSN_PACKAGES=(cmake zip g++ googletest g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev wine64
  g++-mingw-w64-i686-posix mingw-w64-i686-dev wine32:i386
  fonts-wine xvfb xauth xcompmgr x11-utils xdotool imagemagick clang libclang-rt-14-dev stress-ng
  nsis # makensis, for the setup programs
  ccache # keeps compiled objects between runs and between clones
  python3-xlib # tools/wm_state.py, run by Debian's python3
  e2fsprogs) # chattr, for a settings file that even root cannot write
TSN_SCREEN=${TSN_SCREEN:-1280x1024x24}

# The exit status of a suite that this machine cannot run (as automake's test drivers use it).
TSN_SKIP_STATUS=77
# tsn_failed STATUS: whether a suite or journey that ended so failed (skipped is not failed).
tsn_failed() { [ "$1" != 0 ] && [ "$1" != "$TSN_SKIP_STATUS" ]; }
# Some kernels are built without 32-bit support: there even Wine's 32-bit loader cannot start.
tsn_runs_32bit() { "${TSN_WINE32:-/usr/lib/wine/wine}" --version >/dev/null 2>&1; }

# Processes this shell started in the background and must end (Xvfb, xcompmgr, programs).
TSN_PIDS=()

tsn_log() { printf '[%s] %s\n' "$(date +%H:%M:%S)" "$*" >&2; }
tsn_die() {
  tsn_log "error: $*"
  exit 1
}

# --- packages -----------------------------------------------------------------------------

tsn_missing_packages() {
  local p
  for p in "${TSN_PACKAGES[@]}"; do
    dpkg-query -W -f='${db:Status-Abbrev}' "$p" 2>/dev/null | grep -q '^ii' || echo "$p"
  done
}

# apt runs only when something is missing, so a second run goes straight to the build.
tsn_ensure_packages() {
  command -v dpkg-query >/dev/null || tsn_die "not a Debian system: install ${TSN_PACKAGES[*]} by hand"
  local missing
  missing=$(tsn_missing_packages | tr '\n' ' ')
  [ -z "${missing// /}" ] && return 0
  tsn_log "installing missing packages: $missing"
  local sudo=()
  if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || tsn_die "not root and no sudo: install $missing"
    sudo=(sudo)
  fi
  # Waits up to 5 minutes for another apt or dpkg to let go of the lock, then gives up.
  local apt=("${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get -q -o DPkg::Lock::Timeout=300)
  dpkg --print-foreign-architectures | grep -qx i386 || "${sudo[@]}" dpkg --add-architecture i386 ||
    tsn_die "could not add the i386 architecture for wine32"
  "${apt[@]}" update </dev/null || tsn_die "apt-get update failed"
  "${apt[@]}" install -y "${TSN_PACKAGES[@]}" </dev/null || tsn_die "apt-get install failed"
}

# --- building -------------------------------------------------------------------------------

# The version of CMakeLists.txt's project(): the one the program shows and the archives carry.
tsn_project_version() {
  sed -n 's/^project(Tessarin VERSION \([0-9.]*\).*/\1/p' "$TSN_ROOT/CMakeLists.txt"
}

# The compiler cache: a build of a clone whose sources were built before, here or in another
# clone, takes its objects from the cache. The environment is read when a build folder is
# first configured. The sloppiness lets objects built with a precompiled header be cached (no
# source uses __DATE__ or __TIME__); without the folder in the hash, objects with debugging
# information are shared between clones too (their source paths then name the first clone).
tsn_compiler_cache() {
  command -v ccache >/dev/null || return 0
  export CMAKE_C_COMPILER_LAUNCHER=ccache CMAKE_CXX_COMPILER_LAUNCHER=ccache
  export CCACHE_BASEDIR=$TSN_ROOT CCACHE_NOHASHDIR=1
  export CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime
}

# tsn_build PRESET [TARGET...]: configure (quick once the cache exists), then build. One build
# of a preset at a time: journeys in two streams (test.sh) may both build the setup programs.
tsn_build() {
  local preset=$1
  shift
  local targets=()
  [ $# -gt 0 ] && targets=(--target "$@")
  mkdir -p "$TSN_BUILD"
  (
    flock 9
    cd "$TSN_ROOT" && tsn_compiler_cache && cmake --preset "$preset" >/dev/null &&
      cmake --build --preset "$preset" "${targets[@]}"
  ) 9>"$TSN_BUILD/.build-$preset.lock"
}

# tsn_fuzz TARGET SECONDS: runs a libFuzzer target for a bounded time on a copy of its seed
# corpus; a crash or a broken invariant fails it (the crashing input is kept in build/fuzz).
tsn_fuzz() {
  local target=$1 seconds=$2 corpus=$TSN_BUILD/fuzz/corpus-$1
  mkdir -p "$corpus"
  (cd "$TSN_BUILD/fuzz" && timeout -k 10 $((seconds + 60)) "tests/fuzz/${target}_fuzz" \
    -max_total_time="$seconds" -max_len=4096 -print_final_stats=1 \
    "$corpus" "$TSN_ROOT/tests/fuzz/corpus/$target")
}

# --- Wine -------------------------------------------------------------------------------------

# A private prefix under build/, no Mono/Gecko install prompts, no debug chatter.
tsn_wine_env() {
  export WINEPREFIX=${TSN_WINEPREFIX:-$TSN_BUILD/wineprefix}
  export WINEARCH=win64
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml="
  export WINESERVER=$TSN_WINESERVER
}

# Initialises the prefix once (about 10 s); later runs find the marker and reuse it. Either way
# it gets what the screenshots need: Wine's fonts and frames.
tsn_wine_prefix() {
  tsn_wine_env
  if [ ! -f "$WINEPREFIX/.tessarin-ready" ]; then
    tsn_log "initialising the Wine prefix in $WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    timeout 180 "$TSN_WINE" wineboot -i </dev/null >/dev/null 2>&1 || tsn_die "wineboot -i failed"
    # wineboot returns before the registry is on disk; the server writes it when it ends.
    timeout 60 "$TSN_WINESERVER" -w || tsn_die "the Wine server did not finish after wineboot"
    [ -f "$WINEPREFIX/system.reg" ] || tsn_die "wineboot left no registry in $WINEPREFIX"
    touch "$WINEPREFIX/.tessarin-ready"
  fi
  tsn_wine_fonts
  tsn_wine_frames
}

# Wine draws the frame and title bar of every window itself. It leaves those of most windows
# (dialogs, message boxes, other programs; not layered ones such as the keyboard window) to the
# window manager, and the private Xvfb has none: they showed without a title bar. Once per
# prefix; the marker lets prefixes made before this step get it too.
tsn_wine_frames() {
  [ -f "$WINEPREFIX/.tessarin-frames" ] && return 0
  timeout 60 "$TSN_WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /t REG_SZ /d N /f \
    </dev/null >/dev/null 2>&1 || tsn_die "could not set Wine to draw window frames in $WINEPREFIX"
  # The server that reg started may have no display; programs started in it could open no
  # window. It ends a few seconds after its last program (later, if others run in the prefix).
  timeout 60 "$TSN_WINESERVER" -w || tsn_log "Wine programs still run in $WINEPREFIX"
  touch "$WINEPREFIX/.tessarin-frames"
}

# Wine's own fonts (Marlett for the caption buttons, Tahoma for dialogs and menus, ...) in the
# prefix's Fonts folder. Debian's loader lives in /usr/lib/wine, so Wine looks for them under
# "/usr/lib/wine/../../share/wine", a path its font loader cannot follow: without this copy the
# title bar's buttons draw as the letters "0 1 r". Runs every time so that prefixes made before
# this step get the fonts too; cp -u copies only what is missing or older.
TSN_WINE_FONTS=${TSN_WINE_FONTS:-/usr/share/wine/fonts}
tsn_wine_fonts() {
  local fonts=$WINEPREFIX/drive_c/windows/Fonts
  [ -f "$TSN_WINE_FONTS/marlett.ttf" ] || tsn_die "no marlett.ttf in $TSN_WINE_FONTS: install fonts-wine"
  mkdir -p "$fonts" && cp -u "$TSN_WINE_FONTS"/* "$fonts"/ || tsn_die "could not copy Wine's fonts into $fonts"
}

# Ends every Wine process of our prefix (and only of our prefix) and waits for the server.
tsn_wine_stop() {
  [ -n "${WINEPREFIX:-}" ] || return 0
  "$TSN_WINESERVER" -k 2>/dev/null || true
  timeout 30 "$TSN_WINESERVER" -w 2>/dev/null || true
}

# tsn_wine_start LOGFILE EXE [ARGS...]: starts a Windows program; its pid is in TSN_LAST_PID.
tsn_wine_start() {
  local log=$1
  shift
  "$TSN_WINE" "$@" </dev/null >"$log" 2>&1 &
  TSN_LAST_PID=$!
  TSN_PIDS+=("$TSN_LAST_PID")
}

# tsn_hold_desktop: keeps the session's desktop open until the Wine server ends. Wine closes a
# desktop a second after its last program ends, and a program started as it closed was left on
# it while later ones (the looks from outside) got a new one.
tsn_hold_desktop() {
  "$TSN_WINE" "$TSN_HOLD_DESKTOP" </dev/null >/dev/null 2>&1 &
  TSN_DESKTOP_HOLDER=$!
}

# tsn_wine_run EXE [ARGS...]: runs a Windows console helper to completion (30 s at most).
tsn_wine_run() {
  timeout 30 "$TSN_WINE" "$@" </dev/null
}

# Seconds an end-to-end journey may take before test.sh and tools/soak.sh end it as hung
# (timeout -k 10 "$TSN_JOURNEY_LIMIT" bash JOURNEY). On a shared machine under load the
# longest ones went past 5 minutes while passing every step they reached.
TSN_JOURNEY_LIMIT=600

# --- the X display ------------------------------------------------------------------------

tsn_display_usable() {
  [ -n "${1:-}" ] && timeout 10 xdpyinfo -display "$1" >/dev/null 2>&1
}

# Starts Xvfb with Composite and xcompmgr on the first free display from :93 (others' Xvfb
# instances use lower numbers) and exports DISPLAY. Without a compositor a layered window at
# opacity 1 would show as an opaque grey block. wm_state.py keeps the windows' WM_STATE as a
# window manager would, without which Wine waits 2 s before it hides a window.
tsn_xvfb_start() {
  local n=${TSN_FIRST_DISPLAY:-93} last=$((${TSN_FIRST_DISPLAY:-93} + 40)) pid deadline
  for (( ; n < last; n++)); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    Xvfb ":$n" -screen 0 "$TSN_SCREEN" +extension Composite -nolisten tcp -noreset \
      </dev/null >"$TSN_BUILD/xvfb-$n.log" 2>&1 &
    pid=$!
    deadline=$((SECONDS + 20))
    while kill -0 "$pid" 2>/dev/null && [ $SECONDS -lt $deadline ]; do
      if tsn_display_usable ":$n"; then
        TSN_PIDS+=("$pid")
        TSN_XVFB_PID=$pid
        export DISPLAY=":$n"
        xcompmgr -d "$DISPLAY" </dev/null >"$TSN_BUILD/xcompmgr-$n.log" 2>&1 &
        TSN_PIDS+=("$!")
        /usr/bin/python3 "$TSN_ROOT/tools/wm_state.py" </dev/null >"$TSN_BUILD/wm_state-$n.log" 2>&1 &
        TSN_PIDS+=("$!")
        tsn_log "Xvfb running on $DISPLAY"
        return 0
      fi
      sleep 0.2
    done
    # Lost a race for this number, or the server failed: try the next one.
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  tsn_die "could not start Xvfb on any display from :${TSN_FIRST_DISPLAY:-93}"
}

# Uses $DISPLAY when it answers, else starts a private one.
tsn_display() {
  mkdir -p "$TSN_BUILD"
  if tsn_display_usable "${DISPLAY:-}"; then
    tsn_log "using display $DISPLAY"
  else
    tsn_xvfb_start
  fi
}

# --- waiting --------------------------------------------------------------------------------

# tsn_wait_for SECONDS COMMAND...: polls until COMMAND succeeds; fails after SECONDS.
tsn_wait_for() {
  local deadline=$((SECONDS + $1))
  shift
  until "$@"; do
    [ $SECONDS -ge $deadline ] && return 1
    sleep 0.2
  done
}

tsn_now_ms() { echo $(($(date +%s%N) / 1000000)); }

# tsn_holds MILLISECONDS COMMAND...: polls COMMAND for that long; fails as soon as it fails.
# For what must stay true, such as a text that must not change.
tsn_holds() {
  local deadline=$(($(tsn_now_ms) + $1))
  shift
  while [ "$(tsn_now_ms)" -lt $deadline ]; do
    "$@" || return 1
    sleep 0.1
  done
}

# tsn_title_regex CAPTION: a pattern for xdotool that matches exactly this title, so that a
# title such as "Hide mouse?" is not read as a regular expression.
tsn_title_regex() {
  printf '^%s$' "$(printf '%s' "$1" | sed 's/[][\\.*^$?+(){}|]/\\&/g')"
}

# Mapped X windows only: Wine may create a window's X counterpart before the program shows it.
tsn_window_shown() { timeout 10 xdotool search --onlyvisible --name "$(tsn_title_regex "$1")" >/dev/null 2>&1; }

# tsn_wait_window CAPTION [SECONDS]: waits for a shown X window with exactly this title.
tsn_wait_window() {
  tsn_wait_for "${2:-30}" tsn_window_shown "$1"
}

tsn_window_gone() { ! tsn_window_shown "$1"; }

# A child that has exited stays a zombie until waited for, so kill -0 alone is not enough.
tsn_pid_ended() {
  [ ! -e "/proc/$1" ] || [ "$(awk '{print $3}' "/proc/$1/stat" 2>/dev/null)" = Z ]
}

# tsn_wait_exit PID [SECONDS]: waits for the process to end and sets TSN_EXIT_STATUS.
tsn_wait_exit() {
  tsn_wait_for "${2:-30}" tsn_pid_ended "$1" || return 1
  TSN_EXIT_STATUS=0
  wait "$1" 2>/dev/null || TSN_EXIT_STATUS=$?
}

# tsn_screenshot FILE [SECONDS]: a shot of the whole screen once it has stopped changing (two
# shots in a row with the same pixels), so that windows that were just shown have painted. A
# blinking caret is not a change: shots that differ in a caret's worth of pixels or fewer count
# as the same. Keeps the last shot and fails when the screen did not settle in time.
tsn_screenshot() {
  local file=$1 deadline=$((SECONDS + ${2:-20})) shot=$1.tmp.png differing
  mkdir -p "$(dirname "$file")"
  rm -f "$file"
  while :; do
    timeout 30 import -display "$DISPLAY" -window root "$shot" || return 1
    if [ -f "$file" ]; then
      # compare prints how many pixels differ; its exit status only says whether any do.
      differing=$(compare -metric AE "$file" "$shot" null: 2>&1)
      mv -f "$shot" "$file"
      awk -v n="$differing" 'BEGIN { exit !(n ~ /^[0-9.e+]+$/ && n + 0 <= 64) }' && return 0
    else
      mv -f "$shot" "$file"
    fi
    [ $SECONDS -ge $deadline ] && return 1
    sleep 0.3
  done
}

# tsn_crop_to_window SHOT CAPTION OUT [MARGIN]: cuts the window with this title (and MARGIN
# pixels around it, within the screen) out of a screenshot.
tsn_crop_to_window() {
  local id X Y WIDTH HEIGHT SCREEN WINDOW m=${4:-0} left top
  id=$(timeout 10 xdotool search --onlyvisible --name "$(tsn_title_regex "$2")" | head -n 1)
  [ -n "$id" ] || return 1
  eval "$(timeout 10 xdotool getwindowgeometry --shell "$id")"
  left=$((X > m ? X - m : 0))
  top=$((Y > m ? Y - m : 0))
  convert "$1" -crop "$((WIDTH + X - left + m))x$((HEIGHT + Y - top + m))+$left+$top" +repage "$3"
}

# --- clean-up -------------------------------------------------------------------------------

# tsn_on_exit COMMAND: runs COMMAND when this shell ends. A signal that comes while it runs is
# ignored: a stream is sent one by its caller just after one of its own, and a clean-up cut short
# there left a display and a Wine server running.
tsn_on_exit() {
  trap "trap '' INT TERM; $1" EXIT
}

# tsn_end_process PID: TERM, and KILL if it has not ended 10 s later.
tsn_end_process() {
  kill "$1" 2>/dev/null || true
  tsn_wait_for 10 tsn_pid_ended "$1" || kill -9 "$1" 2>/dev/null || true
  wait "$1" 2>/dev/null || true
}

# Ends the desktop's holder, then Wine (its X connections), then the processes this shell
# started, newest first. A holder still starting when the Wine server ends starts a server of
# its own, and both outlive the session. Runs from EXIT traps, possibly under set -e, so no
# step may fail.
tsn_teardown() {
  [ -z "${TSN_DESKTOP_HOLDER:-}" ] || tsn_end_process "$TSN_DESKTOP_HOLDER"
  TSN_DESKTOP_HOLDER=
  tsn_wine_stop
  local i
  for ((i = ${#TSN_PIDS[@]} - 1; i >= 0; i--)); do tsn_end_process "${TSN_PIDS[i]}"; done
  TSN_PIDS=()
}
