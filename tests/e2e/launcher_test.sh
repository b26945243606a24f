#!/usr/bin/env bash
# The launcher under Wine: a test saver started through LaunchSaver reports
# its exact command line (the quoted path, one space, the arguments), its
# working directory (its own folder) and the idle priority class; texts that
# would not fit their buffers start nothing.
. "$(dirname "$0")/lib.sh"
e2e_begin launcher.launch
probe=${E2E_CATALOGUE_PROBE:?E2E_CATALOGUE_PROBE is not set}

# A path with spaces; "exit" in the name makes the test saver end at once.
folder="$E2E_TEST_DIR/Test Savers"
mkdir -p "$folder"
cp "$E2E_TESTSAVER" "$folder/Exit Saver.scr"
winfolder=$(e2e_winpath "$folder")
winsaver="$winfolder\\Exit Saver.scr"
log=$E2E_TEST_DIR/saver.log
export SLUMBERMIX_TEST_LOG
SLUMBERMIX_TEST_LOG=$(e2e_winpath "$log")

# The text after "<ms> <pid> <event> " of the log's lines for that event,
# in order.
logged() {  # event
  [ -f "$log" ] || return 0
  tr -d '\r' <"$log" | awk -v event="$1" '
    $3 == event { print substr($0, length($1) + length($2) + length($3) + 4) }'
}

# Wine 8 creates every process at normal priority: it drops
# IDLE_PRIORITY_CLASS, saying so in a warning that names the flags it was
# given. There the warning shows the flags reached CreateProcessA, and the
# saver's own report of 0x20 is Wine's doing.
wine_dropped_our_flags() {
  grep -qF 'Exit Saver.scr",...): ignoring some flags in 840' "$E2E_ERR"
}

launch() {  # arguments expected-command-line
  rm -f "$log"
  WINEDEBUG=warn+process e2e_run 60 "$probe" launch "$winsaver" "$1"
  e2e_expect_eq "probe output for '$1'" "$(head -n1 "$E2E_OUT")" "started"
  e2e_expect "the saver ended for '$1'" grep -q '^ended ' "$E2E_OUT"
  e2e_expect_eq "command line for '$1'" "$(logged cmdline)" "$2"
  e2e_expect_eq "working directory for '$1'" "$(logged cwd)" "$winfolder"
  local priority
  priority=$(logged priority)
  if [ "$priority" == 0x20 ] && wine_dropped_our_flags; then
    e2e_log "note: Wine ignored the creation flags 0x840 it was given; the saver runs at 0x20"
  else
    e2e_expect_eq "priority for '$1'" "$priority" "0x40"
  fi
}

launch "/s" "\"$winsaver\" /s"
launch "" "\"$winsaver\" "
launch "/p 12345" "\"$winsaver\" /p 12345"

# 1 + path + 2 + arguments + NUL would pass 520 bytes: nothing starts.
long=$(printf '%*s' $((520 - ${#winsaver} - 3)) '' | tr ' ' a)
rm -f "$log"
e2e_run 60 "$probe" launch "$winsaver" "$long"
e2e_expect_eq "an over-long command line is refused" "$(cat "$E2E_OUT")" "failed"
e2e_expect "nothing was started" test ! -e "$log"
# One byte less fits exactly.
e2e_run 60 "$probe" launch "$winsaver" "${long:1}"
e2e_expect_eq "a command line of 519 bytes starts" "$(head -n1 "$E2E_OUT")" "started"
e2e_expect_eq "its arguments arrive whole" "$(logged cmdline)" "\"$winsaver\" ${long:1}"

# A file that is not there: no child, no message, nothing left running.
e2e_run 60 "$probe" launch "$winfolder\\missing.scr" "/s"
e2e_expect_eq "a missing saver" "$(cat "$E2E_OUT")" "failed"

e2e_wait_no_process_of_ours 10 || e2e_fail "a process was left running"
e2e_done
