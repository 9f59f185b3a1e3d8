#!/usr/bin/env bash
# The 32-bit build, for Windows that cannot run 64-bit programs: it runs in Wine's 32-bit loader
# (in a prefix of this journey's own, made with Wine's 32-bit part), shows the keyboard window
# and the cover, enters the key that is clicked, opens and cancels the Open dialog, and ends when
# its window is closed.
source "$(dirname "$0")/journey.sh"
journey_begin x86

# runs_32bit_loader EXE: a Linux process runs this Windows program (its command line is the
# program's path on drive Z:) and that process is a 32-bit ELF (class byte 01).
runs_32bit_loader() {
  local windows_path proc
  windows_path="Z:$(tr / '\\' <<<"$1")"
  for proc in /proc/[0-9]*; do
    # Processes end while the loop runs: their files vanish between listing and reading.
    [ "$({ tr '\0' '\n' <"$proc/cmdline"; } 2>/dev/null | head -n 1)" = "$windows_path" ] || continue
    [ "$(od -An -tx1 -j4 -N1 "$proc/exe" 2>/dev/null | tr -d ' ')" = 01 ] && return 0
  done
  return 1
}

TSN_EXE=$TSN_EXE_X86
require "the 32-bit tessarin.exe is built" test -f "$TSN_EXE"
check "it is an x86 program" equals "$(pe_machine "$TSN_EXE")" 014c
journey_own_prefix "$TSN_BUILD/wineprefix-x86"
# A prefix made before wine32 was installed lacks it for good: delete the folder to have it made anew.
require "the prefix has Wine's 32-bit system (wine32)" \
  test -f "$WINEPREFIX/drive_c/windows/syswow64/kernel32.dll"

journey_settings "View Password Mask=False"
journey_open_tessarin
check "it runs in Wine's 32-bit loader" tsn_wait_for 10 runs_32bit_loader "$JOURNEY_DIR/tessarin.exe"
check "screenshot taken" tsn_screenshot "$JOURNEY_ARTIFACTS/x86.png"
kb=$(tree_of "$KEYBOARD")
cover=$(tree_of "$COVER")
require "wintree lists both windows" test -s "$kb" -a -s "$cover"
check "the keyboard window is layered at opacity 252" equals "$(field "$kb" alpha)" 252
check "the cover is topmost" equals "$(field "$cover" topmost)" 1
check "the plain text box starts empty" text_is ""

read -r x y < <(key_centre "$kb" q)
require "the \"q\" key is shown" test -n "$x"
check "a click on \"q\" lands on the cover" \
  equals "$(val "$(wintree --at "$x" "$y")" caption)" "$COVER"
click_at "$x" "$y"
check "the plain text box shows q" tsn_wait_for 10 text_is "q"
# The file dialogs, from a library of their own.
require "Keyboard Layout > Import a Layout..." menu_pick k 3
check "the Open dialog opens, and Escape cancels it" file_dialog "Open" ""
check "the keys are as before" equals "$(key_captions "$KEYBOARD" 17 20)" "q w e r"

journey_close_tessarin
check "the cover is gone too" tsn_window_gone "$COVER"

# --- the 32-bit setup program -----------------------------------------------------------------
# It installs the 32-bit program for the user alone, that copy starts from the Start menu, and
# the uninstaller takes it away again.
source "$(dirname "$0")/setup_program.sh"
setup_begin
setup_clean
require "the 32-bit setup program is made" make_setup mingw32
check "it is an x86 program" equals "$(pe_machine "$SETUP")" 014c
check "a silent install succeeds" run_setup /S
check "it installs the 32-bit program" cmp "$DEFAULT_DIR/tessarin.exe" "$TSN_EXE_X86"
check "the uninstall entry names its folder" \
  equals "$(entry_value "$(entry_file)" InstallLocation)" "$(windows_path "$DEFAULT_DIR")"
printf '[Settings]\r\n%s\r\n' "$READABLE_KEYS" >"$DEFAULT_DIR/tsnconfig.ini"
start_installed
check "the installed copy shows the keys" tsn_wait_for 10 key_shown q
journey_close_tessarin
check "a silent uninstall runs to its end" uninstall_silently "$DEFAULT_DIR"
check "the program files and the shortcut are gone" program_files_gone "$DEFAULT_DIR"
check "the uninstall entry is gone" entry_gone
setup_clean
journey_end
