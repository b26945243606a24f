#!/usr/bin/env bash
# Setting and Preview start the selected saver: Setting with nothing after
# the quoted path but one space, Preview with /s, each in the saver's
# folder, while the dialog waits for it to end. (The priority class is the
# launcher's concern: Wine 8 reports such a child's class as 0x20 here.)
. "$(dirname "$0")/../lib.sh"
. "$(dirname "$0")/dialog_lib.sh"
dlg_begin "${E2E_TEST:-dialog.launch}"

saver='C:\windows\DlgWinB.scr'

log_has() { grep -q -- "$1" "$DLG_SAVER_LOG" 2>/dev/null; }
log_field() {  # event: the rest of the last such line
  grep -- " $1 " "$DLG_SAVER_LOG" | tail -n1 | cut -d' ' -f4-
}

e2e_reg_delete
dlg_open
dlg_drive dump || e2e_fail "dump"
line=$(dlg_line_index "$saver")
e2e_expect "the saver is listed" test "$line" -ge 0

e2e_log "-- nothing selected: no saver starts"
dlg_drive post-click 111 post-click 112 responsive 5000
sleep 1
e2e_expect "no saver started without a selection" test ! -e "$DLG_SAVER_LOG"

e2e_log "-- Setting"
dlg_drive select "$line" post-click 111
e2e_wait_for 20 "the saver's exit" log_has ' exit ' || e2e_fail "Setting started no saver that ended"
e2e_expect_eq "Setting: command line" "$(log_field cmdline)" "\"$saver\" "
e2e_expect_eq "Setting: working folder" "$(log_field cwd)" 'C:\windows'
e2e_expect_eq "Setting: the saver ran in its other mode" "$(log_field exit)" other-mode
dlg_drive responsive 10000
dlg_expect "the dialog answers again once the saver has ended" responsive 1

e2e_log "-- Preview"
rm -f "$DLG_SAVER_LOG"
dlg_drive post-click 112 saver-shown 20000 || e2e_fail "Preview showed no saver window"
e2e_expect_eq "Preview: command line" "$(log_field cmdline)" "\"$saver\" /s"
dlg_drive responsive 1000 serves-sent 5000
dlg_expect "the dialog takes no input while the saver runs" responsive 0
dlg_expect "the waiting dialog still serves what other threads send it" serves-sent 1
dlg_drive close-saver
e2e_wait_for 20 "the saver's exit" log_has ' exit ' || e2e_fail "the saver did not end"
e2e_expect_eq "Preview: the saver ended on WM_CLOSE" "$(log_field exit)" close
dlg_drive responsive 10000
dlg_expect "the dialog answers again" responsive 1

dlg_drive click 2
dlg_wait_closed
e2e_expect_eq "nothing saved" "$(dlg_registry)" ""

e2e_done
