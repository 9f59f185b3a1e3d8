#!/usr/bin/env bash
# tessarin.exe loads nothing at start but libraries Windows always takes from its own folder
# (KnownDLLs), and every function it loads late is asked for by a name its library exports:
# the names the delay-load helper passes to GetProcAddress, read from the delay-import
# libraries, against the exports of Wine's libraries for the same processor. Every import slot
# the code calls through holds an address.
# Usage: imports.sh OBJDUMP EXE DELAY_LIBRARY_FOLDER SYSTEM_LIBRARY_FOLDER
set -u
objdump=$1 exe=$2 delay_libraries=$3 system_libraries=$4
failed=0
pass() { echo "PASS: $*"; }
fail() { echo "FAIL: $*"; failed=1; }

# The KnownDLLs of Windows 10 and 11 (HKLM\SYSTEM\CurrentControlSet\Control\Session Manager\KnownDLLs).
known=" advapi32.dll clbcatq.dll combase.dll comdlg32.dll coml2.dll difxapi.dll gdi32.dll gdiplus.dll
imagehlp.dll imm32.dll kernel32.dll msctf.dll msvcrt.dll normaliz.dll nsi.dll ole32.dll oleaut32.dll
psapi.dll rpcrt4.dll sechost.dll setupapi.dll shcore.dll shell32.dll shlwapi.dll user32.dll wldap32.dll
ws2_32.dll "
known=$(tr '\n' ' ' <<<"$known")
imports=$("$objdump" -p "$exe" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr 'A-Z' 'a-z')
[ -n "$imports" ] || fail "an import table is read from $exe"
for dll in $imports; do
  case $known in
    *" $dll "*) pass "$(basename "$exe") imports $dll, a KnownDLL" ;;
    *) fail "$(basename "$exe") imports $dll, which Windows may take from the program's folder" ;;
  esac
done

# import_names LIBRARY: the name in each member's hint/name entry (.idata$6: a two-byte hint,
# then the name up to a NUL), one a line.
import_names() {
  "$objdump" -s -j '.idata$6' "$1" 2>/dev/null | awk '
    BEGIN { for (i = 32; i < 127; i++) char[sprintf("%02x", i)] = sprintf("%c", i) }
    /^Contents of section/ { if (bytes != "") print name(bytes); bytes = ""; next }
    /^ [0-9a-f]+ / { bytes = bytes substr($0, 7, 35) }
    END { if (bytes != "") print name(bytes) }
    function name(hex,    text, i, pair) {
      gsub(/ /, "", hex)
      text = ""
      for (i = 5; i < length(hex); i += 2) {
        pair = substr(hex, i, 2)
        if (pair == "00") break
        text = text char[pair]
      }
      return text
    }'
}

count=0
for library in "$delay_libraries"/lib*_delay.a; do
  dll=$(basename "$library" _delay.a)
  dll=${dll#lib}.dll
  exports=$("$objdump" -p "$system_libraries/$dll" | sed -n '/Ordinal\/Name Pointer/,/^$/p' | awk '{ print $NF }')
  [ -n "$exports" ] || fail "the exports of $system_libraries/$dll are read"
  for name in $(import_names "$library"); do
    count=$((count + 1))
    if grep -qx -- "$name" <<<"$exports"; then pass "$dll exports $name"; else fail "$dll exports no $name"; fi
  done
done
[ "$count" -gt 0 ] || fail "late imports are found in $delay_libraries"

python3 "$(dirname "$0")/import_slots.py" "$objdump" "$exe" || failed=1
exit $failed
