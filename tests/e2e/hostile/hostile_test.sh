#!/usr/bin/env bash
# The hostile-settings matrix (hostile_lib.sh): one table a test, named by
# the test (hostile.<table>), each with the savers its rows need.
#   types       values of the wrong type: strings where numbers belong and
#               numbers where strings belong, binary data, numbers of 2 and
#               8 bytes, a string without its NUL, lists of strings. The
#               store takes what fits and keeps its default for the rest.
#   strings     ExtDir and DefSaver of 300 and 1000 characters, too long for
#               the 260-byte fields (left empty), and of 259, which fit.
#   extdir      ExtDir naming a folder that does not exist, a file, a folder
#               of a 300-byte name, a tree deeper than 260 bytes, and one
#               with links back up to itself.
#   changetime  0 and -1 play the first saver until the user ends it; 1 ms
#               is raised to the shortest play of 2 s, no faster.
#   defsaver    DefSaver naming a text file renamed .scr: fixed play tries
#               it once and ends, random play passes over it, and with only
#               such files ends at once.
. "$(dirname "$0")/../lib.sh"
. "$(dirname "$0")/hostile_lib.sh"
test=${E2E_TEST:-hostile.types}
hostile_begin "$test"
folder=$HOSTILE_SAVERS_WIN
ext=(UseWinDir=dword:0 UseSysDir=dword:0 UseExtDir=dword:1)

case ${test#hostile.} in
types)
  e2e_install_saver "$HOSTILE_SAVERS" only_input.scr
  aaaa=$((0x41414141))  # "AAAA" with no NUL, as a number
  # Strings in the numbers: "" sets the low byte to 0 (off); "1", "yes" are
  # short enough to be taken and are not 0 (on); "60000" is too long for 4
  # bytes and leaves the change time at its default. REG_BINARY: 1 byte sets
  # the low byte, 8 bytes are too long. A REG_DWORD of 2 bytes and one of 8, a
  # REG_QWORD, an empty REG_NONE; the folder as the first string of a
  # REG_MULTI_SZ, DefSaver as an unexpanded REG_EXPAND_SZ.
  e2e_rows hostile_row '
types.strings-for-numbers plays list=1 UseWinDir=sz: UseSysDir=sz: UseExtDir=sz:1 ExtSubDir=sz: Random=sz:yes ChangeTime=sz:60000 DisableDWM=sz:off "ExtDir=sz:$folder"
types.number-for-defsaver.random plays list=1 "${ext[@]}" Random=dword:1 "ExtDir=sz:$folder" "DefSaver=dword:$aaaa"
types.number-for-defsaver.fixed ends "${ext[@]}" Random=dword:0 "ExtDir=sz:$folder" "DefSaver=dword:$aaaa"
types.number-for-extdir ends list=0 "${ext[@]}" ExtSubDir=dword:1 Random=dword:1 ExtDir=dword:1
types.binary plays list=1 UseWinDir=dword:0 UseSysDir=dword:0 UseExtDir=binary:01 Random=binary:01,00,00,00,00,00,00,00 ChangeTime=binary:ff "ExtDir=binary:$(e2e_hex "$folder")" "DefSaver=binary:$(e2e_hex "$(e2e_repeat 260 A)")"
types.odd-sizes plays list=1 UseWinDir=dword:0 UseSysDir=dword:0 UseExtDir=hex\(4\):01,00 ChangeTime=hex\(4\):01,00,00,00,00,00,00,00 Random=hex\(b\):01,00,00,00,00,00,00,00 ExtSubDir=hex\(0\): "ExtDir=hex(1):$(e2e_hex "$folder")" DefSaver=hex\(1\):41
types.string-lists plays list=1 "${ext[@]}" Random=dword:1 "ExtDir=hex(7):$(e2e_hex "$folder"),00,$(e2e_hex "C:\\other"),00,00" "DefSaver=hex(2):$(e2e_hex "%SystemRoot%\\none.scr"),00"
'
  ;;
strings)
  e2e_install_saver "$HOSTILE_SAVERS" only_input.scr
  # Long paths that start like real ones: the folder, then more names.
  long() {  # length
    local text
    text="$folder\\$(e2e_repeat 400 x)\\$(e2e_repeat 1000 y)"
    printf '%s' "${text:0:$1}"
  }
  base=("${ext[@]}" ExtSubDir=dword:0 ChangeTime=dword:180000 DisableDWM=dword:0)
  # An empty ExtDir is the root folder of the current drive, here that of
  # the test's folder (Z:\, which holds no saver), scanned without
  # subfolders. 259 characters fit; a folder of that name does not exist.
  e2e_rows hostile_row '
strings.extdir-300 ends list=0 "${base[@]}" Random=dword:1 "ExtDir=sz:$(long 300)"
strings.extdir-1000.defsaver-1000 ends list=0 "${base[@]}" Random=dword:1 "ExtDir=sz:$(long 1000)" "DefSaver=sz:$(long 1000)"
strings.defsaver-300.fixed ends list=1 "${base[@]}" Random=dword:0 "ExtDir=sz:$folder" "DefSaver=sz:$(long 300)"
strings.defsaver-1000.random plays list=1 saver=only_input.scr "${base[@]}" Random=dword:1 "ExtDir=sz:$folder" "DefSaver=sz:$(long 1000)"
strings.extdir-259 ends list=0 "${base[@]}" Random=dword:1 "ExtDir=sz:$(long 259)"
'
  ;;
extdir)
  e2e_install_saver "$HOSTILE_SAVERS" top_input.scr
  # A folder under the saver folder whose Windows name is exactly 300 bytes,
  # made of names of up to 60 characters, with a saver in it.
  deep=$HOSTILE_SAVERS
  deep_win=$folder
  while [ ${#deep_win} -lt 300 ]; do
    part=$(e2e_repeat $((300 - ${#deep_win} - 1 > 60 ? 60 : 300 - ${#deep_win} - 1)) d)
    deep=$deep/$part
    deep_win=$deep_win\\$part
  done
  [ ${#deep_win} -eq 300 ] || e2e_die "the deep folder's name is ${#deep_win} bytes, not 300"
  e2e_install_saver "$deep" deep_input.scr
  # A tree with two links back up and one elsewhere (Wine shows Unix
  # symbolic links as reparse-point folders): the links back are not
  # entered, so the scan ends at once; the one elsewhere is.
  linked=$E2E_TEST_DIR/linked
  elsewhere=$E2E_TEST_DIR/elsewhere
  e2e_install_saver "$linked/real" real_input.scr
  e2e_install_saver "$elsewhere" away_input.scr
  ln -s "$linked" "$linked/back"
  ln -s "$linked" "$linked/real/back"
  ln -s "$elsewhere" "$linked/away"
  base=("${ext[@]}" Random=dword:1 ChangeTime=dword:180000 DisableDWM=dword:0)
  # A 300-byte name is too long for the field: left empty, the root of the
  # current drive (Z:\, no saver there) is scanned without subfolders. Below
  # the saver folder the deep saver must not be listed: with the shortest
  # play two savers start, and a listed deep saver, least played, would be
  # the second.
  e2e_rows hostile_row '
extdir.missing ends list=0 "${base[@]}" ExtSubDir=dword:1 "ExtDir=sz:$folder\\no such folder"
extdir.file ends list=0 "${base[@]}" ExtSubDir=dword:1 "ExtDir=sz:$folder\\top_input.scr"
extdir.300-byte-path ends list=0 never=deep_input.scr "${base[@]}" ExtSubDir=dword:0 "ExtDir=sz:$deep_win"
extdir.deeper-than-260 plays list=1 saver=top_input.scr never=deep_input.scr min=2 max=2 "${base[@]}" ExtSubDir=dword:1 "ExtDir=sz:$folder" ChangeTime=dword:1
extdir.links-back-up plays list=2 "${base[@]}" ExtSubDir=dword:1 "ExtDir=sz:$(e2e_winpath "$linked")"
'
  ;;
changetime)
  for name in a_input.scr b_input.scr; do e2e_install_saver "$HOSTILE_SAVERS" "$name"; done
  for name in a_escape.scr b_escape.scr; do e2e_install_saver "$HOSTILE_SAVERS/escape" "$name"; done
  base=("${ext[@]}" ExtSubDir=dword:0 "ExtDir=sz:$folder" Random=dword:1 DisableDWM=dword:0)
  # At 1 ms each saver plays the shortest play (2 s); the change-over of one
  # that ends on input waits 3 s on the WM_CLOSE it ignores, then a second
  # of imitated input at most: a second saver starts, and in 5 s a loop that
  # did not wait would start many more. One that ends only on Escape holds
  # each change-over for its WM_CLOSE and imitated-input steps (about 4 s
  # after its 2 s of play): no more than two start in 6 s, and the user's
  # Escape ends the run.
  e2e_rows hostile_row '
changetime.0 plays idle=2 "${base[@]}" ChangeTime=dword:0
changetime.minus1 plays idle=2 "${base[@]}" ChangeTime=dword:-1
changetime.1.input plays idle=5 min=2 max=4 "${base[@]}" ChangeTime=dword:1
changetime.1.escape plays idle=6 min=1 max=2 input=escape "${base[@]}" "ExtDir=sz:$folder\\escape" ChangeTime=dword:1
'
  ;;
defsaver)
  # A folder with a text file, an empty file and a saver; one with only the
  # first two.
  e2e_install_saver "$HOSTILE_SAVERS" saver_input.scr
  printf 'This is a text file, not a program.\r\n' >"$HOSTILE_SAVERS/notes.scr"
  : >"$HOSTILE_SAVERS/empty.scr"
  mkdir -p "$HOSTILE_SAVERS/junk"
  cp "$HOSTILE_SAVERS/notes.scr" "$HOSTILE_SAVERS/empty.scr" "$HOSTILE_SAVERS/junk/"
  base=("${ext[@]}" ExtSubDir=dword:0 "ExtDir=sz:$folder" ChangeTime=dword:180000
    DisableDWM=dword:0 "DefSaver=sz:$folder\\notes.scr")
  e2e_rows hostile_row '
defsaver.text.fixed ends list=3 "${base[@]}" Random=dword:0
defsaver.text.random plays list=3 saver=saver_input.scr "${base[@]}" Random=dword:1
defsaver.text.random.only-junk ends list=2 "${base[@]}" Random=dword:1 "ExtDir=sz:$folder\\junk" "DefSaver=sz:$folder\\junk\\notes.scr"
'
  ;;
*) e2e_die "no table $test" ;;
esac
e2e_done
