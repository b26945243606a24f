#!/usr/bin/env bash
# The library-style test saver that the dialog and run-mode tests rely on,
# driven as a screen saver host and a user would: run mode ends on a mouse
# move beyond its threshold but not within it, on losing activation to
# another full-screen saver and on WM_CLOSE; preview mode lives in its
# parent until the parent goes; a dialog no one closes ends at the cap.
# (Its settings dialog with an owner is checked by dialog.launch.)
. "$(dirname "$0")/../lib.sh"
e2e_begin "${E2E_TEST:-rig.libsaver}"
e2e_need E2E_LIBSAVER E2E_PREVIEW_PARENT

savers=$E2E_TEST_DIR/savers
e2e_install_saver "$savers" first.scr "$E2E_LIBSAVER"
e2e_install_saver "$savers" second.scr "$E2E_LIBSAVER"

# Each part logs to a file of its own, so that it reads only its own savers.
part() { e2e_use_saver_log "$E2E_TEST_DIR/$1.log"; }

# The process id of the last start of this saver file. The event of a saver
# not started yet is never logged: an empty pid would take any saver's.
started() { e2e_saver_log -p start '' "\\\\$1\$" | tail -n1; }  # file name
logged_by() { local pid; pid=$(started "$2") && [ -n "$pid" ] && e2e_saver_logged "$1" "$pid"; }

# ------------------------------------------------------------------ run mode: the mouse

part mouse
timeout 5 xdotool mousemove 500 400
e2e_start 60 "$savers/first.scr" /s
if e2e_wait_for 20 "the full-screen window" logged_by window first.scr; then
  pid=$(started first.scr)
  e2e_expect_eq "/s: behaviour" "$(e2e_saver_log behaviour "$pid")" "library mode run"
  e2e_expect_eq "/s: the window covers the screen" \
    "$(e2e_saver_log window "$pid" | cut -d' ' -f2)" 1024x768
  # Moves count from where it was first told the pointer rests.
  e2e_expect "/s: it takes input: its window has the focus, it knows where the pointer is" \
    e2e_wait_for 10 "the saver to take input" e2e_saver_takes_input "$pid"
  e2e_expect_eq "/s: where the pointer rests" "$(e2e_saver_log mouse "$pid")" "500 400"
  # It logs each position it is told of with its verdict, so the test knows
  # the small move arrived.
  timeout 5 xdotool mousemove 503 402
  moved() { e2e_saver_logged WM_MOUSEMOVE "$pid" '^503 402 '; }
  e2e_wait_for 10 "the saver to be told of the small move" moved
  e2e_expect_eq "/s: a move of 3 pixels is ignored" \
    "$(e2e_saver_log WM_MOUSEMOVE "$pid" '^503 402 ' | head -n1)" "503 402 ignored"
  e2e_expect "/s: and leaves it running" e2e_running
  timeout 5 xdotool mousemove 600 500
  e2e_expect "/s: a move of 100 pixels ends it" e2e_wait_exit 10
  e2e_expect_eq "/s: exit reason after the move" "$(e2e_saver_log exit "$pid")" move
else
  e2e_fail "/s: no window"
fi
e2e_wait_no_process_of_ours 10 || e2e_kill_ours

# ------------------------------------------------------------------ run mode: activation, WM_CLOSE

# Another saver coming to the front takes the activation away from the first.
part activation
e2e_start 60 "$savers/first.scr" /s
if e2e_wait_for 20 "the first window" logged_by window first.scr; then
  first=$(started first.scr)
  e2e_start second 60 "$savers/second.scr" /s
  e2e_wait_for 20 "the second window" logged_by window second.scr || e2e_fail "second /s: no window"
  e2e_expect "the first ends when the second takes the activation" e2e_wait_exit 10
  e2e_expect_eq "first: exit reason" "$(e2e_saver_log exit "$first")" deactivated
  e2e_log "first: $(e2e_saver_log WM_ACTIVATEAPP "$first" | tr '\n' ' ')WM_ACTIVATEAPP;" \
    "$(e2e_saver_log WM_ACTIVATE "$first" | tr '\n' ' ')WM_ACTIVATE"
  e2e_post_close second.scr
  e2e_wait_for 10 "the second saver's end" logged_by exit second.scr
  # "close" is logged only when a WM_CLOSE from outside was the first cause.
  e2e_expect_eq "second: exit reason" "$(e2e_saver_log exit "$(started second.scr)")" close
else
  e2e_fail "first /s: no window"
fi
e2e_wait_no_process_of_ours 10 || e2e_kill_ours

# ------------------------------------------------------------------ preview

part preview
e2e_expect_eq "/p <parent>: a child of the class filling the parent; exit code once the parent is gone" \
  "$(e2e_preview_in_parent "$savers/first.scr")" "$E2E_PREVIEW_FILLS"
pid=$(started first.scr)
e2e_expect_eq "/p <parent>: exit reason" "$(e2e_saver_log exit "$pid")" parent-gone

# ------------------------------------------------------------------ the cap

# A settings dialog no one closes, without an owner: the cap ends it.
part cap
begin=$SECONDS
SLUMBERMIX_TEST_CAP_MS=1500 e2e_run 30 "$savers/first.scr" /c:0
pid=$(started first.scr)
e2e_expect_eq "/c:0: exit code" "$E2E_RC" 0
e2e_expect_eq "/c:0: the dialog was shown without an owner" \
  "$(e2e_saver_log dialog "$pid")" "shown owner 0x0"
e2e_expect_eq "/c:0: exit reason" "$(e2e_saver_log exit "$pid")" cap
e2e_expect "/c:0: ended within 10 s ($((SECONDS - begin)) s)" test $((SECONDS - begin)) -le 10

e2e_expect "no process of ours is left running" e2e_wait_no_process_of_ours 10
e2e_done
