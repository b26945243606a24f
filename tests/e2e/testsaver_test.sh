#!/usr/bin/env bash
# The test saver that later tests rely on: its log, and the behaviour its
# file name chooses, driven the way a user and a screen saver host would
# (X input through xdotool, WM_CLOSE through taskkill).
. "$(dirname "$0")/lib.sh"
e2e_begin "${E2E_TEST:-rig.testsaver}"

savers="$E2E_TEST_DIR/Saver Folder"
savers_win=$(e2e_winpath "$savers")

windows_logged() { [ "$(e2e_saver_log -p window | wc -l)" -gt "$1" ]; }

# Starts NAME /s and waits for its window; E2E_SAVER_PID is its pid.
start_run_mode() {  # name
  local before
  before=$(e2e_saver_log -p window | wc -l)
  e2e_start 60 "$savers/$1" /s
  if ! e2e_wait_for 20 "$1 shows its window" windows_logged "$before"; then
    e2e_fail "$1: no window"
    return 1
  fi
  E2E_SAVER_PID=$(e2e_saver_log -p window | tail -n1)
  e2e_expect "$1: its window has the focus and it noted the pointer" \
    e2e_wait_for 10 "$1 to take input" e2e_saver_takes_input "$E2E_SAVER_PID"
}

# Once the saver has logged the last input given to it, as it ignored it, it
# must still be running.
expect_running() {  # what event pattern-of-its-details
  e2e_wait_for 10 "the saver to log its $2" logged "$2" "$3" ||
    e2e_fail "$1: the saver did not log its $2"
  e2e_expect "$1: still running" e2e_running
}
logged() { e2e_saver_logged "$1" "$E2E_SAVER_PID" "$2"; }

expect_ended() {  # what reason
  e2e_expect_eq "$1: exit code" "$(e2e_exit_code 20)" 0
  e2e_expect_eq "$1: exit line" "$(e2e_saver_log exit "$E2E_SAVER_PID")" "$2"
}

for name in exit_now.scr settings.scr close.scr input.scr escape.scr; do
  e2e_install_saver "$savers" "$name"
done

# ------------------------------------------------------------------ start lines, other modes

e2e_run 30 "$savers/exit_now.scr" /s extra words
e2e_expect_eq "exit: exit code" "$E2E_RC" 0
pid=$(e2e_saver_log -p start)
e2e_expect_eq "exit: start" "$(e2e_saver_log start "$pid")" "$savers_win\\exit_now.scr"
e2e_expect_eq "exit: command line, exactly" "$(e2e_saver_log cmdline "$pid")" \
  "\"$savers_win\\exit_now.scr\" /s extra words"
e2e_expect_eq "exit: working directory" "$(e2e_saver_log cwd "$pid")" \
  "$(e2e_winpath "$PWD")"
e2e_expect_eq "exit: priority of a start from the shell" "$(e2e_saver_log priority "$pid")" \
  0x20
e2e_expect_eq "exit: behaviour" "$(e2e_saver_log behaviour "$pid")" "exit mode run"
e2e_expect_eq "exit: exit" "$(e2e_saver_log exit "$pid")" immediate
e2e_expect_eq "exit: no window" "$(e2e_saver_log window "$pid")" ""

# Without SLUMBERMIX_TEST_LOG the log lies beside the saver.
SLUMBERMIX_TEST_LOG='' e2e_run 30 "$savers/settings.scr"
e2e_expect_eq "settings: exit code" "$E2E_RC" 0
e2e_expect_eq "settings: nothing in the test's log" "$(e2e_saver_log start)" \
  "$savers_win\\exit_now.scr"
own_log="$savers/settings.scr.log"
e2e_expect_eq "settings: its own log" "$(E2E_SAVER_LOG=$own_log e2e_saver_log behaviour)" \
  "close mode other"
e2e_expect_eq "settings: ends by itself" "$(E2E_SAVER_LOG=$own_log e2e_saver_log exit)" \
  other-mode

# ------------------------------------------------------------------ run mode behaviours

if start_run_mode close.scr; then
  e2e_screenshot close
  e2e_expect_eq "close: window covers the screen" "$(e2e_saver_log window "$E2E_SAVER_PID" |
    cut -d' ' -f2)" 1024x768
  e2e_expect_eq "close: its colour on screen" "$(e2e_pixel close 512 600)" 0,0,160
  e2e_post_close close.scr
  expect_ended close close
  e2e_expect_eq "close: WM_CLOSE" "$(e2e_saver_log WM_CLOSE "$E2E_SAVER_PID")" honoured
fi

if start_run_mode input.scr; then
  e2e_post_close input.scr
  expect_running "input after WM_CLOSE" WM_CLOSE '^ignored$'
  e2e_expect_eq "input: WM_CLOSE" "$(e2e_saver_log WM_CLOSE "$E2E_SAVER_PID")" ignored
  timeout 10 xdotool key a
  expect_ended input key
  e2e_expect "input: key A logged" e2e_saver_logged WM_KEYDOWN "$E2E_SAVER_PID" \
    '^0x41 lParam=0x[0-9a-f]* extra=0x00000000 honoured$'
fi

# The moves below must be moves from where the pointer rests, whatever an
# earlier test left.
timeout 5 xdotool mousemove 600 500
if start_run_mode escape.scr; then
  e2e_post_close escape.scr
  timeout 10 xdotool key a
  timeout 10 xdotool mousemove 5 5 mousemove 300 300 click 1
  expect_running "escape after WM_CLOSE, a key, a move and a click" WM_LBUTTONDOWN '^300 300 ignored$'
  e2e_expect_eq "escape: ignored" "$(e2e_saver_log WM_CLOSE "$E2E_SAVER_PID")" ignored
  e2e_expect "escape: the move is logged" \
    e2e_saver_logged WM_MOUSEMOVE "$E2E_SAVER_PID" '^300 300 ignored$'
  e2e_expect "escape: the click is logged" \
    e2e_saver_logged WM_LBUTTONDOWN "$E2E_SAVER_PID" '^300 300 ignored$'
  timeout 10 xdotool key Escape
  expect_ended escape key
  e2e_expect "escape: Escape logged" e2e_saver_logged WM_KEYDOWN "$E2E_SAVER_PID" '^0x1b .* honoured$'
fi

e2e_expect "no process of ours is left running" e2e_wait_no_process_of_ours 10
e2e_done
