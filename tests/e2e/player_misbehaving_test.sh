#!/usr/bin/env bash
# Run mode under Wine: a saver that exits at once, and one that crashes (an
# access violation) 3 s after its start, each in a rotation with a normal
# saver that ignores WM_CLOSE, so that its change-over ends with the
# imitated key and mouse move. Nobody touches anything while they fail, so
# the rotation goes on past them, also right after the imitated input; the
# user's move then ends the normal saver and the run, with exit code 0.
#
# Windows 10 ends a crashed program silently; Wine does with its crash
# dialog off (rig.sh), but its debugger still shows a console window at the
# top left corner for a second, and Wine counts a window appearing under
# the pointer as input, which the player would take for the user's: the
# pointer rests elsewhere.
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/player_lib.sh"
e2e_begin "${E2E_TEST:-player.misbehaving}"

is_normal() { [[ $(player_saver_name "$1") == alpha* ]]; }
# Whether a failing saver came right after a normal one the change-over had
# to close with the imitated input (it ignored WM_CLOSE), and another saver
# came after it.
went_on_after_imitated() {
  local runs i
  mapfile -t runs < <(player_runs)
  for ((i = 0; i + 2 < ${#runs[@]}; i++)); do
    is_normal "${runs[i]}" && player_has_event "${runs[i]}" WM_CLOSE &&
      ! is_normal "${runs[i + 1]}" && return 0
  done
  return 1
}
went_on_or_ended() { went_on_after_imitated || e2e_background_ended; }
failed_at_once_or_crashed() { e2e_saver_logged exit '' '^immediate$' || e2e_saver_logged crash; }

# A rotation of a normal saver and the failing one.
misbehaving_row() {  # failing-saver
  local failing=$1
  e2e_use_saver_log "$E2E_TEST_DIR/$failing.log"
  # Long enough for the crash and Wine's debugger to end before a change-over.
  player_setup 10000 alpha_input.scr "$failing"
  timeout 5 xdotool mousemove 900 700
  e2e_start 150 "$E2E_SLUMBMIX" /s
  # Least-played order reaches the pair within three change-overs.
  e2e_wait_for 75 "a saver after the failing one" went_on_or_ended
  e2e_expect "$failing: the run went on past it after the imitated input" went_on_after_imitated
  e2e_log "$failing: played $(for p in $(player_runs); do printf '%s ' "$(player_saver_name "$p")"; done)"
  e2e_expect "$failing: it exited at once or crashed" failed_at_once_or_crashed
  # No process left: no debugger either.
  player_expect_user_ends "$failing: " "the normal saver" 40 is_normal
}

e2e_rows misbehaving_row <<'ROWS'
bravo_exit.scr
charlie_crash.scr
ROWS
e2e_done
