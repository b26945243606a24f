#!/usr/bin/env bash
# With a Japanese user language the Japanese template opens, with the same
# controls working; the support question reads as Japanese where the code
# page is 932, and No opens nothing.
. "$(dirname "$0")/../lib.sh"
. "$(dirname "$0")/dialog_lib.sh"
dlg_begin "${E2E_TEST:-dialog.japanese}"

e2e_settings
dlg_open LC_ALL=ja_JP.UTF-8
dlg_drive dump || e2e_fail "dump"
dlg_expect "Japanese title" title "Slumbermixの設定"
dlg_expect "Japanese Cancel button" text.2 "キャンセル"
dlg_expect "change time in minutes" text.108 3
dlg_expect "Apply disabled" enabled.30719 0
e2e_expect_eq "the same list" "$(dlg_lines | LC_ALL=C sort)" "$(dlg_expected_savers)"

dlg_drive post-click 113 box 20000 || e2e_fail "no support question"
dlg_expect "support question caption" box.title "インターネット接続の確認"
dlg_expect "support question, first line" box.text.0 \
  "Slumbermix のサポートページ(https://slumbermix.example.org/support/)に"
dlg_expect "support question, second line" box.text.1 "接続を行います。よろしいですか？"
dlg_drive box-click 7 responsive 10000
dlg_expect "No returns to the dialog" responsive 1

dlg_drive settext 108 4 click 1
dlg_wait_closed
e2e_expect_eq "OK in the Japanese dialog saves" "$(e2e_reg_value ChangeTime)" 'ChangeTime|REG_DWORD|0x3a980'

e2e_done
