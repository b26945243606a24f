# Shared helpers of the end-to-end tests; sourced, never run.
#
# Every test runs against the one rig that the fixture test "e2e.rig.setup"
# makes for a ctest run (rig.sh): its own Xvfb and a fresh 64-bit Wine prefix
# inside the build tree. ctest hands a test these variables:
#   E2E_RIG        the rig's folder; env.sh there says which display and prefix
#   E2E_ARCH       the build under test: win64 or win32
#   E2E_SLUMBMIX   the SLUMBMIX.SCR under test
#   E2E_TESTSAVER  testsaver.exe (copy it to a name ending in .scr)
#   E2E_PROBE      probe.exe: the settings store, catalogue and launcher
#   and the helpers of the other folders (E2E_LIBSAVER, E2E_DRIVER,
#   E2E_PREVIEW_PARENT...), which a test asks for with e2e_need
#
# A test sources this file, checks with e2e_expect*, and ends with e2e_done;
# cases that differ only in data are rows of a table run by e2e_rows.
# Every wait is bounded. Windows programs run with their output in files, so
# that no Wine process started in the background keeps ctest's pipes open.
# They run through the loader the rig chose for the build (wine.sh), which
# env.sh hands on as WINELOADER.

set -u -o pipefail
. "$(dirname "${BASH_SOURCE[0]}")/wine.sh"

E2E_KEY='HKCU\Software\Brimlo\Slumbermix'
E2E_FAILURES=0

e2e_log() { printf '%s\n' "$*" >&2; }

# Ends the test at once: the rig is not usable as it should be.
e2e_die() {
  e2e_log "FATAL: $*"
  exit 1
}

# Records a failed check and goes on, so that one run shows every failure.
e2e_fail() {
  e2e_log "FAIL: $*"
  E2E_FAILURES=$((E2E_FAILURES + 1))
}

e2e_expect_eq() {  # what actual expected
  if [ "$2" == "$3" ]; then
    e2e_log "ok: $1"
  else
    e2e_fail "$1: got '$2', expected '$3'"
  fi
}

e2e_expect() {  # what command...  (passes when the command succeeds)
  local what=$1
  shift
  if "$@"; then e2e_log "ok: $what"; else e2e_fail "$what"; fi
}

# Ends the test. After a failure the saver logs it used are shown, which
# say what the savers saw.
e2e_done() {
  if [ "$E2E_FAILURES" -ne 0 ]; then
    local log
    while IFS= read -r log; do
      [ -s "$log" ] || continue
      e2e_log "saver log ${log##*/}:"
      cat "$log" >&2
    done < <(printf '%s\n' "${E2E_SAVER_LOGS[@]}" | sort -u)
    e2e_log "$E2E_FAILURES check(s) failed"
    exit 1
  fi
  # A check that could not be made here leaves the test skipped, not passed.
  if [ -n "${E2E_UNCHECKED:-}" ]; then
    e2e_log "all other checks passed; not checked: $E2E_UNCHECKED"
    exit 77
  fi
  e2e_log "all checks passed"
  exit 0
}

# ------------------------------------------------------------------ paths

# The Windows name of a Unix path, through the prefix's Z: drive (which maps
# to /): no Wine process needed.
e2e_winpath() {
  local path
  path=$(realpath -m -- "$1")
  printf 'Z:%s\n' "${path//\//\\}"
}

# ------------------------------------------------------------------ waits

# Polls a command every 0.1 s until it succeeds; fails after the bound.
e2e_wait_for() {  # seconds description command...
  local seconds=$1 what=$2
  shift 2
  local deadline=$((SECONDS + seconds))
  until "$@"; do
    if [ "$SECONDS" -ge "$deadline" ]; then
      e2e_log "timed out after ${seconds}s waiting for: $what"
      return 1
    fi
    sleep 0.1
  done
}

# ------------------------------------------------------------------ Windows programs

# Runs a Windows program under Wine with a time limit. Its standard output
# (carriage returns dropped) goes to $E2E_OUT and its standard error to
# $E2E_ERR; E2E_RC is its exit code, 124 when the limit ended it. Returns 0
# so that a test decides what an exit code means.
e2e_run() {  # seconds program args...
  local seconds=$1
  shift
  E2E_RC=0
  timeout -k 5 "$seconds" "$WINELOADER" "$@" </dev/null >"$E2E_OUT.raw" 2>"$E2E_ERR" || E2E_RC=$?
  tr -d '\r' <"$E2E_OUT.raw" >"$E2E_OUT"
  rm -f "$E2E_OUT.raw"
  if [ "$E2E_RC" -eq 124 ] || [ "$E2E_RC" -eq 137 ]; then
    e2e_log "time limit of ${seconds}s reached: $*"
  fi
  # A failed run shows the end of its standard error: what the program said,
  # and Wine's own fatal errors (those of its err channel only when WINEDEBUG
  # lets them through).
  if [ "$E2E_RC" -ne 0 ] && [ -s "$E2E_ERR" ]; then
    e2e_log "exit code $E2E_RC of ${1##*[\\/]}, its standard error: $(tail -n5 "$E2E_ERR" | tr -d '\r' | tr '\n' ';')"
  fi
  return 0
}

# Starts a Windows program under Wine in the background, bounded like
# e2e_run, under a name ("bg" when none is given): its standard output and
# error go to $E2E_TEST_DIR/<name>.out and .err, its exit code to .rc once
# it ends (124 when the bound ended it). Leading VAR=value words are set in
# its environment. Programs of different names run side by side.
e2e_start() {  # [name] seconds [VAR=value...] program args...
  local name=bg environment=()
  [[ $1 =~ ^[0-9]+$ ]] || { name=$1; shift; }
  local seconds=$1 run=$E2E_TEST_DIR/$name
  shift
  while [[ $1 =~ ^[A-Za-z_][A-Za-z0-9_]*= ]]; do environment+=("$1"); shift; done
  rm -f "$run.rc"
  (
    rc=0
    env "${environment[@]}" timeout -k 5 "$seconds" "$WINELOADER" "$@" </dev/null \
      >"$run.out" 2>"$run.err" || rc=$?
    echo "$rc" >"$run.rc"
  ) &
  E2E_RUNS[$name]=$!
}
declare -A E2E_RUNS=()

e2e_running() { [ ! -e "$E2E_TEST_DIR/${1:-bg}.rc" ]; }  # [name]
e2e_background_ended() { ! e2e_running "$@"; }  # [name]

# Waits up to the bound for the program started under the name to end;
# E2E_RC is its exit code. Fails, leaving it running, when the bound passes
# first; E2E_RC is then "running", never an earlier command's exit code.
e2e_wait_exit() {  # [name] seconds
  local name=bg
  [ $# -lt 2 ] || { name=$1; shift; }
  E2E_RC=running
  e2e_wait_for "$1" "$name to end" e2e_background_ended "$name" || return 1
  E2E_RC=$(cat "$E2E_TEST_DIR/$name.rc")
}

# The exit code of the program started under the name, once it has ended
# within the bound, else "running": for checks made in a subshell.
e2e_exit_code() {  # [name] seconds
  e2e_wait_exit "$@" && echo "$E2E_RC" || echo running
}

# Ends the bound of a program started in the background (which ends the
# program too) and waits for it.
e2e_stop() {  # [name]
  local shell=${E2E_RUNS[${1:-bg}]:-} child
  [ -n "$shell" ] || return 0
  for child in $(cat "/proc/$shell/task/$shell/children" 2>/dev/null); do kill "$child" 2>/dev/null; done
  wait "$shell" 2>/dev/null
  return 0
}

# Wine's own processes, which every prefix runs; anything else started in
# our prefix is one of ours.
e2e_is_wine_process() {  # file name
  case ${1,,} in
    services.exe | winedevice.exe | plugplay.exe | svchost.exe | explorer.exe | rpcss.exe | \
    conhost.exe | start.exe | wineboot.exe | winemenubuilder.exe | rundll32.exe | tabtip.exe)
      return 0 ;;
  esac
  return 1
}

# Process ids of the Windows programs of ours running in our prefix, one a
# line, each followed by its path. One grep reads every process's environment
# and the rest are shell built-ins: a fork per process is slow on a busy
# machine. The test's own Linux processes carry the same WINEPREFIX, so a
# process counts only when it runs Wine's loader.
e2e_our_processes() {
  local pid exe loader
  while read -r pid; do
    for loader in "${WINE_LOADER_FILES[@]}"; do
      [[ /proc/$pid/exe -ef $loader ]] && break
      loader=''
    done
    [ -n "$loader" ] || continue
    exe=''
    IFS= read -r -d "" exe 2>/dev/null <"/proc/$pid/cmdline"
    exe=${exe##*[\\/]}
    [ -n "$exe" ] || continue
    e2e_is_wine_process "$exe" && continue
    [ "${exe,,}" != rig_anchor.exe ] || continue  # keeps the session up (rig.sh)
    printf '%s %s\n' "$pid" "$exe"
  done < <(e2e_prefix_pids)
}

# Process ids of every process, Linux or Windows, started in our prefix.
e2e_prefix_pids() {
  grep -lszx -- "WINEPREFIX=$WINEPREFIX" /proc/[0-9]*/environ | sed 's|^/proc/||; s|/environ$||'
}

# The process id of our first program of this file name, if one runs.
e2e_pid_of() {  # file name
  e2e_our_processes | awk -v name="${1,,}" 'tolower($2) == name { print $1; exit }'
}

# None of ours runs, but for the programs of the file name given (a dialog
# that is still open).
e2e_no_process_of_ours() {  # [file name]
  [ -z "$(e2e_our_processes | awk -v name="${1:-}" 'tolower($2) != tolower(name)')" ]
}

e2e_wait_no_process_of_ours() {  # seconds [file name]
  if ! e2e_wait_for "$1" "no Windows process of ours${2:+ but $2}" e2e_no_process_of_ours "${2:-}"; then
    e2e_log "still running: $(e2e_our_processes | tr '\n' ';')"
    return 1
  fi
}

# Ends, by process id, whatever of ours a failed test left running.
e2e_kill_ours() {
  local pid rest
  while read -r pid rest; do
    e2e_log "ending leftover process $pid ($rest)"
    kill -KILL "$pid" 2>/dev/null || true
  done < <(e2e_our_processes)
}

# ------------------------------------------------------------------ registry

# Writes values under a key with one reg import, one Wine process however
# many values. A value is "name=type:data", or "name=-", which deletes it.
# A key given as -KEY is deleted first, so that it holds exactly the values
# given (with none, it is not there). Types:
#   dword:<number, may be negative or 0x...>  REG_DWORD of 4 bytes
#   sz:<text>                                  REG_SZ
#   binary:<hex bytes, "01,02">                REG_BINARY
#   hex(<n>):<hex bytes>                       type n, the bytes as given: a
#                                              REG_DWORD (4) of another size,
#                                              a REG_SZ (1) without its NUL...
# reg import takes the bytes of the string types (hex(1), hex(2), hex(7)) as
# ANSI text. Where "reg add" writes other bytes than its arguments say, the
# rows that stand for it write those bytes out: REG_NONE with no data is 2
# zero bytes from reg add ("hex(0):00,00"), nothing from reg import.
e2e_reg_write() {  # [-]key value...
  local key=$1 file=$E2E_TEST_DIR/write.reg value name type data
  shift
  key=${key/HKCU\\/HKEY_CURRENT_USER\\}
  {
    printf 'Windows Registry Editor Version 5.00\n\n'
    [ "${key:0:1}" != - ] || printf '[%s]\n\n' "$key"
    [ "${key:0:1}$#" == -0 ] || printf '[%s]\n' "${key#-}"
    for value in "$@"; do
      name=${value%%=*} value=${value#*=}
      type=${value%%:*} data=${value#*:}
      case $type in
      -) printf '"%s"=-\n' "$name" ;;
      dword) printf '"%s"=dword:%08x\n' "$name" $((data & 0xffffffff)) ;;
      sz)
        data=${data//\\/\\\\}
        printf '"%s"="%s"\n' "$name" "${data//\"/\\\"}"
        ;;
      binary) printf '"%s"=hex:%s\n' "$name" "$data" ;;
      hex\(*\)) printf '"%s"=%s:%s\n' "$name" "$type" "$data" ;;
      *) e2e_die "unknown value type in '$name=$value'" ;;
      esac
    done
  } >"$file"
  e2e_run 30 reg import "$(e2e_winpath "$file")"
  [ "$E2E_RC" -eq 0 ] || e2e_log "reg import into ${key#-} failed ($E2E_RC): $(cat "$E2E_OUT" "$E2E_ERR")"
  return "$E2E_RC"
}

# The program's settings: exactly these values (a later one of the same
# name wins); with none, no key at all.
e2e_settings() { e2e_reg_write "-$E2E_KEY" "$@"; }  # value...

# Wine's reg exits with 1 on every failure, a key or value that is not there
# as much as a malformed key name or a syntax error, and says which on its
# standard output. Succeeds when the last reg query found no such key or
# value; any other failure is a failed query, never an absence.
e2e_reg_not_found() {
  [ "$E2E_RC" -eq 1 ] && grep -qxE 'reg: Unable to find the specified registry (key|value)' "$E2E_OUT"
}

# reg query of the program's key, or of one value; E2E_RC is reg's exit
# code, its output in $E2E_OUT.
e2e_reg_query() {  # [name]
  e2e_run 30 reg query "$E2E_KEY" ${1:+/v "$1"}
  return "$E2E_RC"
}

# The values under a key (the program's by default) as "name|type|data"
# lines; none when there is no key. A failed query prints a line of its
# own, never the same twice, and fails: it equals neither no values nor
# another result.
e2e_reg_values() {  # [key]
  e2e_run 30 reg query "${1:-$E2E_KEY}"
  if [ "$E2E_RC" -ne 0 ]; then
    e2e_reg_not_found && return 0
    printf 'reg query failed (exit code %s) at %s: %s\n' "$E2E_RC" "$EPOCHREALTIME" \
      "$(tr '\n' ' ' <"$E2E_OUT")"
    return 1
  fi
  sed -nE 's/^    (.*)    (REG_[A-Z_]+)    (.*)$/\1|\2|\3/p' "$E2E_OUT"
}

# The "name|type|data" line of one value, or nothing when it is not there.
e2e_reg_value() {  # name [key]
  local values
  values=$(e2e_reg_values "${2:-}") || { printf '%s\n' "$values"; return 1; }
  NAME=$1 awk -F'|' '$1 == ENVIRON["NAME"]' <<<"$values"
}

# ------------------------------------------------------------------ texts

# N copies of a text.
e2e_repeat() {  # count text
  local out='' i
  for ((i = 0; i < $1; i++)); do out+=$2; done
  printf '%s' "$out"
}

# The bytes of an ANSI text as .reg hex: "41,42".
e2e_hex() {  # text
  printf '%s' "$1" | od -An -tx1 -v | tr -s ' \n' ',' | sed 's/^,//; s/,$//'
}

# The value of the last "key=value" line of a program's output ($E2E_OUT
# unless a file is given). A key that has no line prints nothing and fails,
# so that it is never taken for an empty value.
e2e_value() {  # key [file]
  KEY=$1= awk 'index($0, ENVIRON["KEY"]) == 1 { v = substr($0, length(ENVIRON["KEY"]) + 1); n++ }
      END { if (n) print v; exit !n }' "${2:-$E2E_OUT}"
}

# e2e_value for a comparison: a key that has no line reads "<no KEY line>",
# which no expected value equals, an empty one least of all.
e2e_value_seen() {  # key [file]
  e2e_value "$@" || printf '<no %s line>\n' "$1"
}

# ------------------------------------------------------------------ test savers

# Copies a test saver (testsaver.exe, or the program given) to DIR/NAME;
# NAME's keyword chooses the test saver's behaviour (see
# testsaver/testsaver.cpp). A copy outside the test's own folder, in the
# prefix's Windows or System folder, is removed when the test ends.
e2e_install_saver() {  # dir name [program]
  mkdir -p "$1" && cp "${3:-$E2E_TESTSAVER}" "$1/$2" || e2e_die "cannot install $2 in $1"
  case $(realpath -m "$1")/ in
  "$E2E_TEST_DIR"/*) ;;
  *) e2e_at_exit "rm -f $(printf '%q' "$1/$2")" ;;
  esac
}

# The log every test saver started from now on writes to, and the log
# helpers read; e2e_done shows each one after a failure.
E2E_SAVER_LOGS=()
e2e_use_saver_log() {  # path
  E2E_SAVER_LOG=$1
  SLUMBERMIX_TEST_LOG=$(e2e_winpath "$1")
  export SLUMBERMIX_TEST_LOG
  E2E_SAVER_LOGS+=("$1")
}

# The savers' log ($E2E_SAVER_LOG), lines "<ms> <pid> <event> <details>":
# of the lines with this event, of one process if a pid is given, whose
# details match the extended regular expression if one is given, in order,
# the details, or with -p the process ids, -t the times, -l the lines.
e2e_saver_log() {  # [-p|-t|-l] event [pid] [pattern]
  local print=details
  case $1 in -p) print=pid; shift ;; -t) print=time; shift ;; -l) print=line; shift ;; esac
  [ -f "$E2E_SAVER_LOG" ] || return 0
  PATTERN=${3:-} awk -v what="$print" -v event="$1" -v pid="${2:-}" '
    $3 == event && (pid == "" || $2 == pid) {
      details = $0; sub(/^[^ ]+ [^ ]+ [^ ]+ ?/, "", details)
      if (details !~ ENVIRON["PATTERN"]) next
      print what == "pid" ? $2 : what == "time" ? $1 : what == "line" ? $0 : details }' \
    "$E2E_SAVER_LOG"
}

e2e_saver_logged() { [ -n "$(e2e_saver_log "$@")" ]; }  # event [pid] [pattern]

# Posts WM_CLOSE to the top-level windows of the processes with this file
# name, through Wine's taskkill (without /f).
e2e_post_close() {  # file name
  e2e_run 30 taskkill /im "$1"
}

# ------------------------------------------------------------------ preview in a parent

# A program's preview inside a parent window, as the display settings run
# it (preview/preview_parent.cpp --quick): its findings on one line and its
# exit code; E2E_PREVIEW_FILLS when the program made a window of the
# preview class filling the parent and ended with it.
e2e_preview_in_parent() {  # program
  e2e_run 60 "$E2E_PREVIEW_PARENT" --quick "$(e2e_winpath "$1")"
  printf '%s %s\n' "$(tr '\n' ';' <"$E2E_OUT")" "$E2E_RC"
}
E2E_PREVIEW_FILLS='parent-client=152 112;class=WindowsScreenSaverClass;rect=0 0 152 112;exit=0; 0'

# ------------------------------------------------------------------ real input

# Real input goes through the X server. A key press reaches the window with
# the X input focus, and Wine gives a program's window the focus only once
# it has made it the foreground window, a moment after the window appears
# (a stand-alone preview window is even mapped first as a single pixel): a
# key pressed in between goes to whatever had the focus, often nothing. A
# test waits for the focus before it presses a key. Windows are told by
# their title.
e2e_focus_title() { timeout 5 xdotool getwindowfocus getwindowname 2>/dev/null; }

# Where the pointer stands, as "x:<x> y:<y>".
e2e_pointer() { timeout 5 xdotool getmouselocation | cut -d' ' -f1,2; }

e2e_has_focus() {  # title
  [ "$(e2e_focus_title)" == "$1" ]
}

e2e_wait_focus() {  # seconds title
  e2e_wait_for "$1" "the input focus on the window '$2'" e2e_has_focus "$2" && return 0
  e2e_log "the input focus is on '$(e2e_focus_title)'"
  return 1
}

# A test saver in run mode takes real input once its window, titled
# "... pid <pid>", has the focus and it has noted where the pointer rests
# (its "mouse" line): a move before that would only tell it where the
# pointer is. One shown behind another program's window (its "foreground"
# line) never gets the focus; the pointer's moves reach it all the same.
e2e_saver_takes_input() {  # pid
  e2e_saver_logged mouse "$1" &&
    { e2e_saver_logged foreground "$1" || [[ $(e2e_focus_title) == *" pid $1" ]]; }
}

# Moves the pointer far from where the saver noted it resting, a third of
# its window away and inside it: a move every saver counts as the user's.
# The window is the screen Wine reports, which a virtual desktop that has
# closed may leave smaller than the display (640x480 after the preview
# tests); a move beyond it would never reach the saver.
e2e_saver_move() {  # pid
  local x y w h
  read -r x y < <(e2e_saver_log mouse "$1" | head -n1)
  IFS=x read -r w h < <(e2e_saver_log window "$1" | awk '{ print $2; exit }')
  x=${x:-0} y=${y:-0} w=${w:-1024} h=${h:-768}
  timeout 5 xdotool mousemove $((x < w / 2 ? x + w / 3 : x - w / 3)) $((y < h / 2 ? y + h / 3 : y - h / 3))
}

# ------------------------------------------------------------------ screen

e2e_screenshot() {  # name  -> $E2E_SHOTS/name.png
  mkdir -p "$E2E_SHOTS"
  timeout 20 import -display "$DISPLAY" -window root "$E2E_SHOTS/$1.png" ||
    e2e_log "screenshot $1 failed"
}

# The colour of one pixel of a screenshot, as "R,G,B" in 0..255.
e2e_pixel() {  # name x y
  timeout 20 convert "$E2E_SHOTS/$1.png" -crop "1x1+$2+$3" \
    -format '%[fx:int(255*r+.5)],%[fx:int(255*g+.5)],%[fx:int(255*b+.5)]' info:
}

# ------------------------------------------------------------------ screen resolution

# The system DPI of the Windows programs started from now on: Wine reads
# LogPixels as each program starts (measured on Wine 8: a dialog opened
# right after the change has the new size, the same as after restarting the
# prefix's server). The rig is shared, so a test that changes it sets 96,
# the default of a fresh prefix, again when it ends (e2e_at_exit).
e2e_set_dpi() {  # dots per inch
  e2e_reg_write 'HKCU\Control Panel\Desktop' "LogPixels=dword:$1" ||
    e2e_die "cannot set LogPixels to $1"
}

# ------------------------------------------------------------------ set-up of a test

# Called by every test once it has sourced this file: reads the rig's
# environment and gives the test a scratch folder of its own.
e2e_begin() {  # test name
  wine_steady "$0"  # the test again from its top, unless already so (wine.sh)
  [ -n "${E2E_RIG:-}" ] || e2e_die "E2E_RIG is not set: run the tests through ctest"
  if [ -r "$E2E_RIG/skip" ]; then
    e2e_log "skipped: $(cat "$E2E_RIG/skip")"
    exit 77  # ctest reports the test as skipped
  fi
  [ -r "$E2E_RIG/env.sh" ] || e2e_die "no rig at $E2E_RIG: the fixture e2e.rig.setup did not run"
  # shellcheck source=/dev/null
  . "$E2E_RIG/env.sh"
  # The System folder as this build's programs see it: a 32-bit program that
  # opens system32 on 64-bit Windows (and Wine) is shown syswow64.
  if [ "${E2E_ARCH:-win64}" == win32 ]; then
    E2E_SYSDIR=$WINEPREFIX/drive_c/windows/syswow64
  else
    E2E_SYSDIR=$WINEPREFIX/drive_c/windows/system32
  fi
  E2E_TEST_DIR=$E2E_RIG/tests/$1
  E2E_SHOTS=$E2E_RIG/shots/$1
  rm -rf "$E2E_TEST_DIR" "$E2E_SHOTS"
  mkdir -p "$E2E_TEST_DIR"
  E2E_OUT=$E2E_TEST_DIR/stdout
  E2E_ERR=$E2E_TEST_DIR/stderr
  # Every test saver this test starts, however it is started, logs here.
  e2e_use_saver_log "$E2E_TEST_DIR/savers.log"
  # A test never starts among processes an earlier one left behind.
  e2e_wait_no_process_of_ours 10 || e2e_kill_ours
  trap e2e_exit EXIT
}

# Ends the test at once unless ctest handed it these variables.
e2e_need() {  # variable...
  local name
  for name in "$@"; do
    [ -n "${!name:-}" ] || e2e_die "$name is not set: run the tests through ctest"
  done
}

# Registers a command (shell text) to run when the test ends, however it
# ends: after whatever of ours still runs is ended, the commands run last
# first.
E2E_AT_EXIT=()
e2e_at_exit() { E2E_AT_EXIT+=("$1"); }  # command

e2e_exit() {
  local i
  e2e_kill_ours
  for ((i = ${#E2E_AT_EXIT[@]} - 1; i >= 0; i--)); do eval "${E2E_AT_EXIT[$i]}"; done
}

# ------------------------------------------------------------------ tables of rows

# Runs a table: one row a line (blank lines and lines starting with # are
# none), split into words and expanded as the shell would, handed to the
# row function. A row runs when its function returns 0; one that cannot
# run its row says why and returns 1. The rows run are counted against the
# rows declared, which must be the same; a table without rows fails.
e2e_rows() {  # row-function [table]  (no table: standard input)
  local function=$1 table=${2-$(cat)} declared ran=0 line row
  declared=$(grep -cvE '^[[:space:]]*(#|$)' <<<"$table")
  while IFS= read -r -u 3 line; do
    [[ $line =~ ^[[:space:]]*(#|$) ]] && continue
    eval "row=($line)" && "$function" "${row[@]}" && ran=$((ran + 1))
  done 3<<<"$table"
  e2e_log "$function: $ran of $declared rows run"
  e2e_expect "$function: the table has rows" test "$declared" -gt 0
  e2e_expect_eq "$function: rows run of the $declared declared" "$ran" "$declared"
}
