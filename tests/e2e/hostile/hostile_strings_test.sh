#!/usr/bin/env bash
# ExtDir and DefSaver of 300 and 1000 characters: too long for the 260-byte
# fields, so the store leaves them empty, and a value of 259 characters,
# which just fits. Nothing writes past a field: the other values still
# hold, and the dialog shows and saves no more than a field holds.
. "$(dirname "$0")/../lib.sh"
. "$(dirname "$0")/hostile_lib.sh"
hostile_begin "${E2E_TEST:-hostile.strings}"

e2e_install_saver "$HOSTILE_SAVERS" only_input.scr
folder=$HOSTILE_SAVERS_WIN
# Long paths that start like real ones: the folder, then more names.
long() {  # length
  local text
  text="$folder\\$(hostile_repeat 400 'x')\\$(hostile_repeat 1000 'y')"
  printf '%s' "${text:0:$1}"
}
base=(UseWinDir=dword:0 UseSysDir=dword:0 UseExtDir=dword:1 ExtSubDir=dword:0
  ChangeTime=dword:180000 DisableDWM=dword:0)

# An empty ExtDir is the root folder of the current drive, here that of the
# test's folder (Z:\, which holds no saver), scanned without subfolders.
HOSTILE_LIST_COUNT=0
hostile_row strings.extdir-300 ends "${base[@]}" Random=dword:1 "ExtDir=sz:$(long 300)"

HOSTILE_LIST_COUNT=0
hostile_row strings.extdir-1000.defsaver-1000 ends "${base[@]}" Random=dword:1 \
  "ExtDir=sz:$(long 1000)" "DefSaver=sz:$(long 1000)"

HOSTILE_LIST_COUNT=1
hostile_row strings.defsaver-300.fixed ends "${base[@]}" Random=dword:0 \
  "ExtDir=sz:$folder" "DefSaver=sz:$(long 300)"

HOSTILE_LIST_COUNT=1 HOSTILE_SAVER=only_input.scr
hostile_row strings.defsaver-1000.random plays "${base[@]}" Random=dword:1 \
  "ExtDir=sz:$folder" "DefSaver=sz:$(long 1000)"

# 259 characters fit; a folder of that name does not exist.
HOSTILE_LIST_COUNT=0
hostile_row strings.extdir-259 ends "${base[@]}" Random=dword:1 "ExtDir=sz:$(long 259)"

hostile_done
