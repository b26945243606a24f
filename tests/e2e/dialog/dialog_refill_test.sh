#!/usr/bin/env bash
# The DefSaver line (equal without regard to ASCII case) is selected after
# each filling; unchecking the Windows folder and Apply refills the list
# without the Windows folder's savers.
. "$(dirname "$0")/../lib.sh"
. "$(dirname "$0")/dialog_lib.sh"
dlg_begin "${E2E_TEST:-dialog.refill}"

sysc='C:\windows\system32\DlgSysC.scr'
e2e_settings 'DefSaver=sz:c:\WINDOWS\SYSTEM32\dlgsysc.SCR'
dlg_open
dlg_drive dump || e2e_fail "dump"
line=$(dlg_line_index "$sysc")
e2e_expect "the System folder's saver is listed" test -n "$line"
dlg_expect "its line is selected on opening" list.sel "$line"

dlg_drive click 100 click 30719 dump || e2e_fail "uncheck and Apply"
e2e_expect_eq "only the System folder's savers are left" \
  "$(dlg_lines | LC_ALL=C sort)" "$(dlg_expected_savers | grep -F 'C:\windows\system32\')"
e2e_expect "none from the Windows folder" \
  test -z "$(dlg_lines | grep -v -F 'C:\windows\system32\')"
dlg_expect "the DefSaver line is selected after the refill" list.sel "$(dlg_line_index "$sysc")"
e2e_expect_eq "Apply saved UseWinDir 0" "$(e2e_reg_value UseWinDir)" 'UseWinDir|REG_DWORD|0x0'

dlg_drive click 100 click 30719 dump || e2e_fail "check and Apply"
e2e_expect_eq "both folders again" "$(dlg_lines | LC_ALL=C sort)" "$(dlg_expected_savers)"
dlg_expect "the DefSaver line is selected again" list.sel "$(dlg_line_index "$sysc")"
dlg_drive click 2
dlg_wait_closed

e2e_done
