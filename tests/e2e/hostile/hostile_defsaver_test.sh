#!/usr/bin/env bash
# DefSaver naming a file that is no program: a text file renamed .scr.
# Fixed play tries it once and ends; random play passes over it to a saver
# that runs, and with nothing but such files in the catalogue ends at once
# instead of trying them again and again.
. "$(dirname "$0")/../lib.sh"
. "$(dirname "$0")/hostile_lib.sh"
hostile_begin "${E2E_TEST:-hostile.defsaver}"

# A folder with a text file, an empty file and a saver; one with only the
# first two.
e2e_install_saver "$HOSTILE_SAVERS" saver_input.scr
junk=$HOSTILE_SAVERS/notes.scr
printf 'This is a text file, not a program.\r\n' >"$junk"
: >"$HOSTILE_SAVERS/empty.scr"
mkdir -p "$HOSTILE_SAVERS/junk"
cp "$junk" "$HOSTILE_SAVERS/empty.scr" "$HOSTILE_SAVERS/junk/"
junk_win=$(e2e_winpath "$junk")

base=(UseWinDir=dword:0 UseSysDir=dword:0 UseExtDir=dword:1 ExtSubDir=dword:0
  "ExtDir=sz:$HOSTILE_SAVERS_WIN" ChangeTime=dword:180000 DisableDWM=dword:0
  "DefSaver=sz:$junk_win")

HOSTILE_LIST_COUNT=3
hostile_row defsaver.text.fixed ends "${base[@]}" Random=dword:0

HOSTILE_SAVER=saver_input.scr HOSTILE_LIST_COUNT=3
hostile_row defsaver.text.random plays "${base[@]}" Random=dword:1

HOSTILE_LIST_COUNT=2
hostile_row defsaver.text.random.only-junk ends "${base[@]}" Random=dword:1 \
  "ExtDir=sz:$HOSTILE_SAVERS_WIN\\junk" "DefSaver=sz:$HOSTILE_SAVERS_WIN\\junk\\notes.scr"

hostile_done
