#!/usr/bin/env bash
# Edits and Apply write all nine values with their types, refill the list
# (now with the extra folder's saver) and select the DefSaver line again;
# Apply is then disabled. OK saves what was edited after that. A stored flag
# other than 0 or 1 shows as checked and is saved back as 1.
. "$(dirname "$0")/../lib.sh"
. "$(dirname "$0")/dialog_lib.sh"
dlg_begin "${E2E_TEST:-dialog.save}"

ext="$E2E_TEST_DIR/More Savers"
e2e_install_saver "$ext" DlgExtD.scr
extwin=$(e2e_winpath "$ext")
sysc='C:\windows\system32\DlgSysC.scr'

e2e_settings UseSysDir=dword:5
dlg_open
dlg_drive dump || e2e_fail "dump"
dlg_expect "a stored 5 shows as checked" check.102 1

dlg_drive click 104 settext 105 "$extwin" click 106 click 107 settext 108 7 click 114 dump ||
  e2e_fail "edits"
dlg_expect "edits enable Apply" enabled.30719 1
line=$(dlg_line_index "$sysc")
dlg_drive select "$line" click 30719 dump || e2e_fail "select and Apply"
dlg_expect "Apply disabled again" enabled.30719 0

expected="ChangeTime|REG_DWORD|0x668a0
DefSaver|REG_SZ|$sysc
DisableDWM|REG_DWORD|0x0
ExtDir|REG_SZ|$extwin
ExtSubDir|REG_DWORD|0x1
Random|REG_DWORD|0x0
UseExtDir|REG_DWORD|0x1
UseSysDir|REG_DWORD|0x1
UseWinDir|REG_DWORD|0x1"
e2e_expect_eq "Apply wrote all nine values with their types" "$(dlg_registry)" "$expected"

e2e_expect "the refilled list holds the extra folder's saver" \
  test -n "$(dlg_line_index "$extwin\\DlgExtD.scr")"
dlg_expect "the DefSaver line is selected after the refill" list.sel "$(dlg_line_index "$sysc")"

dlg_drive settext 108 2 click 106 click 1 || e2e_fail "OK"
dlg_wait_closed
expected=${expected/0x668a0/0x1d4c0}
expected=${expected/ExtSubDir|REG_DWORD|0x1/ExtSubDir|REG_DWORD|0x0}
e2e_expect_eq "OK saved the later edits" "$(dlg_registry)" "$expected"

dlg_open
dlg_drive dump || e2e_fail "dump"
dlg_expect "reopened: minutes" text.108 2
dlg_expect "reopened: extra folder" text.105 "$extwin"
dlg_expect "reopened: DefSaver selected" list.sel "$(dlg_line_index "$sysc")"
dlg_expect "reopened: composition box unchecked" check.114 0
dlg_drive click 2
dlg_wait_closed

e2e_done
