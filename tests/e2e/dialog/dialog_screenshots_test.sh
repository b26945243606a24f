#!/usr/bin/env bash
# Screenshots of both settings dialogs, cropped to the dialog, for the
# README: $E2E_SHOTS/dialog-en.png and dialog-ja.png (copied by hand to
# docs/), and the same at 144 DPI (dialog-en-144.png, dialog-ja-144.png).
# For the duration of the test Wine draws its own captions (there
# is no window manager on the virtual display), has its Marlett font for the
# caption buttons, and shows CJK text in the caption and message-box font
# through the installed Noto Sans CJK JP; all three are undone at the end.
. "$(dirname "$0")/../lib.sh"
. "$(dirname "$0")/dialog_lib.sh"
dlg_begin "${E2E_TEST:-dialog.screenshots}"

x11='HKCU\Software\Wine\X11 Driver'
replacements='HKCU\Software\Wine\Fonts\Replacements'

# The rig itself keeps windows unmanaged (rig.sh): what was there before is
# put back, so that later tests find the rig as it was.
managed_before=$(e2e_reg_value Managed "$x11") ||
  e2e_die "reg query of Managed failed: $managed_before"
managed_before=${managed_before#Managed|REG_SZ|}
restore=-  # no value before: none after
[ -z "$managed_before" ] || restore=sz:$managed_before
e2e_at_exit "e2e_reg_write '$x11' 'Managed=$restore'"
e2e_at_exit "e2e_reg_write '$replacements' 'MS UI Gothic=-'"
e2e_at_exit 'e2e_set_dpi 96'
e2e_reg_write "$x11" Managed=sz:N
marlett=$DLG_WINDIR/Fonts/marlett.ttf
if [ ! -e "$marlett" ]; then
  for f in /usr/share/wine/fonts/marlett.ttf /usr/lib/wine/fonts/marlett.ttf; do
    [ -e "$f" ] && cp "$f" "$marlett" && e2e_at_exit "rm -f '$marlett'" && break
  done
fi

e2e_settings 'DefSaver=sz:C:\windows\DlgWinB.scr'

# The dialog's rectangle, captured to FILE; succeeds once the picture is a
# drawn dialog that has stopped changing: many colours, and the same as the
# capture before it.
DRAWN_PREVIOUS=''
dialog_drawn() {  # file x y w h
  local file=$1 previous=$DRAWN_PREVIOUS colours
  DRAWN_PREVIOUS=$file.previous.png
  [ -e "$file" ] && mv "$file" "$DRAWN_PREVIOUS"
  timeout 20 import -display "$DISPLAY" -window root -crop "${4}x${5}+${2}+${3}" +repage \
    "$file" || return 1
  colours=$(convert "$file" -format %k info: 2>/dev/null)
  [ "${colours:-0}" -gt 8 ] && [ -n "$previous" ] && [ -e "$previous" ] &&
    [ "$(compare -metric AE "$file" "$previous" null: 2>&1)" == 0 ]
}

shoot() {  # name [environment...]
  local name=$1
  shift
  dlg_open "$@"
  dlg_drive rect || e2e_fail "$name: no rectangle"
  read -r x y w h <<<"$(dlg_value rect)"
  mkdir -p "$E2E_SHOTS"
  DRAWN_PREVIOUS=''
  rm -f "$E2E_SHOTS/$name.png"
  if e2e_wait_for 20 "the dialog drawn and settled" dialog_drawn "$E2E_SHOTS/$name.png" \
    "$x" "$y" "$w" "$h"; then
    e2e_log "$name.png: $(convert "$E2E_SHOTS/$name.png" -format %k info:) colours"
    e2e_expect "$name.png is a dialog's size, over 200x200: ${w}x${h}" \
      test "$w" -gt 200 -a "$h" -gt 200
  else
    e2e_fail "$name: no settled picture of a drawn dialog"
  fi
  rm -f "$DRAWN_PREVIOUS"
  dlg_drive click 2
  dlg_wait_closed
}

shoot dialog-en
if [ -n "$(fc-list 'Noto Sans CJK JP' family)" ]; then
  e2e_reg_write "$replacements" 'MS UI Gothic=sz:Noto Sans CJK JP'
else
  e2e_log "Noto Sans CJK JP is not installed: the Japanese caption may show boxes"
fi
shoot dialog-ja LC_ALL=ja_JP.UTF-8
e2e_set_dpi 144
shoot dialog-en-144
shoot dialog-ja-144 LC_ALL=ja_JP.UTF-8

e2e_done
