#!/usr/bin/env bash
# Preview mode inside a parent window, as the display settings run it:
# "SLUMBMIX.SCR /p <handle>" makes a black child window of the class the
# system's screen saver host knows, filling the parent's client area; input
# that reaches it does not close it; a context menu request goes to the
# parent; destroying the parent ends the program with exit code 0. A handle
# that names no window ends the program at once with exit code 0.
#
# Wine throws away what a process draws into a child window of another
# process's window, so the picture itself is checked by the stand-alone
# preview in a virtual desktop of the same 152x112 size (preview_picture).
. "$(dirname "$0")/../lib.sh"
e2e_begin "${E2E_TEST:-preview.parent}"

e2e_run 90 "$E2E_PREVIEW_PARENT" "$(e2e_winpath "$E2E_SLUMBMIX")"
cp "$E2E_OUT" "$E2E_TEST_DIR/parent.txt"
e2e_expect_eq "preview_parent.exe ran its whole sequence" "$E2E_RC" 0
found() { e2e_value "$1" "$E2E_TEST_DIR/parent.txt"; }
e2e_expect_eq "parent client area" "$(found parent-client)" "152 112"
e2e_expect_eq "class of the preview window" "$(found class)" WindowsScreenSaverClass
# WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, and WS_MAXIMIZE
# from SW_SHOWMAXIMIZED.
e2e_expect_eq "style of the preview window" "$(found style)" 57000000
e2e_expect_eq "extended style of the preview window" "$(found exstyle)" 00000000
e2e_expect_eq "title of the preview window" "$(found text)" Slumbermix
e2e_expect_eq "the preview fills the parent's client area" "$(found rect)" "0 0 152 112"
e2e_expect_eq "keys, clicks and deactivation leave it open" "$(found alive-after-input)" 1
e2e_expect_eq "system commands are swallowed" "$(found alive-after-syscommand)" 1
e2e_expect_eq "WM_CONTEXTMENU result" "$(found contextmenu-result)" 1
# lParam MAKELPARAM(120, 130) = 8519800, wParam the parent's own handle.
e2e_expect_eq "WM_CONTEXTMENU posted to the parent" "$(found contextmenu-forwarded)" "parent 8519800"
e2e_expect_eq "exit code after the parent was destroyed" "$(found exit)" 0
e2e_expect "no process of ours is left running" e2e_wait_no_process_of_ours 10

# 0x12345678 is no window handle: creation fails and the program returns.
started=$SECONDS
e2e_run 30 "$E2E_SLUMBMIX" /p 305419896
e2e_expect_eq "exit code of /p with a handle that names no window" "$E2E_RC" 0
e2e_expect "it ended at once (in $((SECONDS - started)) s)" test $((SECONDS - started)) -le 10
e2e_expect "no process of ours is left running" e2e_wait_no_process_of_ours 10

e2e_done
