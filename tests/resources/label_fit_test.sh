#!/usr/bin/env bash
# The texts of both settings templates measured against their boxes with the
# font the system gives the dialog, under the program's own manifest: the
# English template as an English user sees it, the Japanese one with Wine
# reporting Japanese (code page 932), each at 96 DPI and at 144 DPI (150 %,
# a common laptop setting). Every text must fit; all are listed in the log.
. "$(dirname "$0")/../e2e/lib.sh"
e2e_begin "${E2E_TEST:-resources.label_fit}"
e2e_at_exit 'e2e_set_dpi 96'

scr=$(e2e_winpath "$E2E_SLUMBMIX")


measure() {  # dpi
  local dpi=$1 language template codepage locale file
  e2e_set_dpi "$dpi"
  for run in "english 1 - $LC_ALL" "japanese 2 932 ja_JP.UTF-8"; do
    read -r language template codepage locale <<<"$run"
    file=$E2E_TEST_DIR/$language-$dpi.txt
    # (bash itself may have no Japanese locale and would say so on stderr)
    { LC_ALL=$locale e2e_run 60 "$E2E_LABEL_FIT" "$scr"; } 2>/dev/null
    e2e_expect_eq "label_fit.exe, $language user, $dpi DPI" "$E2E_RC" 0
    grep -E "^(codepage |dpi |$template )" "$E2E_OUT" >"$file"
    cat "$file" >&2
    [ "$codepage" == - ] || e2e_expect_eq "$language at $dpi DPI: the code page in force" \
      "$(awk '$1 == "codepage" { print $2 }' "$file")" "$codepage"
    # Fields: template, control number, id, "text", width, "box", width, verdict.
    e2e_expect_eq "$language at $dpi DPI: the dialog's DPI" "$(awk '$1 == "dpi" { print $2 }' "$file")" "$dpi"
    e2e_expect_eq "$language at $dpi DPI: texts measured" "$(grep -c "^$template " "$file")" 17
    e2e_expect_eq "$language at $dpi DPI: texts that overflow their box" \
      "$(awk -v t="$template" '$1 == t && $8 != "fits"' "$file")" ""
  done
}

measure 96
measure 144

e2e_done
