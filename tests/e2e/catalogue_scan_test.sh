#!/usr/bin/env bash
# The catalogue scan over a real folder tree under Wine: which files count as
# savers (any letter case of .scr, hidden and system ones included, our own
# file under either case never, a folder named *.scr never), subfolders
# entered where they are met, and ScanAll's order of Windows directory,
# System directory and extra folder.
. "$(dirname "$0")/lib.sh"
e2e_begin catalogue.scan
probe=$E2E_PROBE

root=$E2E_TEST_DIR/tree
mkdir -p "$root/nested/deeper" "$root/themes.scr" "$root/other" "$root/empty"
(
  cd "$root"
  touch Alpha.SCR beta.scr gamma.Scr .scr .hidden.scr shown-hidden.scr \
    readme.txt x.scr.bak scr scrap.scr.txt themes.scr/inner.scr \
    nested/n.scr nested/deeper/deep.scr nested/deeper/slumbmix.scr
)
# Our own program under its name is skipped; the same file under another
# name is a saver like any other.
cp "$E2E_SLUMBMIX" "$root/SLUMBMIX.SCR"
cp "$E2E_SLUMBMIX" "$root/other/renamed.scr"
winroot=$(e2e_winpath "$root")
# Wine's attrib takes one change at a time. A name starting with a dot is
# hidden as well.
e2e_run 30 attrib +h "$winroot\\shown-hidden.scr"
e2e_run 30 attrib +s "$winroot\\shown-hidden.scr"
e2e_run 30 attrib "$winroot\\*.scr"
# Whether attrib's line for the file shows every one of the given letters.
attributes_have() {  # name letters...
  local line letter
  line=$(grep -F "\\$1" "$E2E_OUT" | cut -c1-12)
  shift
  for letter in "$@"; do [[ $line == *"$letter"* ]] || return 1; done
}
e2e_expect "shown-hidden.scr is hidden and system" attributes_have shown-hidden.scr H S
e2e_expect ".hidden.scr is hidden" attributes_have .hidden.scr H

expected_top=(.hidden.scr .scr Alpha.SCR beta.scr gamma.Scr shown-hidden.scr)
expected_sub=('nested\deeper\deep.scr' 'nested\n.scr' 'other\renamed.scr' 'themes.scr\inner.scr')

# The probe's paths, sorted: the order within a folder is the file system's.
paths_sorted() { sed '/^count /d' "$E2E_OUT" | LC_ALL=C sort; }
# The full paths of these names under the root, sorted.
under_root() {
  local name
  for name in "$@"; do printf '%s\\%s\n' "$winroot" "$name"; done | LC_ALL=C sort
}
no_double_backslash() { ! grep -qF '\\' "$E2E_OUT"; }

e2e_run 60 "$probe" scan "$winroot" 0
e2e_expect_eq "scan exit code" "$E2E_RC" 0
e2e_expect_eq "the folder alone" "$(paths_sorted)" "$(under_root "${expected_top[@]}")"

e2e_run 60 "$probe" scan "$winroot\\" 1
e2e_expect_eq "the folder and its subfolders (trailing backslash given)" "$(paths_sorted)" \
  "$(under_root "${expected_top[@]}" "${expected_sub[@]}")"
e2e_expect "no doubled backslash" no_double_backslash

# Depth-first: the savers of each subfolder of the root come out in one run
# (the root's own savers come before and after them).
runs=$(sed '/^count /d' "$E2E_OUT" | ROOT="$winroot\\" awk '
  BEGIN { root = ENVIRON["ROOT"] }
  { rest = substr($0, length(root) + 1)
    n = index(rest, "\\"); key = n ? substr(rest, 1, n - 1) : "."
    if (key != last) print key; last = key }')
e2e_expect_eq "each subfolder met once, its savers together" \
  "$(printf '%s\n' "$runs" | grep -vx '\.' | LC_ALL=C sort | tr '\n' ' ')" "nested other themes.scr "

# ScanAll: a saver of ours in the Windows and the System directories, then
# the extra folder with its subfolders.
windir=$WINEPREFIX/drive_c/windows
e2e_install_saver "$windir" e2e-win.scr
e2e_install_saver "$E2E_SYSDIR" e2e-sys.scr

e2e_run 60 "$probe" all 1 1 1 1 "$winroot"
e2e_expect_eq "ScanAll exit code" "$E2E_RC" 0
groups=$(sed '/^count /d' "$E2E_OUT" | ROOT="$winroot\\" awk '
  BEGIN { root = ENVIRON["ROOT"] }
  { p = tolower($0)
    if (index(p, tolower(root)) == 1) g = "extra"
    else if (p ~ /^c:\\windows\\system32\\[^\\]*$/) g = "system"
    else if (p ~ /^c:\\windows\\[^\\]*$/) g = "windows"
    else g = "other:" $0
    if (g != last) print g; last = g }' | tr '\n' ' ')
e2e_expect_eq "Windows directory, then System directory, then the extra folder" \
  "$groups" "windows system extra "
e2e_expect "the Windows directory's saver" grep -qix 'C:\\windows\\e2e-win.scr' "$E2E_OUT"
e2e_expect "the System directory's saver" grep -qix 'C:\\windows\\system32\\e2e-sys.scr' "$E2E_OUT"
e2e_expect_eq "the extra folder's savers" "$(grep -iF "$winroot\\" "$E2E_OUT" | LC_ALL=C sort)" \
  "$(under_root "${expected_top[@]}" "${expected_sub[@]}")"

e2e_run 60 "$probe" all 0 0 0 0
e2e_expect_eq "nothing enabled, nothing found" "$(cat "$E2E_OUT")" "count 0"

# A folder reached twice contributes twice.
e2e_run 60 "$probe" all 1 0 1 0 'C:\windows'
e2e_expect_eq "the Windows directory listed twice" \
  "$(grep -cix 'C:\\windows\\e2e-win.scr' "$E2E_OUT")" 2

# A folder that does not exist gives nothing and no message.
e2e_run 60 "$probe" scan "$winroot\\no such folder" 1
e2e_expect_eq "a missing folder" "$(cat "$E2E_OUT")" "count 0"

e2e_done
