#!/usr/bin/env bash
# Cancel and the caption's close box end the dialog without writing
# anything, whatever was edited.
. "$(dirname "$0")/../lib.sh"
. "$(dirname "$0")/dialog_lib.sh"
dlg_begin "${E2E_TEST:-dialog.discard}"

e2e_settings ChangeTime=dword:300000 'DefSaver=sz:C:\windows\DlgWinB.scr'
before=$(dlg_registry)

for how in cancel close-box; do
  dlg_open
  dlg_drive click 100 click 107 settext 105 'C:\elsewhere' settext 108 9 select 0 dump ||
    e2e_fail "$how: edits"
  dlg_expect "$how: the edits enabled Apply" enabled.30719 1
  if [ "$how" == cancel ]; then dlg_drive click 2; else dlg_drive close; fi
  dlg_wait_closed
  e2e_expect_eq "$how wrote nothing" "$(dlg_registry)" "$before"
done

e2e_done
