#!/usr/bin/env bash
# The 32-bit build, for Windows that cannot run 64-bit programs: it runs in Wine's 32-bit loader
# (in a prefix of this journey's own, made with Wine's 32-bit part), shows the keyboard window
# and the cover, enters the key that is clicked, opens and cancels the Open dialog, drags the
# password onto the bare desktop, beeps on a hover entry, and ends when its window is closed.
# Like the 64-bit program, it imports only libraries Windows always takes from its own folder,
# and loads the dialog and sound libraries only when they are first used.
source "$(dirname "$0")/journey.sh"
journey_begin x86

# runs_32bit_loader: the program's Linux process is a 32-bit ELF (class byte 01).
runs_32bit_loader() {
  [ "$(od -An -tx1 -j4 -N1 "/proc/$TESSARIN_LINUX_PID/exe" 2>/dev/null | tr -d ' ')" = 01 ]
}

TSN_EXE=$TSN_EXE_X86
require "the 32-bit tessarin.exe is built" test -f "$TSN_EXE"
check "it is an x86 program" equals "$(pe_machine "$TSN_EXE")" 014c
check "it imports only KnownDLLs, and its late imports are the 32-bit libraries' names" \
  ctest --test-dir "$(dirname "$TSN_EXE")/../../.." -R '^tessarin_imports$' --output-on-failure --no-tests=error
journey_skip_unless "this kernel cannot run 32-bit programs (Wine's 32-bit loader fails)" tsn_runs_32bit
journey_own_prefix "$TSN_BUILD/wineprefix-x86"
# A prefix made before wine32 was installed lacks it for good: delete the folder to have it made anew.
require "the prefix has Wine's 32-bit system (wine32)" \
  test -f "$WINEPREFIX/drive_c/windows/syswow64/kernel32.dll"

journey_settings "View Password Mask=False" "Beep on Hover=True"
# The program's own beep goes through the sound library; the system's would not.
printf 'RIFF' >"$JOURNEY_DIR/beep.wav"
journey_open_tessarin
check "it runs in Wine's 32-bit loader" runs_32bit_loader
X86_PID=$TESSARIN_LINUX_PID
# (Not OLE: Wine's own common controls load it at start.)
for library in comdlg32.dll winmm.dll; do
  check "$library is not loaded at start" library_not_loaded "$X86_PID" $library
done
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
check "the dialog loaded its library" library_loaded "$X86_PID" comdlg32.dll

# A drag onto the bare desktop: nothing takes it, so the password stays and a message says so.
read -r DESKTOP_X DESKTOP_Y <<<"$(desktop_point)"
require "a place with no window is found" test -n "$DESKTOP_Y"
require "a double click selects the password" select_all plain
check "it is dragged onto the bare desktop and released" drag_from_box plain "$DESKTOP_X" "$DESKTOP_Y"
require "the message is answered" answer_box Tessarin Return
check "the keyboard is back" tsn_wait_for 15 cover_over_keys
check "the password is still there" tsn_wait_for 10 text_is "q"

# Hover entry with the beep: the sound library loads with the first one.
require "Hover Entry is chosen" menu_keys alt+m Down Return
read -r x y < <(key_centre "$(tree_of "$KEYBOARD")" w)
require "the \"w\" key is shown" test -n "$x"
point_at "$x" "$y"
check "resting on w enters it, in place of the selection the drag left" tsn_wait_for 10 text_is "w"
check "its beep loaded the sound library" tsn_wait_for 10 library_loaded "$X86_PID" winmm.dll
point_at 0 0

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
