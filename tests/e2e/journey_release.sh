#!/usr/bin/env bash
# What a user downloads: the release command makes tessarin-<version>-win64.zip and -win32.zip
# with tessarin.exe, the layouts folder and README.txt, the setup programs -win64-setup.exe and
# -win32-setup.exe (journey_install.sh installs them), and SHA256SUMS for all four. A second run,
# in another time zone, gives the same bytes; every entry carries the given time; the exes are
# the ones the other journeys test, with the project's version in their version resource. The
# 64-bit archive, unpacked, starts and ends like the build.
source "$(dirname "$0")/journey.sh"
journey_begin release

version=$(tsn_project_version)
require "the project version is read from CMakeLists.txt" test -n "$version"
epoch=1000000000 # 2001-09-09 01:46:40 UTC
first=$JOURNEY_DIR/first
second=$JOURNEY_DIR/second
release() { # release DIR [VAR=VALUE...]: the release command into DIR, logged as an artefact
  env TSN_DIST="$1" SOURCE_DATE_EPOCH=$epoch "${@:2}" "$TSN_ROOT/tools/release.sh" \
    >"$JOURNEY_ARTIFACTS/release-$(basename "$1").log" 2>&1
}
require "the release command succeeds" release "$first"
require "it succeeds again, in another time zone" release "$second" TZ=Pacific/Auckland

check "SHA256SUMS lists the archives and the setups" \
  equals "$(awk '{ print $2 }' "$first/SHA256SUMS" | LC_ALL=C sort | tr '\n' ' ')" \
  "tessarin-$version-win32-setup.exe tessarin-$version-win32.zip tessarin-$version-win64-setup.exe tessarin-$version-win64.zip "
check "SHA256SUMS matches them" bash -c "cd '$first' && sha256sum --quiet -c SHA256SUMS"

# version_resource EXE: the ProductVersion string of the exe's version resource (UTF-16).
version_resource() { strings -el "$1" | grep -A1 -x ProductVersion | sed -n 2p; }
# file_times DIR: the distinct modification times (seconds since 1970) of the files under DIR.
file_times() { find "$1" -type f -printf '%Ts\n' | sort -u; }

for arch in win64 win32; do
  name=tessarin-$version-$arch
  zip=$first/$name.zip
  require "$name.zip is made" test -f "$zip"
  check "$name.zip is the same bytes in the second run" cmp "$zip" "$second/$name.zip"
  check "$name.zip holds the program, the layouts and the guide, in sorted order" \
    equals "$(cmake -E tar tf "$zip" | tr '\n' ' ')" \
    "$name/README.txt $(cd "$TSN_ROOT" && LC_ALL=C ls layouts/*.lng | sed "s|^|$name/|" | tr '\n' ' ')$name/tessarin.exe "
  unpacked=$JOURNEY_DIR/unpacked-$arch
  mkdir -p "$unpacked"
  # A zip entry's time is a local time: unpacked in UTC, it is the time given in UTC.
  require "$name.zip unpacks" bash -c "cd '$unpacked' && TZ=UTC cmake -E tar xf '$zip'"
  check "every entry of $name.zip carries the given time" equals "$(file_times "$unpacked")" "$epoch"
  check "its guide names the version" grep -q "^Tessarin $version"$'\r$' "$unpacked/$name/README.txt"
  check "its guide has Windows line ends" test "$(grep -c $'\r$' "$unpacked/$name/README.txt")" \
    = "$(wc -l <"$unpacked/$name/README.txt")"
  check "its layouts are the shipped ones" diff -r "$TSN_ROOT/layouts" "$unpacked/$name/layouts"
  check "its exe carries version $version" equals "$(version_resource "$unpacked/$name/tessarin.exe")" "$version"
  setup=$first/$name-setup.exe
  require "$name-setup.exe is made" test -f "$setup"
  check "$name-setup.exe is the same bytes in the second run" cmp "$setup" "$second/$name-setup.exe"
  check "the setup carries version $version" equals "$(version_resource "$setup")" "$version"
done
check "the 64-bit setup is an x64 program" equals "$(pe_machine "$first/tessarin-$version-win64-setup.exe")" 8664
check "the 32-bit setup is an x86 program" equals "$(pe_machine "$first/tessarin-$version-win32-setup.exe")" 014c
x64=$JOURNEY_DIR/unpacked-win64/tessarin-$version-win64/tessarin.exe
x86=$JOURNEY_DIR/unpacked-win32/tessarin-$version-win32/tessarin.exe
check "the 64-bit archive holds an x64 exe" equals "$(pe_machine "$x64")" 8664
check "the 32-bit archive holds an x86 exe" equals "$(pe_machine "$x86")" 014c
check "the 64-bit exe is the one the journeys test" cmp "$x64" "$TSN_EXE"
check "the 32-bit exe is the one the x86 journey tests" cmp "$x86" "$TSN_EXE_X86"

# As a user would after unpacking: the program beside its layouts folder.
TSN_EXE=$x64
journey_open_tessarin
check "screenshot taken" tsn_screenshot "$JOURNEY_ARTIFACTS/unpacked.png"
journey_close_tessarin
journey_end
