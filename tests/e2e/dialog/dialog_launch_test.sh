#!/usr/bin/env bash
# Setting and Preview start the selected saver: Setting with nothing after
# the quoted path but one space, Preview with /s, each in the saver's
# folder, while the dialog waits for it to end. (The priority class is the
# launcher's concern: Wine 8 reports such a child's class as 0x20 here.)
#
# Then the same with a screen saver built the way most are (the
# library-style test saver). Setting starts it with no option, so it opens
# its own settings dialog owned by the foreground window: ours. That dialog
# must appear within seconds while ours is disabled under it, and ours must
# work again once it is closed and the saver has ended. Preview runs it
# full-screen until real input ends it; it closes as soon as it loses the
# activation, so ours must leave it the activation. First, as a control, the
# saver's dialog is given ours as its owner (/c:<handle>) by the test while
# ours serves its messages as usual. Last, Setting again, with the saver
# killed while its dialog is up.
. "$(dirname "$0")/../lib.sh"
. "$(dirname "$0")/dialog_lib.sh"
dlg_begin "${E2E_TEST:-dialog.launch}"
e2e_need E2E_LIBSAVER

saver='C:\windows\DlgWinB.scr'
library='C:\windows\LibStyle.scr'
library_file=$DLG_WINDIR/LibStyle.scr
e2e_install_saver "$DLG_WINDIR" LibStyle.scr "$E2E_LIBSAVER"
# A saver stuck behind a dialog that never answers ends by itself by then.
export SLUMBERMIX_TEST_CAP_MS=60000
LIBRARY_TITLE='Library-style saver settings'

# The details of the last line of an event in the log, which holds the one
# saver process started since it was emptied.
saver_event() { e2e_saver_log "$1" | tail -n1; }
saver_has() { e2e_saver_logged "$1"; }

# The saver ends for the reason given, and ours works again: it takes a
# posted message and is enabled.
expect_saver_gone_ours_back() {  # part reason
  e2e_wait_for 10 "the saver's end" saver_has exit || e2e_fail "$1: the saver did not end"
  e2e_expect_eq "$1: exit reason" "$(saver_event exit)" "$2"
  dlg_drive responsive 10000 enabled
  dlg_expect "$1: ours answers again" responsive 1
  dlg_expect "$1: ours is enabled" enabled 1
}

e2e_settings
dlg_open
dlg_drive dump handle || e2e_fail "dump"
line=$(dlg_line_index "$saver")
library_line=$(dlg_line_index "$library")
dialog=$(dlg_value handle)
owner=$(printf '0x%x' "$dialog")
e2e_expect "the saver is listed" test -n "$line"
e2e_expect "the library-style saver is listed" test -n "$library_line"

e2e_log "-- nothing selected: no saver starts"
dlg_drive post-click 111 post-click 112 responsive 5000
sleep 1
e2e_expect "no saver started without a selection" test ! -e "$E2E_SAVER_LOG"

e2e_log "-- Setting"
dlg_drive select "$line" post-click 111
e2e_wait_for 20 "the saver's exit" saver_has exit || e2e_fail "Setting started no saver that ended"
e2e_expect_eq "Setting: command line" "$(saver_event cmdline)" "\"$saver\" "
e2e_expect_eq "Setting: working folder" "$(saver_event cwd)" 'C:\windows'
e2e_expect_eq "Setting: the saver ran in its other mode" "$(saver_event exit)" other-mode
dlg_drive responsive 10000
dlg_expect "the dialog answers again once the saver has ended" responsive 1

e2e_log "-- Preview"
rm -f "$E2E_SAVER_LOG"
dlg_drive post-click 112 saver-shown 20000 || e2e_fail "Preview showed no saver window"
e2e_expect_eq "Preview: command line" "$(saver_event cmdline)" "\"$saver\" /s"
dlg_drive responsive 1000 serves-sent 5000
dlg_expect "the dialog takes no input while the saver runs" responsive 0
dlg_expect "the waiting dialog still serves what other threads send it" serves-sent 1
dlg_drive close-saver
e2e_wait_for 20 "the saver's exit" saver_has exit || e2e_fail "the saver did not end"
e2e_expect_eq "Preview: the saver ended on WM_CLOSE" "$(saver_event exit)" close
dlg_drive responsive 10000
dlg_expect "the dialog answers again" responsive 1

e2e_log "-- library-style saver, /c:<handle> started by the test: its dialog owned by ours"
rm -f "$E2E_SAVER_LOG"
e2e_start 60 "$library_file" "/c:$dialog"
if dlg_drive box 10000 enabled; then
  dlg_expect "/c:<handle>: the saver's dialog, owned by ours" box.title "$LIBRARY_TITLE"
  dlg_expect "/c:<handle>: ours is disabled under it" enabled 0
  dlg_drive box-click 2
  expect_saver_gone_ours_back '/c:<handle>' cancel
  e2e_wait_exit 10 || e2e_fail "/c:<handle>: the saver's process did not end"
else
  e2e_fail "/c:<handle>: the saver's dialog did not appear"
fi
e2e_expect_eq "/c:<handle>: the owner it asked for" "$(saver_event owner)" "$owner"

e2e_log "-- library-style saver, Setting: it finds ours as the foreground window"
rm -f "$E2E_SAVER_LOG"
if dlg_drive select "$library_line" post-click 111 box 10000 enabled responsive 1000; then
  dlg_expect "Setting: the saver's dialog, owned by ours" box.title "$LIBRARY_TITLE"
  dlg_expect "Setting: ours is disabled under it" enabled 0
  dlg_expect "Setting: ours takes no posted message while the saver runs" responsive 0
  e2e_expect_eq "Setting: command line" "$(saver_event cmdline)" "\"$library\" "
  e2e_expect_eq "Setting: the saver took its settings mode" "$(saver_event behaviour)" \
    "library mode settings"
  e2e_expect_eq "Setting: the dialog's owner, found as the foreground window" \
    "$(saver_event dialog)" "shown owner $owner"
  dlg_drive box-click 1
  expect_saver_gone_ours_back Setting ok
else
  e2e_fail "Setting: the saver's dialog did not appear within 10 s"
  e2e_log "the saver asked for owner '$(saver_event owner)' (ours: $owner)" \
    "and logged no later event than '$(tail -n1 "$E2E_SAVER_LOG" 2>/dev/null | cut -d' ' -f3-)'"
  e2e_done  # the rest needs a dialog that answers
fi

# It ends on any loss of the activation, so an exit on the move (and not
# "deactivated") says it kept the activation until the input came.
e2e_log "-- library-style saver, Preview: full-screen until the pointer moves"
rm -f "$E2E_SAVER_LOG"
timeout 5 xdotool mousemove 300 300
# Posted like a click: the dialog starts the saver from its own loop, which
# shows that the loop runs again after Setting.
if dlg_drive post-click 112 saver-shown 20000; then
  e2e_wait_for 10 "the saver's window" saver_has window
  e2e_expect_eq "Preview: command line" "$(saver_event cmdline)" "\"$library\" /s"
  e2e_expect_eq "Preview: full-screen" "$(saver_event window | cut -d' ' -f2)" 1024x768
  pid=$(e2e_saver_log -p window | tail -n1)
  if e2e_wait_for 10 "the saver to take input" e2e_saver_takes_input "$pid"; then
    e2e_saver_move "$pid"
  else
    e2e_fail "Preview: the saver's window did not take the focus"
  fi
  expect_saver_gone_ours_back Preview move
else
  e2e_fail "Preview showed no saver window"
fi

# The saver's dialog disabled ours, and only its own end would enable ours
# again: when its process is killed instead, as a crash ends it, ours must
# enable itself and take a real click.
e2e_log "-- library-style saver, Setting: killed while its dialog is up"
rm -f "$E2E_SAVER_LOG"
library_gone() { [ -z "$(e2e_pid_of LibStyle.scr)" ]; }
random_changed() { dlg_drive dump && [ "$(dlg_value check.107)" != "$1" ]; }
dlg_drive dump || e2e_fail "dump"
random=$(dlg_value check.107)
if dlg_drive select "$library_line" post-click 111 box 10000 enabled; then
  dlg_expect "killed: ours is disabled under the saver's dialog" enabled 0
  pid=$(e2e_pid_of LibStyle.scr)
  e2e_expect "killed: the saver's process ($pid) is killed" kill -KILL "${pid:-none}"
  e2e_expect "killed: the saver's process is gone" e2e_wait_for 10 "the saver to end" library_gone
  dlg_drive box-gone 10000 responsive 10000 enabled centre 107 || e2e_fail "driver"
  dlg_expect "killed: ours answers again" responsive 1
  dlg_expect "killed: ours is enabled again" enabled 1
  read -r x y <<<"$(dlg_value centre)"
  timeout 5 xdotool mousemove "${x:-0}" "${y:-0}" click 1
  e2e_expect "killed: ours takes a real click on its Random box" \
    e2e_wait_for 5 "the Random box to change" random_changed "$random"
else
  e2e_fail "killed: the saver's dialog did not appear within 10 s"
fi

dlg_drive click 2
dlg_wait_closed
e2e_expect_eq "nothing saved" "$(dlg_registry)" ""
e2e_expect "no process left" e2e_wait_no_process_of_ours 10
e2e_done
