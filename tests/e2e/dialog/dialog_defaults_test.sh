#!/usr/bin/env bash
# With no key in the registry the dialog opens with the defaults, lists the
# savers of the Windows and System folders by full path in the list box's
# order, selects nothing, and the close box saves nothing (the key the load
# created stays empty). Its controls are those of Common Controls 6, which
# the program's manifest asks for, and Wine's trace of activation contexts
# shows that manifest read without a complaint.
. "$(dirname "$0")/../lib.sh"
. "$(dirname "$0")/dialog_lib.sh"
dlg_begin "${E2E_TEST:-dialog.defaults}"

e2e_settings
dlg_open WINEDEBUG=+actctx
dlg_drive dump || e2e_fail "dump"

dlg_expect "title" title "Slumbermix Settings"
dlg_expect "Windows folder checked" check.100 1
dlg_expect "System folder checked" check.102 1
dlg_expect "extra folder unchecked" check.104 0
dlg_expect "subfolders unchecked" check.106 0
dlg_expect "random play checked" check.107 1
# Wine has dwmapi.dll, so the composition box is shown, checked.
dlg_expect "composition box shown" visible.114 1
dlg_expect "composition box checked" check.114 1
dlg_expect "Windows folder text" text.101 'C:\windows'
dlg_expect "System folder text" text.103 'C:\windows\system32'
dlg_expect "extra folder empty" text.105 ''
dlg_expect "change time in minutes" text.108 3
dlg_expect "Apply disabled" enabled.30719 0
dlg_expect "nothing selected" list.sel -1

e2e_expect_eq "the savers of both folders, by full path" \
  "$(dlg_lines | LC_ALL=C sort)" "$(dlg_expected_savers)"
# The list box sorts without regard to case: dlgwina before DlgWinB, and the
# Windows folder's files before the System folder's.
a=$(dlg_line_index 'C:\windows\dlgwina.SCR')
b=$(dlg_line_index 'C:\windows\DlgWinB.scr')
c=$(dlg_line_index 'C:\windows\system32\DlgSysC.scr')
e2e_expect "sorted list: dlgwina ($a) < DlgWinB ($b) < system32\\DlgSysC ($c)" \
  test -n "$a" -a -n "$b" -a -n "$c" -a "${a:-0}" -lt "${b:-0}" -a "${b:-0}" -lt "${c:-0}"

# A BCM_GETIDEALSIZE answer, with a size: a button of Common Controls 6.
dlg_drive ideal-size 1 || e2e_fail "ideal-size"
read -r answered cx cy <<<"$(dlg_value ideal)"
e2e_expect "the OK button answers BCM_GETIDEALSIZE (${answered:-} ${cx:-} ${cy:-})" \
  test "${answered:-0}" == 1 -a "${cx:-0}" -gt 0 -a "${cy:-0}" -gt 0

dlg_drive close
dlg_wait_closed

# The trace lines of SLUMBMIX.SCR's main thread, told by the thread id that
# starts each line: the thread that looked for the manifest in the module.
trace=$E2E_TEST_DIR/dialog.err
thread=$(sed -n 's/^\([0-9a-f]*\):trace:actctx:get_manifest_in_module looking for res #0001 .*SLUMBMIX\.SCR"$/\1/p' \
  "$trace" | head -n1)
e2e_expect "the manifest looked for in SLUMBMIX.SCR" test -n "$thread"
ours() { grep "^${thread:-none}:" "$trace"; }
e2e_expect "the manifest parsed" grep -q ':parse_manifest parsing manifest loaded from (null)' <(ours)
e2e_expect "its DPI awareness read" grep -q 'parse_settings_elem got L"dpiAware" L"true"' <(ours)
e2e_expect_eq "complaints of the manifest reader" "$(ours | grep -E '^[0-9a-f]+:(err|warn|fixme):actctx:')" ""
e2e_reg_query
e2e_expect_eq "the key exists" "$E2E_RC" 0
e2e_expect_eq "the close box saved nothing" "$(dlg_registry)" ""

e2e_done
