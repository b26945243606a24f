#!/usr/bin/env bash
# The rig every end-to-end test runs in, made once per ctest run:
#
#   rig.sh setup RIG ANCHOR [ARCH]
#                        start Xvfb on a free display (-displayfd), make
#                        a fresh 64-bit Wine prefix in RIG/prefix, start the
#                        program ANCHOR (rig_anchor.exe) in it to keep its
#                        session up, write RIG/env.sh for the tests. ARCH
#                        is the build under test, win64 (the default) or
#                        win32; for win32 it first makes sure this machine
#                        can run 32-bit Windows programs, and where it cannot
#                        it writes the reason to RIG/skip and exits with 77
#                        (skipped), as every e2e test then does (lib.sh).
#   rig.sh check RIG     exits with 77 and the reason when setup found that
#                        the build's programs cannot run here, else with 0
#   rig.sh cleanup RIG   wineserver -k on that prefix, end that Xvfb by its pid
#
# Nothing is found or stopped by name: the Xvfb is the process whose id and
# start time setup wrote down, the Wine processes are those of RIG/prefix.
# Everything runs through the Wine loader wine.sh chooses for ARCH, and
# env.sh hands that choice on to the tests. The bounded waits are lib.sh's.
set -u -o pipefail
. "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
wine_steady "$0" "$@"

usage='usage: rig.sh setup RIG ANCHOR [win64|win32] | rig.sh check RIG | rig.sh cleanup RIG'
action=${1:?$usage}
rig=${2:?$usage}
anchor=${3:-}
arch=${4:-win64}
skip_code=77
mkdir -p "$rig"
rig=$(cd "$rig" && pwd)
prefix=$rig/prefix

log() { printf 'rig: %s\n' "$*" >&2; }

# Start time of a process in clock ticks since boot: with the pid it names
# the process, whatever became of the pid since.
start_time() { awk '{ print $22 }' "/proc/$1/stat" 2>/dev/null; }
process_gone() { [ "$(start_time "$1")" != "$2" ]; }  # pid start-time

wine_env() {
  wine_choose "$arch" || return 1
  export WINEPREFIX=$prefix WINEARCH=win64 WINEDEBUG=-all
  # No desktop integration (menus, file associations) and no offer to fetch
  # Mono or Gecko, which would wait for a click.
  export WINEDLLOVERRIDES='winemenubuilder.exe=d;mscoree=d;mshtml=d'
  # The same answers from the locale on every machine; a test that wants
  # another language sets LC_ALL for its own commands.
  export LC_ALL=C.UTF-8
  # Wine wants a home folder; a bare CI environment may not name one.
  export HOME=${HOME:-$rig}
}

stop_wine() {
  [ -d "$prefix" ] || return 0
  (
    # Any loader's server stops the prefix's: they share it.
    wine_env 2>/dev/null || wine_choose win64 || exit 0
    timeout 30 "$WINESERVER" -k </dev/null >/dev/null 2>&1
    timeout 30 "$WINESERVER" -w </dev/null >/dev/null 2>&1
  )
  return 0
}

stop_xvfb() {  # pid start-time
  local pid=${1:-} started=${2:-}
  [ -n "$pid" ] && [ "$(start_time "$pid")" == "$started" ] || return 0
  kill -TERM "$pid" 2>/dev/null
  e2e_wait_for 5 "Xvfb $pid to end on TERM" process_gone "$pid" "$started" && return 0
  log "Xvfb $pid did not end on TERM; killing it"
  kill -KILL "$pid" 2>/dev/null
  return 0
}

# Whatever a previous run left behind: an interrupted ctest skips cleanup,
# and may even have stopped in the middle of setup.
# The Windows programs go first, while their display is still there.
stop_previous() {
  stop_wine
  if [ -r "$rig/xvfb.pid" ]; then
    # shellcheck disable=SC2046  # its pid and start time
    stop_xvfb $(cat "$rig/xvfb.pid")
  fi
  rm -f "$rig/env.sh" "$rig/xvfb.pid"
}

# Succeeds when this machine can run the build's programs; otherwise prints
# why. The 64-bit ones need 64-bit Wine, always installed. The 32-bit ones
# need a kernel that executes 32-bit code and 32-bit Wine, whose loader
# wine.sh chooses for them (scripts/setup installs it only where it runs).
can_run_arch() {
  [ "$arch" == win32 ] || return 0
  local reason
  reason=$(bash "$(dirname "${BASH_SOURCE[0]}")/../../scripts/can-run-32-bit") || {
    echo "$reason"
    return 1
  }
  (wine_choose win32) 2>/dev/null || {
    echo "32-bit Wine (wine32:i386) is not installed; scripts/setup installs it where 32-bit programs run"
    return 1
  }
}

display_reported() { grep -q '^[0-9][0-9]*$' "$rig/display" 2>/dev/null; }
display_or_ended() { display_reported || ! kill -0 "$xvfb_pid" 2>/dev/null; }

start_xvfb() {
  rm -f "$rig/display"
  # Its own session, its output in a file: it outlives this script and must
  # not hold ctest's pipes.
  setsid Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset \
    3>"$rig/display" </dev/null >"$rig/xvfb.log" 2>&1 &
  xvfb_pid=$!
  # Until it reports its display, or ends without.
  if ! e2e_wait_for 20 "Xvfb to report a display" display_or_ended || ! display_reported; then
    log "Xvfb did not report a display:"
    cat "$rig/xvfb.log" >&2
    kill -KILL "$xvfb_pid" 2>/dev/null
    return 1
  fi
  xvfb_start=$(start_time "$xvfb_pid")
  echo "$xvfb_pid $xvfb_start" >"$rig/xvfb.pid"
  display=:$(head -n1 "$rig/display")
  log "Xvfb $xvfb_pid on display $display"
}

make_prefix() {
  rm -rf "$prefix"
  wine_env || return 1
  export DISPLAY=$display
  local begin=$SECONDS
  if ! timeout -k 10 240 "$WINELOADER" wineboot.exe -i </dev/null >"$rig/wineboot.log" 2>&1; then
    log "making the prefix failed or took longer than 240 s:"
    cat "$rig/wineboot.log" >&2
    return 1
  fi
  log "the prefix made through $WINELOADER in $((SECONDS - begin)) s"
}

# Succeeds when a process of the prefix runs a program of this file name.
prefix_runs() {  # file name
  local environ argv0
  while read -r environ; do
    argv0=''
    IFS= read -r -d "" argv0 2>/dev/null <"${environ%/environ}/cmdline"
    argv0=${argv0##*[\\/]}
    [ "${argv0,,}" == "${1,,}" ] && return 0
  done < <(grep -lszx -- "WINEPREFIX=$prefix" /proc/[0-9]*/environ)
  return 1
}

anchor_and_desktop_run() { prefix_runs "${anchor##*/}" && prefix_runs explorer.exe; }

# The session stays up while the anchor runs; cleanup's wineserver -k ends
# it, and it ends by itself after an hour.
start_anchor() {
  [ -f "$anchor" ] || {
    log "no anchor program at '$anchor'"
    return 1
  }
  setsid timeout -k 5 3700 "$WINELOADER" "$anchor" 3600 </dev/null >"$rig/anchor.log" 2>&1 &
  local begin=$SECONDS
  e2e_wait_for 60 "the anchor and the desktop to start" anchor_and_desktop_run || return 1
  log "session and desktop up in $((SECONDS - begin)) s"
}

check_prefix() {
  # A program that runs and hands back its exit code.
  local rc=0
  timeout -k 5 60 "$WINELOADER" cmd /c exit 7 </dev/null >"$rig/check.log" 2>&1 || rc=$?
  [ -f "$prefix/drive_c/windows/system32/kernel32.dll" ] && [ "$rc" -eq 7 ] || {
    log "the prefix in $prefix does not run programs (exit code $rc, not 7):"
    cat "$rig/check.log" >&2
    return 1
  }
  # Every process of the prefix, Wine's own desktop and services too, has
  # the steady layout of the process that started it (wine.sh).
  local pid
  for pid in $(grep -lszx -- "WINEPREFIX=$prefix" /proc/[0-9]*/environ | cut -d/ -f3); do
    wine_is_steady "$pid" || [ $? -eq 2 ] || {  # 2: gone since
      log "process $pid ($(tr '\0' ' ' <"/proc/$pid/cmdline")) runs with a random layout"
      return 1
    }
  done
  # Xvfb has no window manager. Wine treats full-screen windows (a screen
  # saver's) as managed and, when one is hidden, waits 2 s for a window
  # manager that never answers; unmanaged, they close at once, as on Windows.
  # A crashing program is ended silently, as Windows 10 does, not held by
  # Wine's crash dialog.
  local setting key name type data
  for setting in 'X11 Driver|Managed|REG_SZ|N' 'WineDbg|ShowCrashDialog|REG_DWORD|0'; do
    IFS='|' read -r key name type data <<<"$setting"
    rc=0
    timeout -k 5 60 "$WINELOADER" reg add "HKCU\\Software\\Wine\\$key" /v "$name" /t "$type" \
      /d "$data" /f </dev/null >>"$rig/check.log" 2>&1 || rc=$?
    [ "$rc" -eq 0 ] || {
      log "could not set $key\\$name (reg add exited with $rc)"
      return 1
    }
  done
}

# What wine_env, wine_choose and make_prefix exported, for the tests.
write_env() {
  local name
  {
    echo '# Written by rig.sh setup; sourced by lib.sh.'
    for name in DISPLAY WINEPREFIX WINEARCH WINELOADER WINESERVER WINEDEBUG WINEDLLOVERRIDES LC_ALL HOME; do
      printf 'export %s=%q\n' "$name" "${!name}"
    done
  } >"$rig/env.sh.new"
  mv "$rig/env.sh.new" "$rig/env.sh"
}

case $action in
setup)
  stop_previous
  rm -rf "$rig/tests" "$rig/shots" "$rig/skip"
  if ! reason=$(can_run_arch); then
    echo "$reason" >"$rig/skip"
    log "the $arch build's programs cannot run here, its e2e tests are skipped: $reason"
    exit "$skip_code"
  fi
  start_xvfb || exit 1
  if ! make_prefix || ! start_anchor || ! check_prefix; then
    stop_previous
    exit 1
  fi
  write_env
  ;;
check)
  if [ -r "$rig/skip" ]; then
    log "skipped: $(cat "$rig/skip")"
    exit "$skip_code"
  fi
  [ -r "$rig/env.sh" ] || {
    log "no rig at $rig: its setup failed"
    exit 1
  }
  log "the build's programs run here"
  ;;
cleanup)
  stop_previous
  log "stopped"
  ;;
*)
  log "unknown action $action"
  exit 2
  ;;
esac
