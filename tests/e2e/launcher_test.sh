#!/usr/bin/env bash
# The launcher under Wine: a test saver started through LaunchSaver reports
# its exact command line (the quoted path, one space, the arguments), its
# working directory (its own folder) and the idle priority class; texts that
# would not fit their buffers, and a file that is not there, start nothing.
. "$(dirname "$0")/lib.sh"
e2e_begin launcher.launch
probe=$E2E_PROBE

# A path with spaces; "exit" in the name makes the test saver end at once.
folder="$E2E_TEST_DIR/Test Savers"
e2e_install_saver "$folder" "Exit Saver.scr"
winfolder=$(e2e_winpath "$folder")
winsaver="$winfolder\\Exit Saver.scr"

# Wine 8 creates every process at normal priority: it drops
# IDLE_PRIORITY_CLASS, saying so in a warning that names the flags it was
# given. There the warning shows the flags reached CreateProcessA, and the
# saver's own report of 0x20 is Wine's doing.
wine_dropped_our_flags() {
  grep -qF 'Exit Saver.scr",...): ignoring some flags in 840' "$E2E_ERR"
}

# Launches the saver with the arguments; the saver must report this command
# line, or nothing may start ("failed").
launch_row() {  # name saver arguments command-line|failed
  local name=$1 priority
  e2e_use_saver_log "$E2E_TEST_DIR/$name.log"
  WINEDEBUG=warn+process e2e_run 60 "$probe" launch "$2" "$3"
  if [ "$4" == failed ]; then
    e2e_expect_eq "$name: refused" "$(cat "$E2E_OUT")" failed
    # A saver started by mistake has written its start line once it is gone.
    e2e_wait_no_process_of_ours 10 || e2e_fail "$name: a process was left running"
    e2e_expect "$name: nothing was started" test ! -e "$E2E_SAVER_LOG"
    return 0
  fi
  e2e_expect_eq "$name: probe output" "$(head -n1 "$E2E_OUT")" started
  e2e_expect "$name: the saver ended" grep -q '^ended ' "$E2E_OUT"
  e2e_expect_eq "$name: command line" "$(e2e_saver_log cmdline)" "$4"
  e2e_expect_eq "$name: working directory" "$(e2e_saver_log cwd)" "$winfolder"
  priority=$(e2e_saver_log priority)
  if [ "$priority" == 0x20 ] && wine_dropped_our_flags; then
    e2e_log "note: Wine ignored the creation flags 0x840 it was given; the saver runs at 0x20"
  else
    e2e_expect_eq "$name: priority" "$priority" 0x40
  fi
}

# 1 + path + 2 + arguments + NUL would pass 520 bytes with the first long
# text; one byte less fits exactly.
long=$(e2e_repeat $((520 - ${#winsaver} - 3)) a)
e2e_rows launch_row <<'ROWS'
run "$winsaver" /s "\"$winsaver\" /s"
settings "$winsaver" '' "\"$winsaver\" "
preview "$winsaver" '/p 12345' "\"$winsaver\" /p 12345"
over-long "$winsaver" "$long" failed
519-bytes "$winsaver" "${long:1}" "\"$winsaver\" ${long:1}"
missing "$winfolder\\missing.scr" /s failed
ROWS

e2e_wait_no_process_of_ours 10 || e2e_fail "a process was left running"
e2e_done
