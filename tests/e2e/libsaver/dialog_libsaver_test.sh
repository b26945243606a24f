#!/usr/bin/env bash
# The settings dialog with a screen saver built the way most are (the
# library-style test saver). Setting starts it with no option, so it opens
# its own settings dialog owned by the foreground window: ours. That dialog
# must appear within seconds while ours is disabled under it, and ours must
# work again once it is closed and the saver has ended. Preview runs the
# saver full-screen until real input ends it, and the dialog works after.
# First, as a control, the saver's dialog is given ours as its owner
# (/c:<handle>) by the test while ours serves its messages as usual.
. "$(dirname "$0")/../lib.sh"
. "$(dirname "$0")/../dialog/dialog_lib.sh"
dlg_begin "${E2E_TEST:-dialog.libsaver}"
[ -n "${E2E_LIBSAVER:-}" ] || e2e_die "E2E_LIBSAVER is not set: run the tests through ctest"

saver='C:\windows\LibStyle.scr'
saver_file=$DLG_WINDIR/LibStyle.scr
cp "$E2E_LIBSAVER" "$saver_file"
trap 'rm -f "$saver_file"; dlg_cleanup; e2e_kill_ours' EXIT
# A saver stuck behind a dialog that never answers ends by itself by then.
export SLUMBERMIX_TEST_CAP_MS=60000
# The savers the dialog starts log to $DLG_SAVER_LOG (dlg_open); so does the
# one this test starts, and the log helpers of lib.sh read it.
E2E_SAVER_LOG=$DLG_SAVER_LOG
SLUMBERMIX_TEST_LOG=$(e2e_winpath "$DLG_SAVER_LOG")
SAVER_TITLE='Library-style saver settings'

# The detail of the one saver process the log holds since it was emptied.
saver_event() { e2e_saver_events "$1" | tail -n1; }
saver_has() { [ -n "$(saver_event "$1")" ]; }
saver_ended() { saver_has exit; }

# The saver ends for the reason given, and ours works again: it takes a
# posted message and is enabled.
expect_saver_gone_ours_back() {  # part reason
  e2e_wait_for 10 "the saver's end" saver_ended || e2e_fail "$1: the saver did not end"
  e2e_expect_eq "$1: exit reason" "$(saver_event exit)" "$2"
  dlg_drive responsive 10000 enabled
  dlg_expect "$1: ours answers again" responsive 1
  dlg_expect "$1: ours is enabled" enabled 1
}

dump_log_on_failure() {
  if [ "$E2E_FAILURES" -ne 0 ] && [ -f "$DLG_SAVER_LOG" ]; then
    e2e_log "saver log:"
    cat "$DLG_SAVER_LOG" >&2
  fi
}

e2e_reg_delete
dlg_open
dlg_drive dump handle || e2e_fail "dump"
line=$(dlg_line_index "$saver")
dialog=$(dlg_value handle)
owner=$(printf '0x%x' "$dialog")
e2e_expect "the saver is listed" test "$line" -ge 0

e2e_log "-- /c:<handle>, started by the test: the saver's dialog owned by ours"
rm -f "$DLG_SAVER_LOG"
e2e_start 60 "$saver_file" "/c:$dialog"
if dlg_drive box 10000 enabled; then
  dlg_expect "/c:<handle>: the saver's dialog, owned by ours" box.title "$SAVER_TITLE"
  dlg_expect "/c:<handle>: ours is disabled under it" enabled 0
  dlg_drive box-click 2
  expect_saver_gone_ours_back '/c:<handle>' cancel
  e2e_wait_exit 10 || e2e_fail "/c:<handle>: the saver's process did not end"
else
  e2e_fail "/c:<handle>: the saver's dialog did not appear"
fi
e2e_expect_eq "/c:<handle>: the owner it asked for" "$(saver_event owner)" "$owner"

e2e_log "-- Setting: the saver finds ours as the foreground window"
rm -f "$DLG_SAVER_LOG"
clicked=$(date +%s%3N)
if dlg_drive select "$line" post-click 111 box 10000 enabled responsive 1000; then
  started=$(awk '$3 == "start" { print $1; exit }' "$DLG_SAVER_LOG")
  shown=$(awk '$3 == "dialog" { print $1; exit }' "$DLG_SAVER_LOG")
  e2e_log "the saver's dialog was shown $((${shown:-0} - clicked)) ms after the driver was" \
    "started to press Setting, $((${shown:-0} - ${started:-0})) ms after the saver started"
  dlg_expect "Setting: the saver's dialog, owned by ours" box.title "$SAVER_TITLE"
  dlg_expect "Setting: ours is disabled under it" enabled 0
  dlg_expect "Setting: ours takes no posted message while the saver runs" responsive 0
  e2e_expect_eq "Setting: command line" "$(saver_event cmdline)" "\"$saver\" "
  e2e_expect_eq "Setting: the saver took its settings mode" "$(saver_event behaviour)" \
    "library mode settings"
  e2e_expect_eq "Setting: the dialog's owner, found as the foreground window" \
    "$(saver_event dialog)" "shown owner $owner"
  dlg_drive box-click 1
  expect_saver_gone_ours_back Setting ok
else
  e2e_fail "Setting: the saver's dialog did not appear within 10 s"
  e2e_log "the saver asked for owner '$(saver_event owner)' (ours: $owner)" \
    "and logged no later event than '$(tail -n1 "$DLG_SAVER_LOG" 2>/dev/null | cut -d' ' -f3-)'"
  dump_log_on_failure
  e2e_done  # the rest needs a dialog that answers
fi

e2e_log "-- Preview: full-screen until the pointer moves"
rm -f "$DLG_SAVER_LOG"
timeout 5 xdotool mousemove 300 300
# Posted like a click: the dialog starts the saver from its own loop, which
# shows that the loop runs again after Setting.
if dlg_drive post-click 112 saver-shown 20000; then
  e2e_wait_for 10 "the saver's window" saver_has window
  e2e_expect_eq "Preview: command line" "$(saver_event cmdline)" "\"$saver\" /s"
  e2e_expect_eq "Preview: full-screen" "$(saver_event window | cut -d' ' -f2)" 1024x768
  sleep 1
  e2e_expect "Preview: the saver runs until input" test -z "$(saver_event exit)"
  moved=0
  for at in "310 300" "600 450" "300 300" "600 450"; do
    saver_ended && break
    # shellcheck disable=SC2086  # x and y
    timeout 5 xdotool mousemove $at
    moved=$((moved + 1))
    sleep 0.3
  done
  e2e_log "moves of the pointer: $moved"
  expect_saver_gone_ours_back Preview move
else
  e2e_fail "Preview showed no saver window"
fi

dlg_drive post-click 2
dlg_wait_closed
e2e_expect "no process left" e2e_wait_no_process_of_ours 10
dump_log_on_failure
e2e_done
