# The hostile-settings matrix: SLUMBMIX.SCR under Wine with settings written
# straight into the registry, as a careless tool or a person with regedit
# might leave them. Sourced after lib.sh by hostile_test.sh, whose tables
# hold the rows, one test per table; a table shares one set-up (its saver
# folder).
#
# A row is a name, what run mode must do, the row's knobs and the registry
# values (e2e_reg_write's name=type:data):
#
#   plays  a test saver is started; real input (xdotool) ends it, and with
#          it the run: exit code 0, nothing left running
#   ends   nothing can be played; the run ends at once with exit code 0,
#          having started nothing
#
# and in every row the other modes must work as ever: /p <parent> and /p
# show and close their window, and the settings dialog opens, saves on OK
# and closes. Every run has a time bound. Where the program must be idle
# (a saver playing with no change-over due) its CPU time is measured and a
# clear spin fails the row; the figures are printed, never judged finely.
# Under Wine every wait, even one of no time, is a round trip to the
# wineserver, so a program that spins on such waits makes the server spin
# with it: the CPU of both is counted.
# The values are written with one reg import a row, which also writes what
# reg add cannot (a REG_DWORD of 2 or 8 bytes, a string without its NUL).

# Run mode's log readers and the user's input that ends a run are the
# run-mode tests'.
. "$(dirname "${BASH_SOURCE[0]}")/../player_lib.sh"

# What the program and the wineserver together may use of one CPU while
# the program should be idle: far above what waiting costs (a few ms a
# second, some tens with change-overs every 2 s) and far below a loop of
# waits of no time, which keeps the pair busy for as much of a CPU as a
# busy machine leaves them (half of one with five others running).
HOSTILE_SPIN_SHARE=20  # percent

hostile_begin() {  # test name
  e2e_begin "$1"
  e2e_need E2E_PREVIEW_PARENT E2E_DRIVER
  HOSTILE_SAVERS=$E2E_TEST_DIR/savers
  HOSTILE_SAVERS_WIN=$(e2e_winpath "$HOSTILE_SAVERS")
  mkdir -p "$HOSTILE_SAVERS"
  # No test saver outlives a row that went wrong by more than this.
  export SLUMBERMIX_TEST_CAP_MS=60000
}

# ------------------------------------------------------------------ measures

# CPU time of every thread of a Linux process, in ms; fails, printing
# nothing, when the process is gone.
hostile_cpu_ms() {  # pid
  cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{ ns += $1 } END { if (NR) printf "%d\n", ns / 1e6; exit !NR }'
}

hostile_now_ms() { date +%s%3N; }

# The process id of our prefix's server, $WINESERVER's 64-bit or 32-bit
# program.
hostile_server_pid() {
  local pid
  for pid in $(e2e_prefix_pids); do
    [[ $(readlink "/proc/$pid/exe") != "$WINESERVER"* ]] || { echo "$pid"; return 0; }
  done
  return 1
}

# CPU time, in ms, of the program and of the wineserver: "<program> <server>".
hostile_cpu_pair() {  # pid server-pid
  local program server
  program=$(hostile_cpu_ms "$1") && server=$(hostile_cpu_ms "$2") && echo "$program $server"
}

# ------------------------------------------------------------------ run mode

# Every mode ends with nothing of ours running; what a failed check left is
# ended by process id, so that the next mode starts clean.
hostile_nothing_left() {  # what seconds
  if e2e_wait_no_process_of_ours "$2"; then
    e2e_log "ok: $1: nothing left running"
  else
    e2e_fail "$1: processes left running"
    e2e_kill_ours
  fi
  e2e_stop
}

hostile_starts() { e2e_saver_log -p start | wc -l; }
hostile_started_at_least() { [ "$(hostile_starts)" -ge "$1" ]; }
hostile_window_or_end() { e2e_saver_logged window || e2e_background_ended; }

hostile_run_mode() {  # row expectation
  local row=$1 expect=$2 began ended pid server cpu total starts first
  timeout 5 xdotool mousemove 500 400
  began=$(hostile_now_ms)
  e2e_start 120 "$E2E_SLUMBMIX" /s
  if [ "$expect" == ends ]; then
    if e2e_wait_exit 15; then
      ended=$(hostile_now_ms)
      e2e_log "$row /s: ended after $((ended - began)) ms"
      e2e_expect_eq "$row /s: exit code" "$E2E_RC" 0
    else
      e2e_fail "$row /s: still running after 15 s"
    fi
    e2e_expect_eq "$row /s: no saver started" "$(hostile_starts)" 0
  else
    e2e_wait_for 20 "a saver window or the end of the run" hostile_window_or_end
    if ! e2e_saver_logged window; then
      e2e_fail "$row /s: no saver played (exit code ${E2E_RC:-?}, ended: $(e2e_background_ended && echo yes || echo no))"
    else
      first=$(e2e_saver_log -p window | head -n1)
      [ -z "$HOSTILE_SAVER" ] || e2e_expect_eq "$row /s: the saver played" \
        "$(player_saver_name "$first")" "$HOSTILE_SAVER"
      # Idle while the saver plays: no more CPU than a wait costs.
      pid=$(e2e_pid_of SLUMBMIX.SCR)
      server=$(hostile_server_pid) || e2e_fail "$row /s: no Wine server of our prefix found"
      # A program that ended during the sample would show no CPU at all.
      if [ -n "$pid" ] && [ -n "$server" ] && cpu=($(hostile_cpu_pair "$pid" "$server")) &&
        sleep "$HOSTILE_IDLE_SECONDS" && total=($(hostile_cpu_pair "$pid" "$server")); then
        cpu=($((total[0] - cpu[0])) $((total[1] - cpu[1])))
        starts=$(hostile_starts)
        e2e_log "$row /s: in $HOSTILE_IDLE_SECONDS s of play SLUMBMIX.SCR used $cpu ms of CPU ($total ms since it started), Wine's server ${cpu[1]} ms; $starts saver(s) started"
        e2e_expect "$row /s: not spinning ($cpu + ${cpu[1]} ms in $HOSTILE_IDLE_SECONDS s)" \
          test $((cpu + cpu[1])) -lt $((HOSTILE_IDLE_SECONDS * 10 * HOSTILE_SPIN_SHARE))
        # A busy machine only slows the rotation down: the most savers that
        # may start is judged on the watch, the fewest by waiting for them.
        e2e_expect "$row /s: savers started by the end of the watch ($starts), at most $HOSTILE_MAX_STARTS" \
          test "$starts" -le "$HOSTILE_MAX_STARTS"
        e2e_expect "$row /s: at least $HOSTILE_MIN_STARTS saver(s) started" \
          e2e_wait_for 20 "$HOSTILE_MIN_STARTS saver(s) started" hostile_started_at_least "$HOSTILE_MIN_STARTS"
      else
        e2e_fail "$row /s: the program ended while its saver played"
      fi
      # With change-overs every 2 s the input may meet one: the player then
      # takes the saver's end for its closing and the next saver gets the
      # input in turn (player_lib.sh).
      if PLAYER_INPUT=$HOSTILE_INPUT player_end_by_user 30; then
        e2e_expect_eq "$row /s: exit code" "$(e2e_exit_code 5)" 0
        e2e_expect_eq "$row /s: the saver the input ended was the last one started" \
          "$(e2e_saver_log -p start | tail -n1)" "$PLAYER_ENDED_BY"
      else
        e2e_fail "$row /s: real input did not end the run within 30 s"
      fi
    fi
  fi
  if [ -n "$HOSTILE_NEVER" ]; then
    e2e_expect "$row /s: $HOSTILE_NEVER never started" \
      test -z "$(e2e_saver_log start | grep -F "\\$HOSTILE_NEVER")"
  fi
  hostile_nothing_left "$row /s" 15
}

# ------------------------------------------------------------------ preview

hostile_preview_modes() {  # row
  local row=$1
  # Inside a parent window, as the display settings run it.
  e2e_expect_eq "$row /p <parent>: window of the preview class filling the parent, exit code once the parent is gone" \
    "$(e2e_preview_in_parent "$E2E_SLUMBMIX")" "$E2E_PREVIEW_FILLS"

  # Stand-alone: a window over the screen that a key press closes, once it
  # has the focus.
  e2e_start 60 "$E2E_SLUMBMIX" /p
  if e2e_wait_focus 15 Slumbermix; then
    timeout 5 xdotool key space
    if e2e_wait_exit 10; then
      e2e_expect_eq "$row /p: exit code after a key" "$E2E_RC" 0
    else
      e2e_fail "$row /p: a key did not close the window"
    fi
  else
    e2e_fail "$row /p: no window took the focus"
  fi
  hostile_nothing_left "$row /p" 10
}

# ------------------------------------------------------------------ settings dialog

# The nine values as SaveSettings writes them, whatever the row left.
hostile_well_formed() {
  local values
  values=$(e2e_reg_values | LC_ALL=C sort | cut -d'|' -f1,2 | tr '\n' ' ')
  [ "$values" == "ChangeTime|REG_DWORD DefSaver|REG_SZ DisableDWM|REG_DWORD ExtDir|REG_SZ ExtSubDir|REG_DWORD Random|REG_DWORD UseExtDir|REG_DWORD UseSysDir|REG_DWORD UseWinDir|REG_DWORD " ] ||
    { e2e_log "registry after OK: $values"; return 1; }
}

hostile_settings_mode() {  # row
  local row=$1 length
  HOSTILE_DRIVER_OUT=$E2E_TEST_DIR/driver.out
  e2e_start 60 "$E2E_SLUMBMIX" /c
  e2e_run 60 "$E2E_DRIVER" find 20000 dump click 1 gone 15000
  cp "$E2E_OUT" "$HOSTILE_DRIVER_OUT"
  e2e_expect_eq "$row /c: the dialog opened, took OK and closed" \
    "$(e2e_value found "$HOSTILE_DRIVER_OUT")$(e2e_value gone "$HOSTILE_DRIVER_OUT") $E2E_RC" "11 0"
  # The field's line must be there: a missing one would have no bytes.
  length=$(e2e_value text.105 "$HOSTILE_DRIVER_OUT" | wc -c)
  e2e_expect "$row /c: the extra folder field holds at most 259 bytes ($((length - 1)))" \
    test "$length" -ge 1 -a "$length" -le 260
  [ -z "$HOSTILE_LIST_COUNT" ] || e2e_expect_eq "$row /c: lines in the saver list" \
    "$(e2e_value list.count "$HOSTILE_DRIVER_OUT")" "$HOSTILE_LIST_COUNT"
  if e2e_wait_exit 15; then
    e2e_expect_eq "$row /c: exit code" "$E2E_RC" 0
  else
    e2e_fail "$row /c: SLUMBMIX.SCR did not exit after the dialog closed"
  fi
  e2e_expect "$row /c: OK wrote nine values of the right types" hostile_well_formed
  hostile_nothing_left "$row /c" 10
}

# ------------------------------------------------------------------ a row

# Writes the values and runs every mode against them. Knobs, before the
# values, each for this row only:
#   input=move|escape  how the user ends a saver (move)
#   idle=<s>           CPU sample while a saver plays (1)
#   saver=<file>       the file name the run must start first
#   never=<file>       a file name that must never be started
#   min=<n>            savers that must start, in time (1)
#   max=<n>            savers started by the end of the sample, at most (1:
#                      no change-over may happen)
#   list=<n>           lines the dialog's list must show
hostile_row() {  # name plays|ends [knob=value...] name=type:data...
  local row=$1 expect=$2 HOSTILE_INPUT=move HOSTILE_IDLE_SECONDS=1 HOSTILE_SAVER='' \
    HOSTILE_NEVER='' HOSTILE_MIN_STARTS=1 HOSTILE_MAX_STARTS=1 HOSTILE_LIST_COUNT=''
  shift 2
  while [[ ${1:-} =~ ^[a-z]+= ]]; do
    case $1 in
    input=*) HOSTILE_INPUT=${1#*=} ;;
    idle=*) HOSTILE_IDLE_SECONDS=${1#*=} ;;
    saver=*) HOSTILE_SAVER=${1#*=} ;;
    never=*) HOSTILE_NEVER=${1#*=} ;;
    min=*) HOSTILE_MIN_STARTS=${1#*=} ;;
    max=*) HOSTILE_MAX_STARTS=${1#*=} ;;
    list=*) HOSTILE_LIST_COUNT=${1#*=} ;;
    *) e2e_fail "$row: unknown knob $1"; return 1 ;;
    esac
    shift
  done
  e2e_log "== row $row ($expect)"
  e2e_use_saver_log "$E2E_TEST_DIR/$row.savers.log"
  local t0 t1 t2 t3 t4
  t0=$(hostile_now_ms)
  e2e_settings "$@" || e2e_die "$row: the values could not be written"
  t1=$(hostile_now_ms)
  hostile_run_mode "$row" "$expect"
  t2=$(hostile_now_ms)
  hostile_preview_modes "$row"
  t3=$(hostile_now_ms)
  hostile_settings_mode "$row"
  t4=$(hostile_now_ms)
  e2e_log "row $row took $(((t4 - t0) / 1000)) s: registry $((t1 - t0)) ms, /s $((t2 - t1)) ms, /p $((t3 - t2)) ms, /c $((t4 - t3)) ms"
}
