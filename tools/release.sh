#!/usr/bin/env bash
# Builds the release: dist/tessarin-<version>-win64.zip and dist/tessarin-<version>-win32.zip
# (each with tessarin.exe, the layouts folder and README.txt), the setup programs that install
# the same files, dist/tessarin-<version>-win64-setup.exe and -win32-setup.exe, and
# dist/SHA256SUMS listing all four. Installs what is missing and builds first. The archives are
# stamped with the last commit's time (or $SOURCE_DATE_EPOCH) and the setups carry no time, so
# two runs over the same commit give the same bytes.
# TSN_DIST names another output folder.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
dist=${TSN_DIST:-$TSN_ROOT/dist}

tsn_ensure_packages
if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
  SOURCE_DATE_EPOCH=$(git -C "$TSN_ROOT" log -1 --format=%ct) ||
    tsn_die "no git history to take the archives' time from: set SOURCE_DATE_EPOCH"
fi
export SOURCE_DATE_EPOCH

mkdir -p "$dist"
rm -f "$dist"/tessarin-*.zip "$dist"/tessarin-*-setup.exe "$dist/SHA256SUMS"
version=$(tsn_project_version)
# mingw is the build the tests run; mingw32 the 32-bit one.
for preset in mingw mingw32; do
  arch=win64
  [ "$preset" = mingw32 ] && arch=win32
  tsn_log "building and packaging the $preset preset"
  tsn_build "$preset" tessarin tessarin_setup || tsn_die "the $preset build failed"
  staging=$TSN_BUILD/$preset/package
  rm -rf "$staging"
  (cd "$TSN_BUILD/$preset" && cpack -G ZIP -B "$staging" >/dev/null) || tsn_die "cpack failed for $preset"
  cp "$staging/tessarin-$version-$arch.zip" "$TSN_BUILD/$preset/packaging/tessarin-$version-$arch-setup.exe" \
    "$dist"/
done
(cd "$dist" && sha256sum tessarin-*.zip tessarin-*-setup.exe >SHA256SUMS)
tsn_log "release archives and setups in $dist:"
cat "$dist/SHA256SUMS"
