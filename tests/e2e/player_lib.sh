# Helpers for run mode under Wine: a folder of test savers written to the
# registry as the only place to scan, the test savers' log ($E2E_SAVER_LOG)
# read back as a run, and the user's input that ends it. Sourced after
# lib.sh, by the run-mode tests (player.run, the hostile matrix, the
# package test) and by scripts/bench-player.

# Installs the test saver under each given name in a fresh folder,
# PLAYER_SAVERS, and makes that folder the only one scanned, with random
# play and the change time given.
player_setup() {  # change-time-ms name...
  local change=$1 name
  shift
  PLAYER_SAVERS=$E2E_TEST_DIR/savers
  rm -rf "$PLAYER_SAVERS"
  for name in "$@"; do e2e_install_saver "$PLAYER_SAVERS" "$name"; done
  # No saver outlives a test that went wrong by more than this.
  export SLUMBERMIX_TEST_CAP_MS=${SLUMBERMIX_TEST_CAP_MS:-100000}

  e2e_settings UseWinDir=dword:0 UseSysDir=dword:0 UseExtDir=dword:1 ExtSubDir=dword:0 \
    "ExtDir=sz:$(e2e_winpath "$PLAYER_SAVERS")" Random=dword:1 "ChangeTime=dword:$change" ||
    e2e_die "could not write the settings"
}

# ------------------------------------------------------------------ the log

# The details of one process's first line of an event, exactly as written.
player_event() {  # pid event
  e2e_saver_log "$2" "$1" | head -n1
}

# The time of that line, in ms.
player_event_time() {  # pid event
  e2e_saver_log -t "$2" "$1" | head -n1
}

player_has_event() { e2e_saver_logged "$2" "$1"; }  # pid event

# Process ids of the savers started in run mode, in the order they started.
player_runs() { e2e_saver_log -p behaviour '' ' mode run$'; }

player_run_count() { player_runs | wc -l; }

player_has_runs() {  # count
  [ "$(player_run_count)" -ge "$1" ]
}

# The file name of a saver process, from its "start" line.
player_saver_name() {  # pid
  local path
  path=$(player_event "$1" start)
  printf '%s\n' "${path##*\\}"
}

# ------------------------------------------------------------------ input

# The user's input, once the saver takes it (lib.sh): with PLAYER_INPUT=move
# (the default) the real pointer jumps away from where it rests, with
# PLAYER_INPUT=escape Escape is pressed. Made once per saver, it must end
# the saver. player_user_move succeeds when the saver has ended, on the
# input or, when a change-over came first, on that; its log says which. It
# fails when the saver did not end within the bound.
player_ready_or_ended() { e2e_saver_takes_input "$1" || player_has_event "$1" exit; }

player_user_move() {  # pid seconds
  e2e_wait_for "$2" "saver $1 to take input" player_ready_or_ended "$1" || return 1
  player_has_event "$1" exit && return 0
  if [ "${PLAYER_INPUT:-move}" == escape ]; then
    timeout 5 xdotool key Escape
  else
    e2e_saver_move "$1"
  fi
  e2e_wait_for "$2" "saver $1 to end after the input" player_has_event "$1" exit
}

# Gives the saver the user's input and says what came of it: 0 when the
# input ended it (it ended on a move, or a key for Escape, and no
# change-over had begun: the player's first step is WM_CLOSE), 1 when a
# change-over reached it first and the next saver is the one to give the
# input to, 2 after a failure, which it records.
player_move_outcome() {  # pid
  local reason=move
  [ "${PLAYER_INPUT:-move}" != escape ] || reason=key
  if ! player_user_move "$1" 10; then
    e2e_fail "saver $1 did not end after the input"
    return 2
  fi
  if ! player_has_event "$1" WM_CLOSE; then
    [ "$(player_event "$1" exit)" == "$reason" ] && return 0
    e2e_fail "saver $1 ended ($(player_event "$1" exit)) on neither the input nor a change-over"
    return 2
  fi
  return 1
}

# The user ends the run: the input goes to the saver playing now and, should
# a change-over reach it first, to the next one, once per saver, until the
# input ends one or the bound passes. PLAYER_ENDED_BY is then the saver the
# input ended, or empty. With a predicate, only the savers it accepts get the
# input (the others are left to the next change-over). The next saver is
# waited for within the same bound: a change-over may have to end a hung
# saver first.
player_end_by_user() {  # seconds [predicate]
  PLAYER_ENDED_BY=''
  local deadline=$((SECONDS + $1)) pid count
  while [ "$SECONDS" -lt "$deadline" ] && ! e2e_background_ended; do
    pid=$(player_runs | tail -n1)
    count=$(player_run_count)
    if [ $# -lt 2 ] || "$2" "$pid"; then
      player_move_outcome "$pid"
      case $? in
      0) PLAYER_ENDED_BY=$pid; return 0 ;;
      2) return 1 ;;
      esac
    fi
    e2e_wait_for $((deadline > SECONDS ? deadline - SECONDS : 1)) "the next saver" \
      player_has_runs $((count + 1)) || return 1
  done
  return 1
}

# The user ends the run (player_end_by_user), and SLUMBMIX.SCR then ends with
# 0 and leaves nothing running; every check's text begins with the prefix.
player_expect_user_ends() {  # prefix what-the-input-ended seconds [predicate]
  player_end_by_user "${@:3}"
  e2e_expect "$1the input ended $2" test -n "$PLAYER_ENDED_BY"
  e2e_expect_eq "$1exit code of SLUMBMIX.SCR" "$(e2e_exit_code 30)" 0
  e2e_expect "$1no process left" e2e_wait_no_process_of_ours 15
}
