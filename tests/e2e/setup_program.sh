# Sourced by the journeys that install the program with its setup program (after journey.sh):
# making the setup, running it and its uninstaller, and reading what they leave in the prefix.

UNINSTALL_KEY='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tessarin'

# setup_begin: paths of the current prefix's user; call it once the journey's prefix is chosen.
setup_begin() {
  # Wine turns Start menu shortcuts into menu entries of the Linux desktop, outside the prefix.
  export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winemenubuilder.exe=d"
  local user
  user=$(id -un)
  USER_DIR=$WINEPREFIX/drive_c/users/$user
  DEFAULT_DIR=$USER_DIR/AppData/Local/Programs/Tessarin
  START_MENU_LINK="$USER_DIR/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Tessarin.lnk"
  DESKTOP_LINK=$USER_DIR/Desktop/Tessarin.lnk
}

# make_setup PRESET: builds that preset's setup program around the exe the journeys test, and
# sets SETUP to it.
make_setup() {
  local arch=win64
  [ "$1" = mingw32 ] && arch=win32
  SETUP=$TSN_BUILD/$1/packaging/tessarin-$(tsn_project_version)-$arch-setup.exe
  tsn_build "$1" tessarin_setup >"$JOURNEY_ARTIFACTS/make-setup-$1.log" 2>&1 && [ -f "$SETUP" ]
}

# windows_path PATH: a Linux path as Windows programs in the prefix name it: drive C: is the
# prefix's drive_c, drive Z: the Linux root.
windows_path() {
  case $1 in
    "$WINEPREFIX/drive_c"/*) printf 'C:%s' "${1#"$WINEPREFIX/drive_c"}" ;;
    *) printf 'Z:%s' "$1" ;;
  esac | tr / '\\'
}

# run_setup ARGS...: runs the setup program to its end; its exit status is the setup's.
run_setup() {
  timeout 120 "$TSN_WINE" "$SETUP" "$@" </dev/null >>"$JOURNEY_ARTIFACTS/setup.log" 2>&1
}

# runs WINDOWS_PATH: a Wine process runs that program (the path, an extended regular
# expression matched without regard to case, is the first word of its command line).
runs() {
  local proc first
  for proc in /proc/[0-9]*; do
    first=
    # Processes end while the loop runs: their files vanish between listing and reading.
    { IFS= read -r -d '' first <"$proc/cmdline"; } 2>/dev/null
    [[ ${first,,} =~ ^${1,,}\ *$ ]] && return 0
  done
  return 1
}

# The uninstaller goes on in a copy of itself in the temporary folder, ~nsuN.tmp\Un.exe, so
# that it can remove its own file.
uninstaller_runs() { runs '.*\\~nsu[^\\]*\.tmp\\Un\.exe'; }
uninstaller_ended() { ! uninstaller_runs; }

# uninstall_silently DIR: the quiet uninstall of the copy in DIR, as the entry's
# QuietUninstallString gives it, to its end.
uninstall_silently() {
  timeout 60 "$TSN_WINE" "$(windows_path "$1")\\Uninstall.exe" /S </dev/null \
    >>"$JOURNEY_ARTIFACTS/setup.log" 2>&1 && tsn_wait_for 60 uninstaller_ended
}

# entry_file: the uninstall entry exported as a UTF-8 .reg text into the artefacts; prints its
# path. (An export keeps every character; "reg query" writes in the console's code page.)
entry_file() {
  local file=$JOURNEY_ARTIFACTS/uninstall-entry.reg
  rm -f "$file.utf16"
  tsn_wine_run reg export "$UNINSTALL_KEY" "$(windows_path "$JOURNEY_DIR")\\entry.reg" /y \
    >/dev/null 2>&1 || return 1
  iconv -f UTF-16 -t UTF-8 "$JOURNEY_DIR/entry.reg" | tr -d '\r' >"$file" && echo "$file"
}

# entry_value FILE NAME: a value of the exported entry: a string without the .reg escapes, or
# a DWORD in decimal.
entry_value() {
  local line
  line=$(grep -m1 "^\"$2\"=" "$1") || return 1
  line=${line#*=}
  case $line in
    dword:*) echo $((16#${line#dword:})) ;;
    \"*) line=${line#\"} && line=${line%\"} && printf '%s\n' "$line" | sed 's/\\\(.\)/\1/g' ;;
    *) return 1 ;;
  esac
}

entry_gone() { ! tsn_wine_run reg query "$UNINSTALL_KEY" >/dev/null 2>&1; }

# size_kb DIR: the size of the files under DIR in KB, rounded down, as "Apps & features" takes it.
size_kb() { find "$1" -type f -printf '%s\n' | awk '{ n += $1 } END { print int(n / 1024) }'; }

# check_entry DIR: every value of the uninstall entry, for the copy installed in DIR.
check_entry() {
  local entry win
  win=$(windows_path "$1")
  entry=$(entry_file)
  check "the uninstall entry is written" test -n "$entry" || return 1
  check "  DisplayName" equals "$(entry_value "$entry" DisplayName)" Tessarin
  check "  DisplayVersion" equals "$(entry_value "$entry" DisplayVersion)" "$(tsn_project_version)"
  check "  Publisher" equals "$(entry_value "$entry" Publisher)" "Corvane Software"
  check "  DisplayIcon" equals "$(entry_value "$entry" DisplayIcon)" "$win\\tessarin.exe,0"
  check "  InstallLocation" equals "$(entry_value "$entry" InstallLocation)" "$win"
  check "  UninstallString" equals "$(entry_value "$entry" UninstallString)" "\"$win\\Uninstall.exe\""
  check "  QuietUninstallString" equals "$(entry_value "$entry" QuietUninstallString)" \
    "\"$win\\Uninstall.exe\" /S"
  check "  EstimatedSize, in KB" equals "$(entry_value "$entry" EstimatedSize)" "$(size_kb "$1")"
  check "  NoModify" equals "$(entry_value "$entry" NoModify)" 1
  check "  NoRepair" equals "$(entry_value "$entry" NoRepair)" 1
}

# utf16_hex TEXT: TEXT in UTF-16LE, as hexadecimal digits.
utf16_hex() { printf '%s' "$1" | iconv -f UTF-8 -t UTF-16LE | od -An -tx1 | tr -d ' \n'; }

# link_names FILE DIR: the shell link starts tessarin.exe in DIR: it names the exe and, in
# UTF-16, DIR as its working folder. (Wine writes the target's full path only in the ANSI code
# page, where Greek letters do not fit.)
link_names() {
  [ -f "$1" ] && grep -qa 'tessarin\.exe' "$1" &&
    od -An -tx1 "$1" | tr -d ' \n' | grep -q "$(utf16_hex "$(windows_path "$2")")"
}

# check_program_files DIR EXE: the program in DIR is EXE, with the build's guide and layouts
# and the uninstaller, and the Start menu shortcut leads there.
check_program_files() {
  local build
  build=$(dirname "$SETUP")
  check "tessarin.exe is the built one" cmp "$1/tessarin.exe" "$2"
  check "README.txt is the release's guide" cmp "$1/README.txt" "$build/README.txt"
  local layout
  for layout in "$TSN_ROOT"/layouts/*.lng; do
    check "layouts\\$(basename "$layout") is the shipped one" cmp "$1/layouts/$(basename "$layout")" "$layout"
  done
  check "the uninstaller is there" test -f "$1/Uninstall.exe"
  check "the Start menu shortcut \"Tessarin\" leads to it" link_names "$START_MENU_LINK" "$1"
}

# program_files_gone DIR: nothing the setup put there is left, nor the shortcuts.
program_files_gone() {
  local f
  for f in tessarin.exe README.txt Uninstall.exe "$TSN_ROOT"/layouts/*.lng; do
    [ ! -e "$1/${f#"$TSN_ROOT"/}" ] || return 1
  done
  [ ! -e "$START_MENU_LINK" ] && [ ! -e "$DESKTOP_LINK" ]
}

# setup_clean: removes what an earlier, broken run may have left in the prefix.
setup_clean() {
  rm -rf "$DEFAULT_DIR" "$START_MENU_LINK" "$DESKTOP_LINK" "$@"
  entry_gone || tsn_wine_run reg delete "$UNINSTALL_KEY" /f >/dev/null 2>&1
}

# installed_ended DIR: the program installed in DIR does not run.
installed_ended() { ! runs "$(windows_path "$1" | sed 's/[][\\.*^$]/\\&/g')\\\\tessarin\\.exe"; }

# start_installed: starts the program as the Start menu shortcut does, waits for its windows.
start_installed() {
  journey_start start /wait "$(windows_path "$START_MENU_LINK")"
  TESSARIN_PID=$JOURNEY_PID
  require "the keyboard window appears" tsn_wait_window "$KEYBOARD" 60
  require "the cover window appears" tsn_wait_window "$COVER" 30
}
