#!/usr/bin/env bash
# Values of the wrong type: strings where numbers belong and numbers where
# strings belong, binary data, numbers of 2 and 8 bytes, a string without
# its NUL or with an odd number of bytes, a list of strings. The store
# takes what fits and keeps its default for what does not; every mode goes
# on working with what it got.
. "$(dirname "$0")/../lib.sh"
. "$(dirname "$0")/hostile_lib.sh"
hostile_begin "${E2E_TEST:-hostile.types}"

e2e_install_saver "$HOSTILE_SAVERS" only_input.scr
folder=$HOSTILE_SAVERS_WIN
aaaa=$((0x41414141))  # "AAAA" with no NUL, as a number

# Strings in the numbers: "" sets the low byte to 0 (off); "1", "yes" are
# short enough to be taken and are not 0 (on); "60000" is too long for 4
# bytes and leaves the change time at its default.
HOSTILE_LIST_COUNT=1
hostile_row types.strings-for-numbers plays UseWinDir=sz: UseSysDir=sz: UseExtDir=sz:1 \
  ExtSubDir=sz: Random=sz:yes ChangeTime=sz:60000 DisableDWM=sz:off "ExtDir=sz:$folder"

HOSTILE_LIST_COUNT=1
hostile_row types.number-for-defsaver.random plays UseWinDir=dword:0 UseSysDir=dword:0 \
  UseExtDir=dword:1 Random=dword:1 "ExtDir=sz:$folder" "DefSaver=dword:$aaaa"

hostile_row types.number-for-defsaver.fixed ends UseWinDir=dword:0 UseSysDir=dword:0 \
  UseExtDir=dword:1 Random=dword:0 "ExtDir=sz:$folder" "DefSaver=dword:$aaaa"

HOSTILE_LIST_COUNT=0
hostile_row types.number-for-extdir ends UseWinDir=dword:0 UseSysDir=dword:0 \
  UseExtDir=dword:1 ExtSubDir=dword:1 Random=dword:1 ExtDir=dword:1

# REG_BINARY: 1 byte sets the low byte; 8 bytes are too long; the folder's
# bytes without a NUL; 260 bytes of "A" without a NUL for DefSaver.
HOSTILE_LIST_COUNT=1
hostile_row types.binary plays UseWinDir=dword:0 UseSysDir=dword:0 UseExtDir=binary:01 \
  Random=binary:01,00,00,00,00,00,00,00 ChangeTime=binary:ff \
  "ExtDir=binary:$(hostile_hex "$folder")" \
  "DefSaver=binary:$(hostile_hex "$(hostile_repeat 260 A)")"

# A REG_DWORD of 2 bytes and one of 8, a REG_QWORD, an empty REG_NONE, the
# folder and DefSaver as REG_SZ without their NUL.
HOSTILE_LIST_COUNT=1
hostile_row types.odd-sizes plays UseWinDir=dword:0 UseSysDir=dword:0 \
  'UseExtDir=hex(4):01,00' 'ChangeTime=hex(4):01,00,00,00,00,00,00,00' \
  'Random=hex(b):01,00,00,00,00,00,00,00' 'ExtSubDir=hex(0):' \
  "ExtDir=hex(1):$(hostile_hex "$folder")" 'DefSaver=hex(1):41'

# The folder as the first string of a REG_MULTI_SZ, DefSaver as an
# unexpanded REG_EXPAND_SZ.
HOSTILE_LIST_COUNT=1
hostile_row types.string-lists plays UseWinDir=dword:0 UseSysDir=dword:0 UseExtDir=dword:1 \
  Random=dword:1 "ExtDir=hex(7):$(hostile_hex "$folder"),00,$(hostile_hex 'C:\other'),00,00" \
  "DefSaver=hex(2):$(hostile_hex '%SystemRoot%\none.scr'),00"

hostile_done
