#!/usr/bin/env bash
# Run mode with a screen saver built the way most are (the library-style
# test saver) in the rotation beside two test savers: it is played with
# "/s", full-screen, replaced at change-over by WM_CLOSE alone (it ends on
# the one WM_CLOSE), and when it plays again, moving the real pointer ends
# it and with it the run.
. "$(dirname "$0")/../lib.sh"
. "$(dirname "$0")/../player_lib.sh"
e2e_begin "${E2E_TEST:-player.libsaver}"
[ -n "${E2E_LIBSAVER:-}" ] || e2e_die "E2E_LIBSAVER is not set: run the tests through ctest"

CHANGE_MS=4000
LIBRARY=libstyle.scr
player_setup "$CHANGE_MS" alpha_close.scr bravo_close.scr
cp "$E2E_LIBSAVER" "$PLAYER_SAVERS/$LIBRARY"
folder=$(e2e_winpath "$PLAYER_SAVERS")

is_library() { [ "$(player_saver_name "$1")" == "$LIBRARY" ]; }
library_runs() {
  local pid
  for pid in $(player_runs); do is_library "$pid" && echo "$pid"; done
}
# The library-style saver has ended and another saver has started since.
library_replaced() {
  local first
  first=$(library_runs | head -n1)
  [ -n "$first" ] && player_has_event "$first" exit &&
    [ "$(player_runs | tail -n1)" != "$first" ]
}

timeout 5 xdotool mousemove 400 300
began=$(date +%s%3N)
e2e_start 150 "$E2E_SLUMBMIX" /s
# It is one of the first three, each played for the change time.
e2e_wait_for 60 "the library-style saver played and replaced" library_replaced ||
  e2e_fail "the library-style saver was not played and replaced"

first=$(library_runs | head -n1)
if [ -n "$first" ]; then
  mapfile -t runs < <(player_runs)
  for ((i = 0; i < ${#runs[@]}; i++)); do [ "${runs[$i]}" == "$first" ] && break; done
  next=${runs[$((i + 1))]:-}
  e2e_expect_eq "command line of the library-style saver" "$(player_event "$first" cmdline)" \
    "\"$folder\\$LIBRARY\" /s"
  e2e_expect_eq "it ran full-screen" "$(player_event "$first" window | cut -d' ' -f2)" 1024x768
  e2e_expect_eq "it got one WM_CLOSE" "$(e2e_saver_events WM_CLOSE "$first" | wc -l)" 1
  e2e_expect_eq "it ended on WM_CLOSE" "$(player_event "$first" exit)" close
  # Its change time started when the player started it: after the program
  # started, or after the saver before it ended. WM_CLOSE comes no sooner
  # than the change time from there, however busy the machine; how long it
  # played and how soon the next saver started are printed.
  closed=$(player_event_time "$first" WM_CLOSE)
  from=$began
  [ "$i" -eq 0 ] || from=$(player_event_time "${runs[$((i - 1))]}" exit)
  e2e_expect "it got WM_CLOSE no sooner than the change time ($((closed - from)) ms)" \
    test $((closed - from)) -ge "$CHANGE_MS"
  e2e_log "it played $((closed - $(player_event_time "$first" start))) ms from its start"
  [ -z "$next" ] ||
    e2e_log "the next saver started $(($(player_event_time "$next" start) - closed)) ms after WM_CLOSE"
fi

# Real input once it plays again, made once per play; should a change-over
# reach it first, it gets the move on its next turn.
second_play() { [ "$1" != "$first" ] && is_library "$1"; }
player_end_by_user 60 second_play
ended_by_user=$PLAYER_ENDED_BY
e2e_expect "the pointer ended the library-style saver's second play" test -n "$ended_by_user"

e2e_wait_exit 30 || e2e_fail "SLUMBMIX.SCR did not end"
e2e_expect_eq "exit code of SLUMBMIX.SCR" "$E2E_RC" 0
e2e_expect_eq "the saver the pointer ended was the last one started" \
  "$(player_runs | tail -n1)" "$ended_by_user"
e2e_expect "no process left" e2e_wait_no_process_of_ours 15

mapfile -t runs < <(player_runs)
e2e_log "played: $(for p in "${runs[@]}"; do printf '%s; ' "$(player_saver_name "$p")"; done)"
if [ "$E2E_FAILURES" -ne 0 ]; then
  e2e_log "saver log:"
  cat "$E2E_SAVER_LOG" >&2
fi
e2e_done
