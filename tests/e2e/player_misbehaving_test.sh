#!/usr/bin/env bash
# Run mode under Wine: a saver that exits at once, and one that crashes (an
# access violation) 3 s after its start, each in a rotation with a normal
# saver that ignores WM_CLOSE, so that its change-over ends with the
# imitated key and mouse move. Nobody touches anything while they fail, so
# the rotation goes on past them, also right after the imitated input; the
# user's move then ends the normal saver and the run, with exit code 0.
#
# Then savers not built on the usual library, whose change-over must stay
# inside them: windows of a class of their own, asked to close through
# them; a saver shown behind another program's window, which holds the
# foreground and must get no key; a saver whose window hangs, ended so that
# the next one plays. Each run again ends on the user's input.
#
# Windows 10 ends a crashed program silently; Wine does with its crash
# dialog off (rig.sh), but its debugger still shows a console window at the
# top left corner for a second, and Wine counts a window appearing under
# the pointer as input, which the player would take for the user's: the
# pointer rests elsewhere.
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/player_lib.sh"
e2e_begin "${E2E_TEST:-player.misbehaving}"

named() { [[ $(player_saver_name "$2") == "$1"* ]]; }  # prefix pid
is_normal() { named alpha "$1"; }
# Whether a failing saver came right after a normal one the change-over had
# to close with the imitated input (it ignored WM_CLOSE), and another saver
# came after it.
went_on_after_imitated() {
  local runs i
  mapfile -t runs < <(player_runs)
  for ((i = 0; i + 2 < ${#runs[@]}; i++)); do
    is_normal "${runs[i]}" && player_has_event "${runs[i]}" WM_CLOSE &&
      ! is_normal "${runs[i + 1]}" && return 0
  done
  return 1
}
went_on_or_ended() { went_on_after_imitated || e2e_background_ended; }
failed_at_once_or_crashed() { e2e_saver_logged exit '' '^immediate$' || e2e_saver_logged crash; }

# A rotation of a normal saver and the failing one.
misbehaving_row() {  # failing-saver
  local failing=$1
  e2e_use_saver_log "$E2E_TEST_DIR/$failing.log"
  # Long enough for the crash and Wine's debugger to end before a change-over.
  player_setup 10000 alpha_input.scr "$failing"
  timeout 5 xdotool mousemove 900 700
  e2e_start 150 "$E2E_SLUMBMIX" /s
  # Least-played order reaches the pair within three change-overs.
  e2e_wait_for 75 "a saver after the failing one" went_on_or_ended
  e2e_expect "$failing: the run went on past it after the imitated input" went_on_after_imitated
  e2e_log "$failing: played $(for p in $(player_runs); do printf '%s ' "$(player_saver_name "$p")"; done)"
  e2e_expect "$failing: it exited at once or crashed" failed_at_once_or_crashed
  # No process left: no debugger either.
  player_expect_user_ends "$failing: " "the normal saver" 40 is_normal
}

e2e_rows misbehaving_row <<'ROWS'
bravo_exit.scr
charlie_crash.scr
ROWS

# ------------------------------------------------------------------ change-overs

first_run_of() { for p in $(player_runs); do ! named "$1" "$p" || { echo "$p"; return; }; done; }
# The run after a saver's first one, once it has started.
run_after_first() {  # prefix
  local first
  first=$(first_run_of "$1")
  [ -n "$first" ] && player_runs | grep -A1 -x "$first" | sed -n 2p
}
has_run_after_first() { [ -n "$(run_after_first "$1")" ]; }
not_logged() { ! e2e_saver_logged "$1" "${2:-}" "${3:-}"; }  # event [pid] [pattern]

# Two savers whose window has a class of its own and which close on
# WM_CLOSE: asked through their own window at every change-over, they never
# get the imitated key.
changeover_ownclass() {
  player_setup 3000 delta_close_ownclass.scr echo_close_ownclass.scr
  e2e_start 150 "$E2E_SLUMBMIX" /s
  e2e_wait_for 60 "four change-overs" player_has_runs 5
  e2e_expect_eq "ownclass: closed by WM_CLOSE, of the first four" \
    "$(for p in $(player_runs | head -n4); do player_event "$p" exit; done | grep -cx close)" 4
  e2e_expect "ownclass: no imitated key reached them" not_logged WM_KEYDOWN '' '^0xfe '
  player_expect_user_ends "ownclass: " "a saver" 40
}

# A saver that ends only on Escape, shown behind another program's ordinary
# window, which holds the foreground: its own Escape closes it, and the
# other window gets no key, neither Escape nor the imitated one.
is_golf() { named golf "$1"; }
bystander_ready() { [[ $(e2e_focus_title) == "Slumbermix test saver (bystander) pid "* ]] && e2e_saver_logged window; }
changeover_behind() {
  local bystander foxtrot
  player_setup 4000 foxtrot_escape_behind.scr golf_input_behind.scr
  e2e_install_saver "$E2E_TEST_DIR/other" bystander.exe
  e2e_start bystander 150 "$E2E_TEST_DIR/other/bystander.exe"
  e2e_wait_for 20 "the bystander's window to hold the focus" bystander_ready ||
    { e2e_fail "behind: no bystander window"; return 0; }
  bystander=$(e2e_saver_log -p window | head -n1)
  e2e_start 150 "$E2E_SLUMBMIX" /s
  e2e_wait_for 60 "a saver after the one that ends on Escape" has_run_after_first foxtrot
  foxtrot=$(first_run_of foxtrot)
  e2e_expect_eq "behind: the bystander held the foreground" \
    "$(player_event "$foxtrot" foreground)" "$(e2e_saver_log window "$bystander" | cut -d' ' -f1)"
  e2e_expect "behind: closed by its own Escape" \
    e2e_saver_logged WM_KEYDOWN "$foxtrot" '^0x1b .* honoured$'
  e2e_expect "behind: the bystander got no key" not_logged WM_KEYDOWN "$bystander"
  e2e_post_close bystander.exe
  e2e_expect_eq "behind: the bystander closed" "$(e2e_exit_code bystander 10)" 0
  player_expect_user_ends "behind: " "the saver that ends on input" 40 is_golf
}

# A saver whose window hangs: ended within 40 s of its change time, and the
# next one plays.
is_india() { named india "$1"; }
changeover_hung() {
  local hung next late
  player_setup 5000 hotel_hung.scr india_close.scr
  e2e_start 240 "$E2E_SLUMBMIX" /s
  e2e_wait_for 90 "a saver after the hung one" has_run_after_first hotel ||
    e2e_fail "hung: no saver played after it"
  hung=$(first_run_of hotel) next=$(run_after_first hotel)
  e2e_expect "hung: it stopped answering" player_has_event "$hung" hung
  e2e_expect "hung: it was ended, not closed" not_logged exit "$hung"
  if [ -n "$next" ]; then
    late=$(($(player_event_time "$next" start) - $(player_event_time "$hung" start) - 5000))
    e2e_log "hung: the next saver started $late ms after the hung one's change time"
    e2e_expect "hung: the next saver started within 40 s of the change time" test "$late" -le 40000
  fi
  # It may come again before the input reaches the other one.
  player_expect_user_ends "hung: " "the saver that closes" 120 is_india
}

changeover_row() {  # case
  e2e_use_saver_log "$E2E_TEST_DIR/$1.log"
  timeout 5 xdotool mousemove 900 700
  "changeover_$1"
}

e2e_rows changeover_row <<'ROWS'
ownclass
behind
hung
ROWS
e2e_done
