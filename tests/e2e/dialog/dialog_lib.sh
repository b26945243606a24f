# Helpers of the settings dialog's end-to-end tests; sourced after lib.sh.
#
# A test opens SLUMBMIX.SCR /c in the background, operates the dialog with
# dialog_driver.exe (E2E_DRIVER), and reads what the dialog shows from the
# driver's "key=value" lines and what it saved with reg.

# The test savers a dialog test puts in the prefix's Windows and System
# folders: copies of testsaver.exe whose names hold none of its behaviour
# keywords, so they end on WM_CLOSE (run mode) or after a moment (others).
DLG_WIN_SAVERS=(dlgwina.SCR DlgWinB.scr)
DLG_SYS_SAVERS=(DlgSysC.scr)
DLG_PID=''

dlg_begin() {  # test name
  e2e_begin "$1"
  [ -n "${E2E_DRIVER:-}" ] || e2e_die "E2E_DRIVER is not set: run the tests through ctest"
  DLG_WINDIR=$WINEPREFIX/drive_c/windows
  # The savers the dialog starts log here, read by lib.sh's log helpers.
  e2e_use_saver_log "$E2E_TEST_DIR/saver.log"
  DLG_SAVER_LOG=$E2E_SAVER_LOG
  DLG_DRIVER_OUT=$E2E_TEST_DIR/driver.out
  trap 'dlg_cleanup; e2e_kill_ours' EXIT
  local name
  for name in "${DLG_WIN_SAVERS[@]}"; do cp "$E2E_TESTSAVER" "$DLG_WINDIR/$name"; done
  for name in "${DLG_SYS_SAVERS[@]}"; do cp "$E2E_TESTSAVER" "$E2E_SYSDIR/$name"; done
}

dlg_cleanup() {
  local name
  for name in "${DLG_WIN_SAVERS[@]}"; do rm -f "$DLG_WINDIR/$name"; done
  for name in "${DLG_SYS_SAVERS[@]}"; do rm -f "$E2E_SYSDIR/$name"; done
}

# Opens the settings dialog (extra arguments: environment assignments, such
# as LC_ALL=ja_JP.UTF-8) and waits until it is shown. The savers it starts
# log to $DLG_SAVER_LOG.
dlg_open() {
  rm -f "$DLG_SAVER_LOG"
  (
    exec env SLUMBERMIX_TEST_LOG="$(e2e_winpath "$DLG_SAVER_LOG")" "$@" \
      timeout -k 5 150 "$WINELOADER" "$E2E_SLUMBMIX" /c </dev/null >"$E2E_TEST_DIR/slumbmix.out" 2>&1
  ) &
  DLG_PID=$!
  dlg_drive find 30000 || e2e_die "the settings dialog did not open: $(cat "$DLG_DRIVER_OUT")"
}

# Runs the driver's steps. Its output is kept in $DLG_DRIVER_OUT until the
# next driver run (other commands reuse $E2E_OUT). Fails when a step did.
dlg_drive() {
  e2e_run 60 "$E2E_DRIVER" "$@"
  cp "$E2E_OUT" "$DLG_DRIVER_OUT"
  [ "$E2E_RC" -eq 0 ] || {
    e2e_log "dialog_driver $* exited with $E2E_RC: $(grep '^error=' "$E2E_OUT")"
    return 1
  }
}

# A value of the last driver run's output ("key=value"); the last one when the
# output holds several.
dlg_value() {  # key
  local line
  line=$(grep "^$1=" "$DLG_DRIVER_OUT" | tail -n1)
  printf '%s' "${line#*=}"
}

dlg_expect() {  # what key expected
  e2e_expect_eq "$1" "$(dlg_value "$2")" "$3"
}

# The list box's lines of the last dump, one a line, in its order.
dlg_lines() {
  local n i
  n=$(dlg_value list.count)
  for ((i = 0; i < ${n:-0}; i++)); do dlg_value "list.$i"; printf '\n'; done
}

# Index in the last dump of the line equal to the text. A line that is not
# there prints nothing and fails: never -1, which the list box answers for
# "nothing selected".
dlg_line_index() {  # text
  local n i
  n=$(dlg_value list.count)
  for ((i = 0; i < ${n:-0}; i++)); do
    [ "$(dlg_value "list.$i")" == "$1" ] && { echo "$i"; return; }
  done
  return 1
}

# Waits until the dialog has ended and SLUMBMIX.SCR has exited.
dlg_wait_closed() {
  dlg_drive gone 20000 || e2e_fail "the dialog did not close"
  local deadline=$((SECONDS + 20))
  while kill -0 "$DLG_PID" 2>/dev/null && [ "$(awk '{print $3}' "/proc/$DLG_PID/stat" 2>/dev/null)" != Z ]; do
    [ "$SECONDS" -lt "$deadline" ] || { e2e_fail "SLUMBMIX.SCR did not exit"; return 1; }
    sleep 0.1
  done
  wait "$DLG_PID" 2>/dev/null
  DLG_PID=''
}

# The Windows-side savers of the Windows and System folders, as full paths,
# sorted: what a filling from those two folders must show.
dlg_expected_savers() {
  local dir win
  for dir in "$DLG_WINDIR" "$E2E_SYSDIR"; do
    win=C:\\windows
    [ "$dir" == "$DLG_WINDIR" ] || win='C:\windows\system32'
    find "$dir" -maxdepth 1 -type f -iname '*.scr' ! -iname slumbmix.scr -printf '%f\n' |
      while read -r name; do printf '%s\\%s\n' "$win" "$name"; done
  done | LC_ALL=C sort
}

# The registry values as "name|type|data" lines, sorted, none without the
# key; a failed query is logged, prints e2e_reg_values' line and fails.
dlg_registry() {
  local values=$E2E_TEST_DIR/values
  if ! e2e_reg_values >"$values"; then
    e2e_log "reg query failed (exit $E2E_RC): $(cat "$E2E_OUT" "$E2E_ERR")"
    cat "$values"
    return 1
  fi
  LC_ALL=C sort "$values"
}
