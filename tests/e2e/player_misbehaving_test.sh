#!/usr/bin/env bash
# Run mode under Wine with savers that fail on their own, each in a rotation
# with a saver that plays normally: one exits at once, one crashes (an
# access violation) 3 s after its start. Nobody touches anything while they
# fail, so neither is taken for the user ending the run: the rotation goes
# on past it. Real input then ends the normal saver, and with it the run,
# with exit code 0.
#
# Wine shows a crash dialog by default and the crashed program waits for it;
# Windows 10 and later end it silently. The prefix is set to do the same,
# but Wine's debugger still opens its console window at the screen's top
# left corner for a second. A window appearing under the pointer counts as
# input in Wine (it takes the pointer's entering for a move), which the
# player would take for the user's, so the pointer rests away from there.
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/player_lib.sh"
e2e_begin "${E2E_TEST:-player.misbehaving}"

e2e_run 30 reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f
[ "$E2E_RC" -eq 0 ] || e2e_die "could not turn off the crash dialog: $(cat "$E2E_OUT" "$E2E_ERR")"

is_normal() { [[ $(player_saver_name "$1") == alpha* ]]; }
three_or_ended() { player_has_runs 3 || e2e_background_ended; }

# One run with the normal saver and the failing one; EVENT is the failing
# saver's log line that tells how it ended.
rotation_with() {  # failing-saver event details
  local failing=$1 event=$2 details=$3 pid next i runs
  e2e_log "-- $failing in a rotation with a normal saver"
  rm -f "$E2E_SAVER_LOG"
  # Long enough for the crash and Wine's debugger to end it before the
  # change-over would.
  player_setup 10000 alpha_close.scr "$failing"
  timeout 5 xdotool mousemove 900 700
  e2e_start 120 "$E2E_SLUMBMIX" /s
  # Both once and a third start: the failing one was followed by another.
  e2e_wait_for 60 "a third saver" three_or_ended
  e2e_expect "$failing: a third saver started ($(player_run_count) started)" player_has_runs 3
  player_end_by_user 40 is_normal
  e2e_expect "$failing: real input ended the normal saver" test -n "$PLAYER_ENDED_BY"
  e2e_wait_exit 30 || e2e_fail "$failing: SLUMBMIX.SCR did not end"
  e2e_expect_eq "$failing: exit code of SLUMBMIX.SCR" "$E2E_RC" 0
  e2e_expect "$failing: no process left (no debugger either)" e2e_wait_no_process_of_ours 15

  mapfile -t runs < <(player_runs)
  e2e_log "played: $(for pid in "${runs[@]}"; do printf '%s; ' "$(player_saver_name "$pid")"; done)"
  for ((i = 0; i < ${#runs[@]}; i++)); do
    pid=${runs[$i]}
    [ "$(player_saver_name "$pid")" == "$failing" ] || continue
    next=${runs[$((i + 1))]:-}
    e2e_expect_eq "$failing ($pid): how it ended ($event)" "$(player_event "$pid" "$event")" "$details"
    e2e_expect "$failing ($pid): the rotation went on after it" test -n "$next"
    [ -z "$next" ] || e2e_log "$failing ($pid): the next saver started" \
      "$(($(player_event_time "$next" start) - $(player_event_time "$pid" start))) ms after it"
  done
  if [ "$E2E_FAILURES" -ne 0 ]; then
    e2e_log "saver log:"
    cat "$E2E_SAVER_LOG" >&2
  fi
}

rotation_with bravo_exit.scr exit immediate
rotation_with charlie_crash.scr crash access-violation
e2e_done
