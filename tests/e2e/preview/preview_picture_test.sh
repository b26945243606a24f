#!/usr/bin/env bash
# The preview picture at the size of the display settings' preview box: in a
# 152x112 screen the icon is drawn at (60,24), exactly as the icon's 32x32
# image, and the name in light grey from (26,72), on black.
. "$(dirname "$0")/../lib.sh"
. "$(dirname "$0")/preview_lib.sh"
e2e_begin "${E2E_TEST:-preview.picture}"
preview_use_desktop 152x112

preview_start /p
e2e_expect "the virtual desktop appears" preview_wait_desktop
if e2e_wait_for 15 "the preview picture" preview_picture_is 60 24 26 72; then
  e2e_log "ok: icon at (60,24), name at (26,72) on black: $(head -n1 "$E2E_TEST_DIR/picture.txt")"
else
  e2e_fail "the preview picture: $(cat "$E2E_TEST_DIR/picture.txt")"
fi
mkdir -p "$E2E_SHOTS" && cp "$E2E_TEST_DIR/picture.ppm.png" "$E2E_SHOTS/preview-152x112.png"

xdotool mousemove --window "$PREVIEW_WINDOW" 5 5 key --clearmodifiers Escape
e2e_expect_eq "exit code after a key press" "$(e2e_exit_code preview 15)" 0

e2e_done
