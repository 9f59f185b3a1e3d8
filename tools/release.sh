#!/usr/bin/env bash
# Builds the release: dist/tessarin-<version>-win64.zip and dist/tessarin-<version>-win32.zip
# (each with tessarin.exe, the layouts folder and README.txt) and dist/SHA256SUMS listing both.
# Installs what is missing and builds first. The archives are stamped with the last commit's
# time (or $SOURCE_DATE_EPOCH), so two runs over the same commit give the same bytes.
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
rm -f "$dist"/tessarin-*.zip "$dist/SHA256SUMS"
# mingw is the build the tests run; mingw32 the 32-bit one.
for preset in mingw mingw32; do
  tsn_log "building and packaging the $preset preset"
  tsn_build "$preset" tessarin || tsn_die "the $preset build failed"
  staging=$TSN_BUILD/$preset/package
  rm -rf "$staging"
  (cd "$TSN_BUILD/$preset" && cpack -G ZIP -B "$staging" >/dev/null) || tsn_die "cpack failed for $preset"
  cp "$staging"/tessarin-*.zip "$dist"/
done
(cd "$dist" && sha256sum tessarin-*.zip >SHA256SUMS)
tsn_log "release archives in $dist:"
cat "$dist/SHA256SUMS"
