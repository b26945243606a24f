# Helpers of the preview tests; sourced after tests/e2e/lib.sh.
#
# Stand-alone preview windows are run inside a Wine virtual desktop of a
# chosen size. The rig's display has no window manager, and without one Wine
# leaves the X window of a maximized window at the size it was created with
# (0x0 here); in a virtual desktop Wine places the windows itself, so the
# window covers the desktop as it would cover a real screen. The desktop is
# chosen for SLUMBMIX.SCR alone, through Wine's per-program settings, and
# removed again when the test ends.

PREVIEW_APP_KEY='HKCU\Software\Wine\AppDefaults\SLUMBMIX.SCR\Explorer'
PREVIEW_DESKTOPS_KEY='HKCU\Software\Wine\Explorer\Desktops'
PREVIEW_DESKTOP=''  # name of the virtual desktop in use
PREVIEW_WINDOW=''   # its X window

# Runs SLUMBMIX.SCR in a virtual desktop of this size from now on.
preview_use_desktop() {  # WIDTHxHEIGHT
  PREVIEW_DESKTOP=slumbermix-$1
  e2e_at_exit "e2e_reg_write '-${PREVIEW_APP_KEY%\\Explorer}'; e2e_reg_write '$PREVIEW_DESKTOPS_KEY' '$PREVIEW_DESKTOP=-'"
  e2e_reg_write "$PREVIEW_DESKTOPS_KEY" "$PREVIEW_DESKTOP=sz:$1" &&
    e2e_reg_write "$PREVIEW_APP_KEY" "Desktop=sz:$PREVIEW_DESKTOP" ||
    e2e_die "cannot set up the virtual desktop"
}

# Starts SLUMBMIX.SCR with these arguments as the background run "preview"
# (at most 60 s); e2e_running preview and e2e_exit_code preview follow it.
preview_start() { e2e_start preview 60 "$E2E_SLUMBMIX" "$@"; }  # args...

preview_find_desktop() {
  PREVIEW_WINDOW=$(xdotool search --name "^$PREVIEW_DESKTOP - Wine desktop\$" 2>/dev/null | head -n1)
  [ -n "$PREVIEW_WINDOW" ]
}

preview_wait_desktop() { e2e_wait_for 30 "the virtual desktop $PREVIEW_DESKTOP" preview_find_desktop; }

# The virtual desktop's picture as a PPM file.
preview_capture() {  # file
  timeout 20 import -display "$DISPLAY" -window "$PREVIEW_WINDOW" "$1.png" 2>/dev/null &&
    convert "$1.png" -depth 8 "ppm:$1"
}

# Whether check_picture.py accepts the virtual desktop's picture; the last
# verdict stays in $E2E_TEST_DIR/picture.txt. Tests poll it: the window may
# still be appearing or painting.
preview_picture_is() {  # icon-x icon-y text-x text-y
  local shot=$E2E_TEST_DIR/picture.ppm
  # A desktop is made again for a program started after the last one ended.
  preview_find_desktop && preview_capture "$shot" || return 1
  python3 "$E2E_PREVIEW_DIR/check_picture.py" "$shot" "$E2E_ICON_SOURCE" "$@" \
    >"$E2E_TEST_DIR/picture.txt" 2>&1
}

# Pixels of the X cursor that are not transparent: 0 when it is hidden.
preview_cursor_pixels() { timeout 10 python3 "$E2E_PREVIEW_DIR/x_cursor.py"; }
