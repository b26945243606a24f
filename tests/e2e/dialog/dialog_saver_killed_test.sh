#!/usr/bin/env bash
# Setting starts the library-style saver, whose settings dialog is owned by
# ours and disables it; only that dialog's own end would enable ours again.
# The saver's process is killed instead, as a crash would end it: ours must
# be enabled again and take a real click.
. "$(dirname "$0")/../lib.sh"
. "$(dirname "$0")/dialog_lib.sh"
dlg_begin "${E2E_TEST:-dialog.saver_killed}"
[ -n "${E2E_LIBSAVER:-}" ] || e2e_die "E2E_LIBSAVER is not set: run the tests through ctest"
saver_name=KilledLib.scr
cp "$E2E_LIBSAVER" "$DLG_WINDIR/$saver_name"
trap 'rm -f "$DLG_WINDIR/$saver_name"; dlg_cleanup; e2e_kill_ours' EXIT
export SLUMBERMIX_TEST_CAP_MS=60000

saver_pid() { e2e_our_processes | awk -v name="${saver_name,,}" 'tolower($2) == name { print $1 }'; }
saver_gone() { [ -z "$(saver_pid)" ]; }

e2e_reg_delete
dlg_open
dlg_drive dump || e2e_fail "dump"
random=$(dlg_value check.107)
if dlg_drive select "$(dlg_line_index "C:\\windows\\$saver_name")" post-click 111 box 10000 enabled; then
  dlg_expect "the saver's dialog is up and ours disabled" enabled 0
  pid=$(saver_pid)
  e2e_expect "the saver's process is found ($pid) and killed" kill -KILL "${pid:-none}"
  e2e_expect "the saver's process is gone" e2e_wait_for 10 "the saver to end" saver_gone
  dlg_drive box-gone 10000 responsive 10000 enabled centre 107 || e2e_fail "driver"
  dlg_expect "ours answers again" responsive 1
  dlg_expect "ours is enabled again" enabled 1
  read -r x y <<<"$(dlg_value centre)"
  timeout 5 xdotool mousemove "${x:-0}" "${y:-0}" click 1
  sleep 1
  dlg_drive dump
  e2e_expect "ours takes a real click on its Random box" test "$(dlg_value check.107)" != "$random"
else
  e2e_fail "the saver's dialog did not appear within 10 s"
fi
dlg_drive post-click 2
dlg_wait_closed
e2e_expect "no process left" e2e_wait_no_process_of_ours 10
e2e_done
