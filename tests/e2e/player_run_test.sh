#!/usr/bin/env bash
# Run mode under Wine: SLUMBMIX.SCR /s plays four test savers and the
# library-style saver (a screen saver built the way most are) from the extra
# folder, each once before any repeats, with "/s" forwarded, its folder as
# working directory and idle priority. At each change-over a saver that
# honours WM_CLOSE goes on it, one that only ends on input goes through the
# imitated input, one that only ends on Escape goes through the Escape. The
# library-style saver also closes as soon as it loses the activation, so it
# ends on WM_CLOSE only if nothing took the activation from it while it
# played, and it plays full-screen. Moving the real pointer during its second
# play ends it, which ends the run: the program exits with 0 and leaves
# nothing running.
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/player_lib.sh"
e2e_begin player.run
e2e_need E2E_LIBSAVER

CHANGE_MS=4000
LIBRARY=echo_library.scr
savers=("alpha close.scr" bravo_close.scr charlie_input.scr delta_escape.scr)
player_setup "$CHANGE_MS" "${savers[@]}"
e2e_install_saver "$PLAYER_SAVERS" "$LIBRARY" "$E2E_LIBSAVER"
savers+=("$LIBRARY")
folder=$(e2e_winpath "$PLAYER_SAVERS")

# The pointer rests here; the imitated input jumps from it and puts it back.
POINTER_X=400
POINTER_Y=300
timeout 5 xdotool mousemove "$POINTER_X" "$POINTER_Y"

began=$(date +%s%3N)
e2e_start 300 "$E2E_SLUMBMIX" /s
# Five plays, four change-overs to wait through (escape and input take 4 s,
# WM_CLOSE up to 3 s of them), then the first repeat. Which saver that is
# would be chance, and so would the wait for the library-style saver's
# second play: once all five have started, the files of the other four go.
# The player's list still holds them, but their launches fail and it chooses
# again, least played first, until the library-style saver plays again.
# The fifth plays the change time (4 s) first, ample time for the removal.
e2e_wait_for 150 "a fifth saver" player_has_runs 5 ||
  e2e_fail "only $(player_run_count) savers started"
for name in "${savers[@]}"; do [ "$name" == "$LIBRARY" ] || rm -f "$PLAYER_SAVERS/$name"; done
e2e_wait_for 60 "a sixth saver" player_has_runs 6 ||
  e2e_fail "only $(player_run_count) savers started"
e2e_expect_eq "the pointer was put back after each change-over" \
  "$(e2e_pointer)" "x:$POINTER_X y:$POINTER_Y"

# Real input, once the library-style saver plays again; the others are left
# to the next change-over. The move is made once per play; should a
# change-over reach the saver first, it gets the move on its next turn.
first_library=$(for p in $(player_runs); do [ "$(player_saver_name "$p")" != "$LIBRARY" ] || echo "$p"; done | head -n1)
library_again() { [ "$1" != "$first_library" ] && [ "$(player_saver_name "$1")" == "$LIBRARY" ]; }
player_expect_user_ends '' "the library-style saver's second play" 120 library_again
e2e_expect_eq "the saver ended by the user was the last one started" \
  "$(player_runs | tail -n1)" "$PLAYER_ENDED_BY"

mapfile -t runs < <(player_runs)
e2e_log "played: $(for p in "${runs[@]}"; do printf '%s; ' "$(player_saver_name "$p")"; done)"

# Rotation: the first five are the five savers; the sixth is a repeat.
first=$(for p in "${runs[@]:0:5}"; do player_saver_name "$p"; done | sort | tr '\n' '|')
e2e_expect_eq "each saver once before any repeats" "$first" \
  "$(printf '%s\n' "${savers[@]}" | sort | tr '\n' '|')"

# Every start: command line and folder. The priority class is logged but
# not checked: Wine 8 gives every child the normal class (0x20) whatever
# the creation flags ask; the host tests check the flags the launcher uses.
for pid in "${runs[@]}"; do
  name=$(player_saver_name "$pid")
  e2e_expect_eq "command line of $name ($pid)" "$(player_event "$pid" cmdline)" \
    "\"$folder\\$name\" /s"
  e2e_expect_eq "working directory of $name ($pid)" "$(player_event "$pid" cwd)" "$folder"
  e2e_log "priority class of $name ($pid): $(player_event "$pid" priority)"
done

# How each replaced saver went, told by what it received and when. The
# times are judged only against what a busy machine cannot make sooner: a
# saver's change time starts when the player starts it, which is after the
# program started (for the first) or after the saver before it ended, so
# from there WM_CLOSE comes no sooner than the change time, the imitated key
# no sooner than the first step (3000 ms) later, Escape no sooner than the
# second (1000 ms) after that. How much later each came is printed; the
# exact waits are the host tests' concern.
started_after() {  # index -> ms the player's clock for that saver started after
  if [ "$1" -eq 0 ]; then echo "$began"; else player_event_time "${runs[$(($1 - 1))]}" exit; fi
}
key_line() { e2e_saver_log -l "$2" "$1" "^$3 " | head -n1; }  # pid message key
# The saver's first WM_KEYDOWN of the key came no sooner than the player's
# steps (ms past the change time) allow.
expect_key_no_sooner() {  # key what steps steps-ms
  local at
  at=$(e2e_saver_log -t WM_KEYDOWN "$pid" "^$1 " | head -n1)
  e2e_log "$name got $2 $((${at:-0} - closed)) ms after WM_CLOSE"
  e2e_expect "$name got $2 no sooner than $3" \
    test -n "$at" -a -n "$from" -a $((${at:-0} - from)) -ge $((CHANGE_MS + $4))
}
for ((i = 0; i + 1 < ${#runs[@]}; i++)); do
  pid=${runs[$i]}
  next=${runs[$((i + 1))]}
  name=$(player_saver_name "$pid")
  close_verdict=$(player_event "$pid" WM_CLOSE)
  reason=$(player_event "$pid" exit)
  from=$(started_after "$i")
  closed=$(player_event_time "$pid" WM_CLOSE)
  e2e_log "$name ($pid): played $((closed - $(player_event_time "$pid" start))) ms from its start," \
    "WM_CLOSE $close_verdict, exit $reason, next start $(($(player_event_time "$next" start) - closed)) ms after WM_CLOSE"
  # Both times must be there: a missing one would make any gap pass.
  e2e_expect "$name got WM_CLOSE no sooner than the change time ($((closed - from)) ms)" \
    test -n "$from" -a -n "$closed" -a $((closed - from)) -ge "$CHANGE_MS"
  case $name in
  *close*)
    e2e_expect_eq "$name honours WM_CLOSE" "$close_verdict" honoured
    e2e_expect_eq "$name ended by WM_CLOSE" "$reason" close
    ;;
  *input*)
    key_down=$(key_line "$pid" WM_KEYDOWN 0xfe)
    e2e_expect_eq "$name ignores WM_CLOSE" "$close_verdict" ignored
    e2e_expect "$name took the imitated key as input" test "${key_down##* }" == honoured
    e2e_expect_eq "$name ended by the key" "$reason" key
    expect_key_no_sooner 0xfe "the key" "the first step" 3000
    ;;
  "$LIBRARY")
    e2e_expect_eq "$name ran full-screen" "$(player_event "$pid" window | cut -d' ' -f2)" 1024x768
    e2e_expect_eq "$name kept the activation and ended on WM_CLOSE" "$reason" close
    ;;
  *escape*)
    key_down=$(key_line "$pid" WM_KEYDOWN 0xfe)
    key_up=$(key_line "$pid" WM_KEYUP 0xfe)
    e2e_expect_eq "$name ignores WM_CLOSE" "$close_verdict" ignored
    e2e_expect "imitated key down, marked 0x0000fe00" test -n "$key_down" -a -z "${key_down##* extra=0x0000fe00 ignored}"
    # The release travels the system's input queue while Escape is posted
    # straight to the window, so a saver that ends on Escape may be gone
    # before the release reaches it. A release that does arrive must carry
    # its mark; the exact calls are checked by the host tests.
    if [ -n "$key_up" ]; then
      e2e_expect "imitated key up, marked 0xc000fe00" test -z "${key_up##* extra=0xc000fe00 ignored}"
    else
      echo "note: $name ended on Escape before the imitated key release reached it"
    fi
    read -r rest_x rest_y <<<"$(player_event "$pid" mouse)"
    e2e_expect_eq "the cursor jumped from where it rested (${rest_x:-?}, ${rest_y:-?})" \
      "$(e2e_saver_log WM_MOUSEMOVE "$pid" | head -n1 | cut -d' ' -f1,2)" \
      "$((${rest_x:-0} ^ 255)) $((${rest_y:-0} ^ 255))"
    e2e_expect "$name got Escape with lParam 1" \
      e2e_saver_logged WM_KEYDOWN "$pid" '^0x1b lParam=0x00000001 .* honoured$'
    expect_key_no_sooner 0x1b Escape "the first two steps" 4000
    e2e_expect_eq "$name ended by Escape" "$reason" key
    ;;
  esac
done

e2e_done
