#!/usr/bin/env bash
# The sample screen savers the demo plays, each in turn under Wine. Started
# with /s, each shows a visible, topmost, full-screen WS_POPUP window of
# class "WindowsScreenSaverClass" with a moving picture on it; a pointer move
# of two pixels leaves it running, a real move ends it; started again, a key
# ends it; started again, WM_CLOSE posted to its window ends it. With /p it
# draws in a child window of the given parent and ends with the parent. Each
# start and end shows in the demo log, with the cause of the end.
. "$(dirname "$0")/lib.sh"
e2e_begin "${E2E_TEST:-samples}"

mapfile -t samples < <(ls "$E2E_SAMPLES_DIR"/*.SCR 2>/dev/null)
[ ${#samples[@]} -ge 3 ] || e2e_die "fewer than three sample savers in $E2E_SAMPLES_DIR"

demo_log=$E2E_TEST_DIR/demo.log
SLUMBERMIX_DEMO_LOG=$(e2e_winpath "$demo_log")
export SLUMBERMIX_DEMO_LOG
screen=$(timeout 10 xdpyinfo | awk '/dimensions:/ { sub(/x/, " ", $2); print $2; exit }')

saver_window_shown() {
  e2e_run 20 "$E2E_PREVIEW_PARENT" --top
  [ "$E2E_RC" -eq 0 ] && grep -q ' visible=1 ' "$E2E_OUT"
}

# The last line of the demo log, without its time.
last_logged() { tail -n1 "$demo_log" 2>/dev/null | cut -d' ' -f2-; }

start_full_screen() {  # scr name
  rm -f "$demo_log"
  e2e_start 90 "$1" /s
  e2e_wait_for 30 "the window of $2" saver_window_shown || return 1
  e2e_wait_for 10 "$2 to log its start" grep -q " $2 started /s" "$demo_log"
}

# The pointer to x, y, through the X server.
pointer_to() { timeout 5 xdotool mousemove "$1" "$2"; }

# The saver ends after the way given: its exit code and the end it logs.
expect_end() {  # way logged-end
  e2e_expect_eq "$file: exit code after $1" "$(e2e_exit_code 15)" 0
  e2e_expect_eq "$file: logged end after $1" "$(last_logged)" "$name ended $2"
}

for scr in "${samples[@]}"; do
  file=${scr##*/}
  name=${file%.SCR}
  name=${name,,}
  name=${name^}  # STARWARD.SCR logs as Starward
  e2e_log "== $file ($name)"

  # Started with /s: the window, the picture, a tiny move, a real move.
  pointer_to 100 100
  if start_full_screen "$scr" "$name"; then
    read -r _ pid popup topmost visible x y w h <"$E2E_OUT"
    e2e_expect_eq "$file: window style" "$popup $topmost $visible" "popup=1 topmost=1 visible=1"
    e2e_expect_eq "$file: window covers the screen" "$x $y $w $h" "0 0 $screen"
    sleep 1
    e2e_screenshot "$file-a"
    sleep 1
    e2e_screenshot "$file-b"
    colours=$(timeout 30 convert "$E2E_SHOTS/$file-a.png" -format %k info: 2>/dev/null || echo 0)
    e2e_expect "$file: a picture of many colours ($colours)" test "$colours" -ge 20
    changed=$(timeout 30 compare -metric AE "$E2E_SHOTS/$file-"{a,b}.png null: 2>&1 || true)
    e2e_expect "$file: the picture moves ($changed pixels changed in 1 s)" test "${changed%% *}" -gt 100

    pointer_to 102 101
    e2e_expect_eq "$file: the pointer stands two pixels from where it rested" \
      "$(e2e_pointer)" "x:102 y:101"
    sleep 1.5
    e2e_expect "$file: a two-pixel move leaves it running" e2e_running
    pointer_to 400 300
    expect_end "a real move" mouse-move
  else
    e2e_fail "$file: no full-screen window"
  fi
  e2e_wait_no_process_of_ours 15 || e2e_kill_ours

  # A key, once the saver's window has the input focus.
  if start_full_screen "$scr" "$name" && e2e_wait_focus 15 "$name"; then
    timeout 5 xdotool key space
    expect_end "a key" key
  else
    e2e_fail "$file: no full-screen window with the focus for the key"
  fi
  e2e_wait_no_process_of_ours 15 || e2e_kill_ours

  # WM_CLOSE to the window.
  if start_full_screen "$scr" "$name"; then
    e2e_post_close "$file"
    e2e_expect_eq "$file: WM_CLOSE posted" "$E2E_RC" 0
    expect_end WM_CLOSE close
  else
    e2e_fail "$file: no full-screen window for WM_CLOSE"
  fi
  e2e_wait_no_process_of_ours 15 || e2e_kill_ours

  # Preview: a child of the given window, for as long as that lives.
  rm -f "$demo_log"
  e2e_expect_eq "$file: preview" "$(e2e_preview_in_parent "$scr")" "$E2E_PREVIEW_FILLS"
  e2e_expect_eq "$file: preview logged" "$(cut -d' ' -f2- "$demo_log" 2>/dev/null | tr '\n' '|')" \
    "$name started /p|$name ended parent-gone|"
  e2e_wait_no_process_of_ours 15 || e2e_kill_ours
done

e2e_done
