# Helpers of the settings dialog's end-to-end tests; sourced after lib.sh.
#
# A test opens SLUMBMIX.SCR /c in the background, operates the dialog with
# dialog_driver.exe (E2E_DRIVER), and reads what the dialog shows from the
# driver's "key=value" lines and what it saved with reg.

# The test savers a dialog test puts in the prefix's Windows and System
# folders (removed when it ends): copies of testsaver.exe whose names hold
# none of its behaviour keywords, so they end on WM_CLOSE (run mode) or
# after a moment (others).
dlg_begin() {  # test name
  e2e_begin "$1"
  e2e_need E2E_DRIVER
  DLG_WINDIR=$WINEPREFIX/drive_c/windows
  # The savers the dialog starts log here, read by lib.sh's log helpers.
  e2e_use_saver_log "$E2E_TEST_DIR/saver.log"
  DLG_DRIVER_OUT=$E2E_TEST_DIR/driver.out
  e2e_install_saver "$DLG_WINDIR" dlgwina.SCR
  e2e_install_saver "$DLG_WINDIR" DlgWinB.scr
  e2e_install_saver "$E2E_SYSDIR" DlgSysC.scr
}

# Opens the settings dialog (extra arguments: environment assignments, such
# as LC_ALL=ja_JP.UTF-8) as the background run "dialog", waits until it is
# shown and dumps it, as it opened, for dlg_value. The savers it starts log
# to a fresh $E2E_SAVER_LOG.
dlg_open() {  # [VAR=value...]
  rm -f "$E2E_SAVER_LOG"
  e2e_start dialog 150 "$@" "$E2E_SLUMBMIX" /c
  dlg_drive find 30000 dump || e2e_die "the settings dialog did not open: $(cat "$DLG_DRIVER_OUT")"
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

# A value of the last driver run's output (e2e_value).
dlg_value() { e2e_value "$1" "$DLG_DRIVER_OUT"; }  # key

dlg_expect() { e2e_expect_eq "$1" "$(e2e_value_seen "$2" "$DLG_DRIVER_OUT")" "$3"; }  # what key expected

# The list box's lines of the last dump, one a line, in its order (empty
# for a line the driver could not read, so that each keeps its index).
dlg_lines() {
  local n i
  n=$(dlg_value list.count)
  for ((i = 0; i < ${n:-0}; i++)); do dlg_value "list.$i" || echo; done
}

# Index in the last dump of the first line equal to the text. A line that
# is not there prints nothing and fails: never -1, which the list box
# answers for "nothing selected".
dlg_line_index() {  # text
  dlg_lines | TEXT=$1 awk '!found && $0 == ENVIRON["TEXT"] { print NR - 1; found = 1 }
    END { exit !found }'
}

# Runs the driver's steps that end the dialog, if any are given, then waits
# until the dialog has ended and SLUMBMIX.SCR has exited.
dlg_wait_closed() {  # [driver-steps...]
  [ $# -eq 0 ] || dlg_drive "$@"
  dlg_drive gone 20000 || e2e_fail "the dialog did not close"
  e2e_wait_exit dialog 20 || e2e_fail "SLUMBMIX.SCR did not exit"
}

# The Windows-side savers of the Windows and System folders, as full paths,
# sorted: what a filling from those two folders must show.
dlg_expected_savers() {
  local savers=(-maxdepth 1 -type f -iname '*.scr' ! -iname slumbmix.scr)
  { find "$DLG_WINDIR" "${savers[@]}" -printf 'C:\\windows\\%f\n'
    find "$E2E_SYSDIR" "${savers[@]}" -printf 'C:\\windows\\system32\\%f\n'; } | LC_ALL=C sort
}

# The registry values as "name|type|data" lines, sorted, none without the
# key; a failed query prints e2e_reg_values' line and fails.
dlg_registry() {
  local values
  values=$(e2e_reg_values) || { printf '%s\n' "$values"; return 1; }
  [ -z "$values" ] || LC_ALL=C sort <<<"$values"
}
