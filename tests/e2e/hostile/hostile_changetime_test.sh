#!/usr/bin/env bash
# Change times no dialog would write: 0 and -1 play the first saver until
# the user ends it, without a change-over and without using the CPU; 1 ms
# is raised to the shortest play of 2 s, so the rotation goes on at that
# pace and no faster, and the user can still end it, with savers that end
# on any input and with savers that end only on Escape.
. "$(dirname "$0")/../lib.sh"
. "$(dirname "$0")/hostile_lib.sh"
hostile_begin "${E2E_TEST:-hostile.changetime}"

e2e_install_saver "$HOSTILE_SAVERS" a_input.scr
e2e_install_saver "$HOSTILE_SAVERS" b_input.scr
e2e_install_saver "$HOSTILE_SAVERS/escape" a_escape.scr
e2e_install_saver "$HOSTILE_SAVERS/escape" b_escape.scr

base=(UseWinDir=dword:0 UseSysDir=dword:0 UseExtDir=dword:1 ExtSubDir=dword:0
  "ExtDir=sz:$HOSTILE_SAVERS_WIN" Random=dword:1 DisableDWM=dword:0)

HOSTILE_IDLE_SECONDS=2
hostile_row changetime.0 plays "${base[@]}" ChangeTime=dword:0

HOSTILE_IDLE_SECONDS=2
hostile_row changetime.minus1 plays "${base[@]}" ChangeTime=dword:-1

# Each saver plays the shortest play (2 s); the change-over of one that ends
# on input waits 3 s on the WM_CLOSE it ignores, then a second of imitated
# input at most. A second saver starts, and in 5 s a loop that did not wait
# would start many more.
HOSTILE_IDLE_SECONDS=5 HOSTILE_MIN_STARTS=2 HOSTILE_MAX_STARTS=4
hostile_row changetime.1.input plays "${base[@]}" ChangeTime=dword:1

# A saver that ends only on Escape holds each change-over for its WM_CLOSE
# and imitated-input steps (about 4 s after its 2 s of play): no more than
# two start in 6 s. The user's Escape ends the run.
HOSTILE_IDLE_SECONDS=6 HOSTILE_MIN_STARTS=1 HOSTILE_MAX_STARTS=2 HOSTILE_INPUT=escape
hostile_row changetime.1.escape plays "${base[@]}" "ExtDir=sz:$HOSTILE_SAVERS_WIN\\escape" \
  ChangeTime=dword:1

hostile_done
