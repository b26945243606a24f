#!/usr/bin/env bash
# The browse button opens the shell's folder browser owned by the dialog,
# with its title; Cancel there changes nothing, OK on a file-system folder
# checks the extra folder box, puts the path in its edit box and so enables
# Apply.
. "$(dirname "$0")/../lib.sh"
. "$(dirname "$0")/dialog_lib.sh"
dlg_begin "${E2E_TEST:-dialog.browse}"

e2e_settings
dlg_open

dlg_drive post-click 30717 box 20000 || e2e_fail "no folder browser"
dlg_expect "the browser's title" box.text.0 "Select screen saver's directory"
dlg_drive box-click 2 box-gone 10000 dump || e2e_fail "browser Cancel"
dlg_expect "Cancel: extra folder still unchecked" check.104 0
dlg_expect "Cancel: extra folder still empty" text.105 ''
dlg_expect "Cancel: Apply still disabled" enabled.30719 0

# With no root the browser starts on the desktop, a file-system folder.
dlg_drive post-click 30717 box 20000 box-click 1 box-gone 10000 dump || e2e_fail "browser OK"
dlg_expect "OK: extra folder checked" check.104 1
e2e_expect "OK: a folder path in the edit box ($(dlg_value text.105))" \
  test -n "$(dlg_value text.105 | grep '^[A-Z]:\\')"
dlg_expect "OK: Apply enabled" enabled.30719 1

dlg_drive click 2
dlg_wait_closed
e2e_done
