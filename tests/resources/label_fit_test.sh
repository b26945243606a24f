#!/usr/bin/env bash
# The texts of both settings templates measured against their boxes with the
# font the system gives the dialog: the English template as an English user
# sees it, the Japanese one with Wine reporting Japanese (code page 932).
# The change-time label and the product line must fit; every other text is
# listed in the log.
. "$(dirname "$0")/../e2e/lib.sh"
e2e_begin "${E2E_TEST:-resources.label_fit}"

scr=$(e2e_winpath "$E2E_SLUMBMIX")
e2e_run 60 "$E2E_LABEL_FIT" "$scr"
e2e_expect_eq "label_fit.exe, English user" "$E2E_RC" 0
grep '^1 ' "$E2E_OUT" >"$E2E_TEST_DIR/english.txt"
# (bash itself may have no Japanese locale and would say so on stderr)
{ LC_ALL=ja_JP.UTF-8 e2e_run 60 "$E2E_LABEL_FIT" "$scr"; } 2>/dev/null
e2e_expect_eq "label_fit.exe, Japanese user" "$E2E_RC" 0
grep '^2 ' "$E2E_OUT" >"$E2E_TEST_DIR/japanese.txt"
cat "$E2E_TEST_DIR/english.txt" "$E2E_TEST_DIR/japanese.txt" >&2

# Fields: template, control number, id, "text", width, "box", width, verdict.
verdict() { awk -v n="$2" '$2 == n { print $8 }' "$E2E_TEST_DIR/$1.txt"; }
e2e_expect_eq "English change-time label" "$(verdict english 14)" fits
e2e_expect_eq "Japanese change-time label" "$(verdict japanese 14)" fits
e2e_expect_eq "English product line" "$(verdict english 22)" fits
e2e_expect_eq "Japanese product line" "$(verdict japanese 22)" fits
e2e_expect_eq "texts measured in the English template" "$(wc -l <"$E2E_TEST_DIR/english.txt")" 17
e2e_expect_eq "texts measured in the Japanese template" "$(wc -l <"$E2E_TEST_DIR/japanese.txt")" 17

e2e_done
