#!/usr/bin/env bash
# The settings dialog end to end (dialog_lib.sh): one case a test, named by
# the test (dialog.<case>), each opening the dialog on the settings it needs.
. "$(dirname "$0")/../lib.sh"
. "$(dirname "$0")/dialog_lib.sh"
test=${E2E_TEST:-dialog.defaults}
dlg_begin "$test"

case ${test#dialog.} in
defaults)
  # With no key in the registry the dialog opens with the defaults, lists the
  # savers of the Windows and System folders by full path in the list box's
  # order, selects nothing, and the close box saves nothing (the key the load
  # created stays empty). Its controls are those of Common Controls 6, which
  # the program's manifest asks for, and Wine's trace of activation contexts
  # shows that manifest read without a complaint.
  e2e_settings
  dlg_open WINEDEBUG=+actctx

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

  dlg_wait_closed close

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
  ;;
save)
  # Edits and Apply write all nine values with their types, refill the list
  # (now with the extra folder's saver) and select the DefSaver line again;
  # Apply is then disabled. OK saves what was edited after that. A stored flag
  # other than 0 or 1 shows as checked and is saved back as 1.
  ext="$E2E_TEST_DIR/More Savers"
  e2e_install_saver "$ext" DlgExtD.scr
  extwin=$(e2e_winpath "$ext")
  sysc='C:\windows\system32\DlgSysC.scr'

  e2e_settings UseSysDir=dword:5
  dlg_open
  dlg_expect "a stored 5 shows as checked" check.102 1

  dlg_drive click 104 settext 105 "$extwin" click 106 click 107 settext 108 7 click 114 dump ||
    e2e_fail "edits"
  dlg_expect "edits enable Apply" enabled.30719 1
  line=$(dlg_line_index "$sysc")
  dlg_drive select "$line" click 30719 dump || e2e_fail "select and Apply"
  dlg_expect "Apply disabled again" enabled.30719 0

  expected="ChangeTime|REG_DWORD|0x668a0
DefSaver|REG_SZ|$sysc
DisableDWM|REG_DWORD|0x0
ExtDir|REG_SZ|$extwin
ExtSubDir|REG_DWORD|0x1
Random|REG_DWORD|0x0
UseExtDir|REG_DWORD|0x1
UseSysDir|REG_DWORD|0x1
UseWinDir|REG_DWORD|0x1"
  e2e_expect_eq "Apply wrote all nine values with their types" "$(dlg_registry)" "$expected"

  e2e_expect "the refilled list holds the extra folder's saver" \
    test -n "$(dlg_line_index "$extwin\\DlgExtD.scr")"
  dlg_expect "the DefSaver line is selected after the refill" list.sel "$(dlg_line_index "$sysc")"

  dlg_drive settext 108 2 click 106 click 1 || e2e_fail "OK"
  dlg_wait_closed
  expected=${expected/0x668a0/0x1d4c0}
  expected=${expected/ExtSubDir|REG_DWORD|0x1/ExtSubDir|REG_DWORD|0x0}
  e2e_expect_eq "OK saved the later edits" "$(dlg_registry)" "$expected"

  dlg_open
  dlg_expect "reopened: minutes" text.108 2
  dlg_expect "reopened: extra folder" text.105 "$extwin"
  dlg_expect "reopened: DefSaver selected" list.sel "$(dlg_line_index "$sysc")"
  dlg_expect "reopened: composition box unchecked" check.114 0
  dlg_wait_closed click 2
  ;;
discard)
  # Cancel and the caption's close box end the dialog without writing
  # anything, whatever was edited: one row a way to end it.
  e2e_settings ChangeTime=dword:300000 'DefSaver=sz:C:\windows\DlgWinB.scr'
  before=$(dlg_registry)

  discard_row() {  # how driver-steps...
    local how=$1
    shift
    dlg_open
    dlg_drive click 100 click 107 settext 105 'C:\elsewhere' settext 108 9 select 0 dump ||
      e2e_fail "$how: edits"
    dlg_expect "$how: the edits enabled Apply" enabled.30719 1
    dlg_wait_closed "$@"
    e2e_expect_eq "$how wrote nothing" "$(dlg_registry)" "$before"
  }

  e2e_rows discard_row <<'ROWS'
cancel click 2
close-box close
ROWS
  ;;
refill)
  # The DefSaver line (equal without regard to ASCII case) is selected after
  # each filling; unchecking the Windows folder and Apply refills the list
  # without the Windows folder's savers.
  sysc='C:\windows\system32\DlgSysC.scr'
  e2e_settings 'DefSaver=sz:c:\WINDOWS\SYSTEM32\dlgsysc.SCR'
  dlg_open
  line=$(dlg_line_index "$sysc")
  e2e_expect "the System folder's saver is listed" test -n "$line"
  dlg_expect "its line is selected on opening" list.sel "$line"

  dlg_drive click 100 click 30719 dump || e2e_fail "uncheck and Apply"
  e2e_expect_eq "only the System folder's savers are left" \
    "$(dlg_lines | LC_ALL=C sort)" "$(dlg_expected_savers | grep -F 'C:\windows\system32\')"
  e2e_expect "none from the Windows folder" \
    test -z "$(dlg_lines | grep -v -F 'C:\windows\system32\')"
  dlg_expect "the DefSaver line is selected after the refill" list.sel "$(dlg_line_index "$sysc")"
  e2e_expect_eq "Apply saved UseWinDir 0" "$(e2e_reg_value UseWinDir)" 'UseWinDir|REG_DWORD|0x0'

  dlg_drive click 100 click 30719 dump || e2e_fail "check and Apply"
  e2e_expect_eq "both folders again" "$(dlg_lines | LC_ALL=C sort)" "$(dlg_expected_savers)"
  dlg_expect "the DefSaver line is selected again" list.sel "$(dlg_line_index "$sysc")"
  dlg_wait_closed click 2
  ;;
browse)
  # The browse button opens the shell's folder browser owned by the dialog,
  # with its title; Cancel there changes nothing, OK on a file-system folder
  # checks the extra folder box, puts the path in its edit box and so enables
  # Apply.
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

  dlg_wait_closed click 2
  ;;
japanese)
  # With a Japanese user language the Japanese template opens, with the same
  # controls working; the support question reads as Japanese where the code
  # page is 932, and No opens nothing: Wine's trace of process calls shows
  # the program starting no process (the browser Yes opens would be one).
  e2e_settings
  dlg_open LC_ALL=ja_JP.UTF-8 WINEDEBUG=+process
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
  e2e_expect "No: no process of ours but the dialog" e2e_wait_no_process_of_ours 10 SLUMBMIX.SCR

  dlg_wait_closed settext 108 4 click 1
  e2e_expect_eq "OK in the Japanese dialog saves" "$(e2e_reg_value ChangeTime)" 'ChangeTime|REG_DWORD|0x3a980'
  trace=$E2E_TEST_DIR/dialog.err
  e2e_expect "the trace of process calls was on" grep -q ':trace:process:' "$trace"
  e2e_expect_eq "processes the dialog started" \
    "$(grep -c ':trace:process:CreateProcessInternalW' "$trace")" 0
  ;;
launch)
  # Setting and Preview start the selected saver: Setting with nothing after
  # the quoted path but one space, Preview with /s, each in the saver's
  # folder, while the dialog waits for it to end. (The priority class is the
  # launcher's concern: Wine 8 reports such a child's class as 0x20 here.)
  #
  # Then the same with a screen saver built the way most are (the
  # library-style test saver). Setting starts it with no option, so it opens
  # its own settings dialog owned by the foreground window: ours. That dialog
  # must appear within seconds while ours is disabled under it, and ours must
  # work again once it is closed and the saver has ended. Preview runs it
  # full-screen until real input ends it; it closes as soon as it loses the
  # activation, so ours must leave it the activation. First, as a control, the
  # saver's dialog is given ours as its owner (/c:<handle>) by the test while
  # ours serves its messages as usual. Last, Setting again, with the saver
  # killed while its dialog is up.
  e2e_need E2E_LIBSAVER

  saver='C:\windows\DlgWinB.scr'
  library='C:\windows\LibStyle.scr'
  library_file=$DLG_WINDIR/LibStyle.scr
  e2e_install_saver "$DLG_WINDIR" LibStyle.scr "$E2E_LIBSAVER"
  # A saver stuck behind a dialog that never answers ends by itself by then.
  export SLUMBERMIX_TEST_CAP_MS=60000
  LIBRARY_TITLE='Library-style saver settings'

  # The details of the last line of an event in the log, which holds the one
  # saver process started since it was emptied.
  saver_event() { e2e_saver_log "$1" | tail -n1; }

  # The saver ends for the reason given, and ours works again: it takes a
  # posted message and is enabled.
  expect_saver_gone_ours_back() {  # part reason
    e2e_wait_for 10 "the saver's end" e2e_saver_logged exit || e2e_fail "$1: the saver did not end"
    e2e_expect_eq "$1: exit reason" "$(saver_event exit)" "$2"
    dlg_drive responsive 10000 enabled
    dlg_expect "$1: ours answers again" responsive 1
    dlg_expect "$1: ours is enabled" enabled 1
  }

  e2e_settings
  dlg_open
  dlg_drive dump handle || e2e_fail "dump"
  line=$(dlg_line_index "$saver")
  library_line=$(dlg_line_index "$library")
  dialog=$(dlg_value handle)
  owner=$(printf '0x%x' "$dialog")
  e2e_expect "the saver is listed" test -n "$line"
  e2e_expect "the library-style saver is listed" test -n "$library_line"

  e2e_log "-- nothing selected: no saver starts"
  dlg_drive post-click 111 post-click 112 responsive 5000
  dlg_expect "the dialog took the clicks and answers" responsive 1
  # A saver started by mistake has written its start line once it is gone.
  e2e_wait_no_process_of_ours 10 SLUMBMIX.SCR || e2e_fail "a process other than the dialog's was left running"
  e2e_expect "no saver started without a selection" test ! -e "$E2E_SAVER_LOG"

  e2e_log "-- Setting"
  dlg_drive select "$line" post-click 111
  e2e_wait_for 20 "the saver's exit" e2e_saver_logged exit || e2e_fail "Setting started no saver that ended"
  e2e_expect_eq "Setting: command line" "$(saver_event cmdline)" "\"$saver\" "
  e2e_expect_eq "Setting: working folder" "$(saver_event cwd)" 'C:\windows'
  e2e_expect_eq "Setting: the saver ran in its other mode" "$(saver_event exit)" other-mode
  dlg_drive responsive 10000
  dlg_expect "the dialog answers again once the saver has ended" responsive 1

  e2e_log "-- Preview"
  rm -f "$E2E_SAVER_LOG"
  dlg_drive post-click 112 saver-shown 20000 || e2e_fail "Preview showed no saver window"
  e2e_expect_eq "Preview: command line" "$(saver_event cmdline)" "\"$saver\" /s"
  dlg_drive responsive 1000 serves-sent 5000
  dlg_expect "the dialog takes no input while the saver runs" responsive 0
  dlg_expect "the waiting dialog still serves what other threads send it" serves-sent 1
  dlg_drive close-saver
  e2e_wait_for 20 "the saver's exit" e2e_saver_logged exit || e2e_fail "the saver did not end"
  e2e_expect_eq "Preview: the saver ended on WM_CLOSE" "$(saver_event exit)" close
  dlg_drive responsive 10000
  dlg_expect "the dialog answers again" responsive 1

  e2e_log "-- library-style saver, /c:<handle> started by the test: its dialog owned by ours"
  rm -f "$E2E_SAVER_LOG"
  e2e_start 60 "$library_file" "/c:$dialog"
  if dlg_drive box 10000 enabled; then
    dlg_expect "/c:<handle>: the saver's dialog, owned by ours" box.title "$LIBRARY_TITLE"
    dlg_expect "/c:<handle>: ours is disabled under it" enabled 0
    dlg_drive box-click 2
    expect_saver_gone_ours_back '/c:<handle>' cancel
    e2e_wait_exit 10 || e2e_fail "/c:<handle>: the saver's process did not end"
  else
    e2e_fail "/c:<handle>: the saver's dialog did not appear"
  fi
  e2e_expect_eq "/c:<handle>: the owner it asked for" "$(saver_event owner)" "$owner"

  e2e_log "-- library-style saver, Setting: it finds ours as the foreground window"
  rm -f "$E2E_SAVER_LOG"
  if dlg_drive select "$library_line" post-click 111 box 10000 enabled responsive 1000; then
    dlg_expect "Setting: the saver's dialog, owned by ours" box.title "$LIBRARY_TITLE"
    dlg_expect "Setting: ours is disabled under it" enabled 0
    dlg_expect "Setting: ours takes no posted message while the saver runs" responsive 0
    e2e_expect_eq "Setting: command line" "$(saver_event cmdline)" "\"$library\" "
    e2e_expect_eq "Setting: the saver took its settings mode" "$(saver_event behaviour)" \
      "library mode settings"
    e2e_expect_eq "Setting: the dialog's owner, found as the foreground window" \
      "$(saver_event dialog)" "shown owner $owner"
    dlg_drive box-click 1
    expect_saver_gone_ours_back Setting ok
  else
    e2e_fail "Setting: the saver's dialog did not appear within 10 s"
    e2e_log "the saver asked for owner '$(saver_event owner)' (ours: $owner)" \
      "and logged no later event than '$(tail -n1 "$E2E_SAVER_LOG" 2>/dev/null | cut -d' ' -f3-)'"
    e2e_done  # the rest needs a dialog that answers
  fi

  # It ends on any loss of the activation, so an exit on the move (and not
  # "deactivated") says it kept the activation until the input came.
  e2e_log "-- library-style saver, Preview: full-screen until the pointer moves"
  rm -f "$E2E_SAVER_LOG"
  timeout 5 xdotool mousemove 300 300
  # Posted like a click: the dialog starts the saver from its own loop, which
  # shows that the loop runs again after Setting.
  if dlg_drive post-click 112 saver-shown 20000; then
    e2e_wait_for 10 "the saver's window" e2e_saver_logged window
    e2e_expect_eq "Preview: command line" "$(saver_event cmdline)" "\"$library\" /s"
    e2e_expect_eq "Preview: full-screen" "$(saver_event window | cut -d' ' -f2)" 1024x768
    pid=$(e2e_saver_log -p window | tail -n1)
    if e2e_wait_for 10 "the saver to take input" e2e_saver_takes_input "$pid"; then
      e2e_saver_move "$pid"
    else
      e2e_fail "Preview: the saver's window did not take the focus"
    fi
    expect_saver_gone_ours_back Preview move
  else
    e2e_fail "Preview showed no saver window"
  fi

  # The saver's dialog disabled ours, and only its own end would enable ours
  # again: when its process is killed instead, as a crash ends it, ours must
  # enable itself and take a real click.
  e2e_log "-- library-style saver, Setting: killed while its dialog is up"
  rm -f "$E2E_SAVER_LOG"
  library_gone() { [ -z "$(e2e_pid_of LibStyle.scr)" ]; }
  random_changed() { dlg_drive dump && [ "$(dlg_value check.107)" != "$1" ]; }
  dlg_drive dump || e2e_fail "dump"
  random=$(dlg_value check.107)
  if dlg_drive select "$library_line" post-click 111 box 10000 enabled; then
    dlg_expect "killed: ours is disabled under the saver's dialog" enabled 0
    pid=$(e2e_pid_of LibStyle.scr)
    e2e_expect "killed: the saver's process ($pid) is killed" kill -KILL "${pid:-none}"
    e2e_expect "killed: the saver's process is gone" e2e_wait_for 10 "the saver to end" library_gone
    dlg_drive box-gone 10000 responsive 10000 enabled centre 107 || e2e_fail "driver"
    dlg_expect "killed: ours answers again" responsive 1
    dlg_expect "killed: ours is enabled again" enabled 1
    read -r x y <<<"$(dlg_value centre)"
    timeout 5 xdotool mousemove "${x:-0}" "${y:-0}" click 1
    e2e_expect "killed: ours takes a real click on its Random box" \
      e2e_wait_for 5 "the Random box to change" random_changed "$random"
  else
    e2e_fail "killed: the saver's dialog did not appear within 10 s"
  fi

  dlg_wait_closed click 2
  e2e_expect_eq "nothing saved" "$(dlg_registry)" ""
  e2e_expect "no process left" e2e_wait_no_process_of_ours 10
  ;;
screenshots)
  # Screenshots of both settings dialogs, cropped to the dialog, for the
  # README: $E2E_SHOTS/dialog-en.png and dialog-ja.png (copied by hand to
  # docs/), and the same at 144 DPI (dialog-en-144.png, dialog-ja-144.png).
  # For the duration of the test Wine draws its own captions (there
  # is no window manager on the virtual display), has its Marlett font for the
  # caption buttons, and shows CJK text in the caption and message-box font
  # through the installed Noto Sans CJK JP; all three are undone at the end.
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

  # The list shows the sample savers under their own names, one in the
  # Windows folder and two in the System folder, in place of the test
  # savers, whose names mean something only to these tests.
  e2e_need E2E_SAMPLES_DIR
  rm -f "$DLG_WINDIR/dlgwina.SCR" "$DLG_WINDIR/DlgWinB.scr" "$E2E_SYSDIR/DlgSysC.scr"
  e2e_install_saver "$DLG_WINDIR" DRIFTLINES.SCR "$E2E_SAMPLES_DIR/DRIFTLINES.SCR"
  e2e_install_saver "$E2E_SYSDIR" NIGHTGLOW.SCR "$E2E_SAMPLES_DIR/NIGHTGLOW.SCR"
  e2e_install_saver "$E2E_SYSDIR" STARWARD.SCR "$E2E_SAMPLES_DIR/STARWARD.SCR"
  e2e_settings 'DefSaver=sz:C:\windows\system32\STARWARD.SCR'

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
    dlg_wait_closed click 2
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
  ;;
*) e2e_die "no dialog test $test" ;;
esac
e2e_done
