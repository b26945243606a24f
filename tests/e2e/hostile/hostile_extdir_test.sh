#!/usr/bin/env bash
# ExtDir naming a folder that does not exist, a file, and a real folder
# whose name is 300 bytes long; a tree whose deepest saver lies beyond
# 260 bytes: the scan takes what it can name and passes over the rest. And a
# tree with two links back up and one elsewhere (Wine shows Unix symbolic
# links as reparse-point folders): the links back are not entered, so the
# scan ends at once; the one elsewhere is.
. "$(dirname "$0")/../lib.sh"
. "$(dirname "$0")/hostile_lib.sh"
hostile_begin "${E2E_TEST:-hostile.extdir}"

e2e_install_saver "$HOSTILE_SAVERS" top_input.scr
folder=$HOSTILE_SAVERS_WIN

# A folder under the saver folder whose Windows name is exactly 300 bytes,
# made of names of up to 60 characters, with a saver in it.
deep=$HOSTILE_SAVERS
deep_win=$folder
while [ ${#deep_win} -lt 300 ]; do
  part=$(hostile_repeat $((300 - ${#deep_win} - 1 > 60 ? 60 : 300 - ${#deep_win} - 1)) d)
  deep=$deep/$part
  deep_win=$deep_win\\$part
done
[ ${#deep_win} -eq 300 ] || e2e_die "the deep folder's name is ${#deep_win} bytes, not 300"
e2e_install_saver "$deep" deep_input.scr

base=(UseWinDir=dword:0 UseSysDir=dword:0 UseExtDir=dword:1 Random=dword:1
  ChangeTime=dword:180000 DisableDWM=dword:0)

HOSTILE_LIST_COUNT=0
hostile_row extdir.missing ends "${base[@]}" ExtSubDir=dword:1 \
  "ExtDir=sz:$folder\\no such folder"

HOSTILE_LIST_COUNT=0
hostile_row extdir.file ends "${base[@]}" ExtSubDir=dword:1 "ExtDir=sz:$folder\\top_input.scr"

# Too long for the field: left empty, the root of the current drive (Z:\,
# no saver there) is scanned without subfolders.
HOSTILE_LIST_COUNT=0 HOSTILE_NEVER=deep_input.scr
hostile_row extdir.300-byte-path ends "${base[@]}" ExtSubDir=dword:0 "ExtDir=sz:$deep_win"

HOSTILE_LIST_COUNT=1 HOSTILE_SAVER=top_input.scr HOSTILE_NEVER=deep_input.scr
hostile_row extdir.deeper-than-260 plays "${base[@]}" ExtSubDir=dword:1 "ExtDir=sz:$folder"

linked=$E2E_TEST_DIR/linked
elsewhere=$E2E_TEST_DIR/elsewhere
e2e_install_saver "$linked/real" real_input.scr
e2e_install_saver "$elsewhere" away_input.scr
ln -s "$linked" "$linked/back"
ln -s "$linked" "$linked/real/back"
ln -s "$elsewhere" "$linked/away"
HOSTILE_LIST_COUNT=2
hostile_row extdir.links-back-up plays "${base[@]}" ExtSubDir=dword:1 \
  "ExtDir=sz:$(e2e_winpath "$linked")"

hostile_done
