#!/usr/bin/env bash
# "/p" without a usable number: a stand-alone window that covers the screen
# in black with the picture in its middle, hides the mouse cursor, stays
# open while the mouse moves, and closes on a key press, an Alt key
# combination or a mouse click, ending with exit code 0.
. "$(dirname "$0")/../lib.sh"
. "$(dirname "$0")/preview_lib.sh"
e2e_begin "${E2E_TEST:-preview.standalone}"
preview_use_desktop 640x480

# 640x480: icon at ((640-32)/2, (480-32)/2-16), name at ((640-100)/2, (480-32)/2+32).
preview_start /p
e2e_expect "the virtual desktop appears" preview_wait_desktop
if e2e_wait_for 15 "the preview picture" preview_picture_is 304 208 270 256; then
  e2e_log "ok: the whole screen is black but for the picture in its middle"
else
  e2e_fail "the stand-alone picture: $(cat "$E2E_TEST_DIR/picture.txt")"
fi

# The cursor: visible over the bare display, hidden over the window. The
# window hides it as it takes the pointer's moves (WM_SETCURSOR comes with
# each), so a hidden cursor says the moves reached it.
cursor_shown() { [ "$(preview_cursor_pixels)" -gt 0 ]; }
cursor_hidden() { [ "$(preview_cursor_pixels)" == 0 ]; }
xdotool mousemove 1000 700
e2e_expect "the cursor shows outside the virtual desktop" \
  e2e_wait_for 10 "the cursor over the bare display" cursor_shown
xdotool mousemove --window "$PREVIEW_WINDOW" 100 100
for step in 1 2 3 4 5; do
  xdotool mousemove --window "$PREVIEW_WINDOW" $((100 + 40 * step)) $((100 + 25 * step))
done
e2e_wait_for 10 "the window to hide the cursor" cursor_hidden
e2e_expect_eq "pixels of the cursor over the window" "$(preview_cursor_pixels)" 0
e2e_expect "mouse movement leaves the window open" e2e_running preview

xdotool key --clearmodifiers space
e2e_expect_eq "exit code after a key press" "$(e2e_exit_code preview 15)" 0

# Each of these closes a fresh window.
for input in "key alt+x" "click 1" "click 3" "click 2"; do
  preview_start /p
  if ! e2e_wait_for 15 "the stand-alone window" preview_picture_is 304 208 270 256; then
    e2e_fail "no stand-alone window for: $input"
    continue
  fi
  # shellcheck disable=SC2086
  xdotool mousemove --window "$PREVIEW_WINDOW" 320 100 $input
  e2e_expect_eq "exit code after $input" "$(e2e_exit_code preview 15)" 0
done
e2e_expect "no process of ours is left running" e2e_wait_no_process_of_ours 10

e2e_done
