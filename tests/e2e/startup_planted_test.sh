#!/usr/bin/env bash
# A SLUMBMIX.SCR run where it was downloaded, with a dwmapi.dll planted
# beside it and another in the current folder: in preview, run and settings
# mode neither is ever loaded, and the system's own still is (the dialog
# shows its composition box). First, as a control, a program beside the
# planted DLL that asks for dwmapi.dll by name loads it: this Wine takes a
# DLL lying beside a program, so SLUMBMIX.SCR leaving none loaded counts.
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/dialog/dialog_lib.sh"
dlg_begin "${E2E_TEST:-startup.planted_dll}"
e2e_need E2E_PLANTED_DLL
planted=$E2E_PLANTED_DLL

downloads=$E2E_TEST_DIR/Downloads
current=$E2E_TEST_DIR/current
mkdir -p "$downloads" "$current"
cp "$E2E_SLUMBMIX" "$downloads/SLUMBMIX.SCR"
cp "$planted" "$downloads/dwmapi.dll"
cp "$planted" "$current/dwmapi.dll"
E2E_SLUMBMIX=$downloads/SLUMBMIX.SCR  # what dlg_open starts
markers() { find "$downloads" "$current" -name '*.loaded' -printf '%P: %s bytes\n'; }

cp "$E2E_PROBE" "$downloads/helper.exe"
e2e_run 60 "$downloads/helper.exe" load dwmapi.dll
e2e_expect_eq "control: a program beside the planted DLL, asking for it by name, loads it" \
  "$(cat "$E2E_OUT") $(cat "$downloads/dwmapi.dll.loaded" 2>/dev/null)" \
  "loaded $(e2e_winpath "$downloads/helper.exe")"
rm -f "$downloads/helper.exe" "$downloads/dwmapi.dll.loaded"

# Run mode with nothing to play ends at once; so does a preview whose
# parent window does not exist.
e2e_settings UseWinDir=dword:0 UseSysDir=dword:0 || e2e_die "could not write the settings"
cd "$current" || e2e_die "cannot enter $current"
for mode in "/p 99999" /s; do
  # shellcheck disable=SC2086  # the mode is an option and its argument
  e2e_run 60 "$E2E_SLUMBMIX" $mode
  e2e_expect_eq "exit code of $mode" "$E2E_RC" 0
done
dlg_open
dlg_drive dump || e2e_fail "dump"
dlg_expect "the system's dwmapi.dll was found: composition box shown" visible.114 1
dlg_drive close || e2e_fail "close"
dlg_wait_closed
cd - >/dev/null || true

e2e_expect_eq "planted DLLs that were loaded" "$(markers)" ""
e2e_done
