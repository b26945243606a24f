#!/usr/bin/env bash
# Cancel and the caption's close box end the dialog without writing
# anything, whatever was edited: one row a way to end it.
. "$(dirname "$0")/../lib.sh"
. "$(dirname "$0")/dialog_lib.sh"
dlg_begin "${E2E_TEST:-dialog.discard}"

e2e_settings ChangeTime=dword:300000 'DefSaver=sz:C:\windows\DlgWinB.scr'
before=$(dlg_registry)

discard_row() {  # how driver-steps...
  local how=$1
  shift
  dlg_open
  dlg_drive click 100 click 107 settext 105 'C:\elsewhere' settext 108 9 select 0 dump ||
    e2e_fail "$how: edits"
  dlg_expect "$how: the edits enabled Apply" enabled.30719 1
  dlg_drive "$@"
  dlg_wait_closed
  e2e_expect_eq "$how wrote nothing" "$(dlg_registry)" "$before"
}

e2e_rows discard_row <<'ROWS'
cancel click 2
close-box close
ROWS

e2e_done
