#!/usr/bin/env bash
# Builds tessarin.exe and runs it under Wine. With a usable $DISPLAY the program runs there
# until you close it; without one it starts on a private Xvfb, takes a screenshot into
# artifacts/, closes the program again and prints where the screenshot is.
set -euo pipefail
source "$(dirname "$0")/tools/lib.sh"

tsn_ensure_packages
tsn_wine_env
tsn_build mingw tessarin wintree || tsn_die "the build failed"
tsn_on_exit tsn_teardown
trap 'exit 130' INT TERM
tsn_wine_prefix

if tsn_display_usable "${DISPLAY:-}"; then
  tsn_log "running $TSN_EXE on $DISPLAY"
  "$TSN_WINE" "$TSN_EXE" </dev/null
  exit
fi

tsn_xvfb_start
mkdir -p "$TSN_ARTIFACTS"
tsn_wine_start "$TSN_ARTIFACTS/tessarin.log" "$TSN_EXE"
pid=$TSN_LAST_PID
tsn_wait_window "Tessarin v3" 60 || tsn_die "no window \"Tessarin v3\" within 60 s (see $TSN_ARTIFACTS/tessarin.log)"
shot=$TSN_ARTIFACTS/tessarin.png
tsn_screenshot "$shot" || tsn_log "the screen was still changing; kept the last screenshot"
crop=$TSN_ARTIFACTS/tessarin-window.png
tsn_crop_to_window "$shot" "Tessarin v3" "$crop" || crop=
tsn_wine_run "$TSN_WINTREE" --close "Tessarin v3" || tsn_log "could not post WM_CLOSE"
tsn_wait_exit "$pid" 30 || tsn_log "the program did not end within 30 s; stopping Wine"
echo "Screenshot: $shot"
[ -z "$crop" ] || echo "The keyboard window alone: $crop"
