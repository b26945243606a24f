# Helpers for run mode under Wine: a folder of test savers written to the
# registry as the only place to scan, SLUMBMIX.SCR /s started in the
# background, and the test savers' shared log read back. Sourced after
# lib.sh, by the run-mode test and by scripts/bench-player.

# Copies the test saver under each given name into a fresh folder and makes
# that folder the only one scanned, with random play and the change time
# given. Sets PLAYER_SAVERS (the folder) and PLAYER_LOG (the savers' log,
# which every child inherits through SLUMBERMIX_TEST_LOG).
player_setup() {  # change-time-ms name...
  local change=$1 name
  shift
  PLAYER_SAVERS=$E2E_TEST_DIR/savers
  PLAYER_LOG=$E2E_TEST_DIR/savers.log
  rm -rf "$PLAYER_SAVERS" "$PLAYER_LOG"
  mkdir -p "$PLAYER_SAVERS"
  for name in "$@"; do cp "$E2E_TESTSAVER" "$PLAYER_SAVERS/$name"; done
  SLUMBERMIX_TEST_LOG=$(e2e_winpath "$PLAYER_LOG")
  SLUMBERMIX_TEST_CAP_MS=${SLUMBERMIX_TEST_CAP_MS:-100000}
  export SLUMBERMIX_TEST_LOG SLUMBERMIX_TEST_CAP_MS

  e2e_reg_add UseWinDir REG_DWORD 0 &&
    e2e_reg_add UseSysDir REG_DWORD 0 &&
    e2e_reg_add UseExtDir REG_DWORD 1 &&
    e2e_reg_add ExtSubDir REG_DWORD 0 &&
    e2e_reg_add ExtDir REG_SZ "$(e2e_winpath "$PLAYER_SAVERS")" &&
    e2e_reg_add Random REG_DWORD 1 &&
    e2e_reg_add ChangeTime REG_DWORD "$change" ||
    e2e_die "could not write the settings"
}

# Starts SLUMBMIX.SCR /s in the background, bounded; PLAYER_PID is the
# bounding shell's pid, player_finish collects the exit code.
player_start() {  # seconds
  (
    rc=0
    timeout -k 5 "$1" wine "$E2E_SLUMBMIX" /s </dev/null >"$E2E_TEST_DIR/player.out" 2>&1 ||
      rc=$?
    echo "$rc" >"$E2E_TEST_DIR/player.rc"
  ) &
  PLAYER_PID=$!
  rm -f "$E2E_TEST_DIR/player.rc"
}

player_has_ended() { [ -s "$E2E_TEST_DIR/player.rc" ]; }

# Waits for the player to end; PLAYER_RC is its exit code (124: cut off).
player_finish() {  # seconds
  e2e_wait_for "$1" "SLUMBMIX.SCR to end" player_has_ended
  wait "$PLAYER_PID" 2>/dev/null
  PLAYER_RC=$(cat "$E2E_TEST_DIR/player.rc" 2>/dev/null || echo none)
}

# ------------------------------------------------------------------ the log

# Lines are "<ms> <pid> <event> <details>". The details of one event of one
# process (the first such line), exactly as written.
player_event() {  # pid event
  awk -v pid="$1" -v event="$2" '$2 == pid && $3 == event {
      line = $0; sub(/^[^ ]+ [^ ]+ [^ ]+ ?/, "", line); print line; exit }' "$PLAYER_LOG"
}

# The time of that event, in ms.
player_event_time() {  # pid event
  awk -v pid="$1" -v event="$2" '$2 == pid && $3 == event { print $1; exit }' "$PLAYER_LOG"
}

# Process ids of the savers started in run mode, in the order they started.
player_runs() {
  awk '$3 == "behaviour" && $6 == "run" { print $2 }' "$PLAYER_LOG" 2>/dev/null
}

player_run_count() { player_runs | wc -l; }

player_has_runs() {  # count
  [ "$(player_run_count)" -ge "$1" ]
}

player_has_event() {  # pid event
  [ -n "$(player_event_time "$1" "$2")" ]
}

# The file name of a saver process, from its "start" line.
player_saver_name() {  # pid
  local path
  path=$(player_event "$1" start)
  printf '%s\n' "${path##*\\}"
}

# Gaps in ms from each saver's exit to the next saver's start.
player_gaps() {
  awk '$3 == "start" { if (last != "") print $1 - last; last = "" }
       $3 == "exit"  { last = $1 }' "$PLAYER_LOG"
}

# Real input through the X server: the pointer jumps back and forth until
# the given saver has ended (a test saver takes its first position as the
# place to move from).
player_move_until_ended() {  # pid seconds
  local deadline=$((SECONDS + $2)) i=0
  until player_has_event "$1" exit; do
    [ "$SECONDS" -lt "$deadline" ] || return 1
    if [ $((i % 2)) -eq 0 ]; then
      timeout 5 xdotool mousemove 300 300
    else
      timeout 5 xdotool mousemove 700 500
    fi
    i=$((i + 1))
    sleep 0.2
  done
}
