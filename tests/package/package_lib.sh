# Helpers of the package tests under Wine; sourced after lib.sh (and, for
# pkg_play_from_system32, player_lib.sh).

PKG_UNINSTALL='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'

# A value of a package's Property table (msiinfo writes CR LF lines).
pkg_property() {  # package name
  msiinfo export "$1" Property | tr -d '\r' | awk -F'\t' -v name="$2" '$1 == name { print $2 }'
}

# Wine's msiexec on a package, silent, logging to $E2E_TEST_DIR/msiexec.log;
# its exit code is E2E_RC, of which Wine hands on only the low 8 bits (1603,
# a failed install, is 67).
pkg_msiexec() {  # /i|/x package
  e2e_run 120 msiexec "$1" "$(e2e_winpath "$2")" /qn /l*v "$(e2e_winpath "$E2E_TEST_DIR/msiexec.log")"
  [ "$E2E_RC" -eq 0 ] || e2e_log "msiexec $1 $2 exited with $E2E_RC; its log: $E2E_TEST_DIR/msiexec.log"
}

# "name|maker|version" of a product's Apps and Features entry in a registry
# view, read in one query, or nothing when reg found no entry; a 64-bit
# package registers in the 64-bit view, a 32-bit one in the 32-bit view.
# A query that failed otherwise prints what reg said, which no check takes
# for an entry or for its absence.
pkg_entry() {  # product-code /reg:32|/reg:64
  e2e_run 30 reg query "$PKG_UNINSTALL\\$1" "$2"
  if [ "$E2E_RC" -ne 0 ]; then
    e2e_reg_not_found && return 0
    echo "reg query $2 failed (exit code $E2E_RC): $(cat "$E2E_OUT" "$E2E_ERR" | tr '\n' ' ')"
    return 0
  fi
  local got
  got=$(awk '$2 ~ /^REG_/ { value = $0; sub(/^ *[^ ]+ +REG_[A-Z_]+ */, "", value); v[$1] = value }
       END { print v["DisplayName"] "|" v["Publisher"] "|" v["DisplayVersion"] }' "$E2E_OUT")
  # A value missing from an entry that is there: what reg printed, whole.
  case $got in *"||"* | "|"* | *"|") e2e_log "reg query of $1's entry printed: $(cat "$E2E_OUT")" ;; esac
  echo "$got"
}

# Every SLUMBMIX.SCR on the prefix's drive C, relative to it; a failed
# search says so, which no check takes for none.
pkg_installed_copies() {
  (cd "$WINEPREFIX/drive_c" && find . -iname slumbmix.scr | sort) ||
    echo "could not search drive C for SLUMBMIX.SCR"
}

# Removes the given products, whatever state a failed test left them in.
pkg_remove() {  # product-code...
  local code
  for code in "$@"; do e2e_run 120 msiexec /x "$code" /qn; done
}

# ------------------------------------------------------------------ playing from system32

# The test savers that pkg_play_from_system32 puts into system32 (and
# e2e_install_saver takes out again when the test ends).
PKG_SAVERS=(pkg_alpha_close.scr pkg_bravo_close.scr)

pkg_slumbmix_processes() {
  e2e_our_processes | awk 'tolower($2) == "slumbmix.scr"' | wc -l
}

# The installed C:\windows\system32\SLUMBMIX.SCR started with /s, with two
# test savers beside it and system32 the only folder scanned: it plays each
# of them once, then again, never itself, and ends on input. Leaves the
# settings it wrote in place.
pkg_play_from_system32() {
  local name
  for name in "${PKG_SAVERS[@]}"; do e2e_install_saver "$WINEPREFIX/drive_c/windows/system32" "$name"; done
  e2e_reg_write "$E2E_KEY" UseWinDir=dword:0 UseSysDir=dword:1 UseExtDir=dword:0 Random=dword:1 \
    ChangeTime=dword:2000 || e2e_die "could not write the settings"
  export SLUMBERMIX_TEST_CAP_MS=60000

  e2e_start 120 'C:\windows\system32\SLUMBMIX.SCR' /s
  # Two savers, then the first repeat; SLUMBMIX.SCR among the candidates would
  # show as a second SLUMBMIX.SCR process for a whole play (it writes no saver
  # log: this count is what sees it).
  local most=0 count deadline=$((SECONDS + 60))
  until player_has_runs 3 || [ "$SECONDS" -ge "$deadline" ] || e2e_background_ended; do
    count=$(pkg_slumbmix_processes)
    [ "$count" -le "$most" ] || most=$count
    sleep 0.1
  done
  e2e_expect "three plays" player_has_runs 3
  e2e_expect_eq "SLUMBMIX.SCR processes at any time (it never plays itself)" "$most" 1

  # Change-overs come every 2 s: the move may have to wait for the next saver.
  player_expect_user_ends '' "a saver" 30

  local runs played pid
  mapfile -t runs < <(player_runs)
  played=$(for pid in "${runs[@]}"; do printf '%s\n' "$(player_event "$pid" start)"; done)
  e2e_log "played: $(tr '\n' ';' <<<"$played")"
  e2e_expect_eq "the first two plays: each saver of system32 once" \
    "$(head -n2 <<<"$played" | sort | tr '\n' '|')" \
    "$(printf 'C:\\windows\\system32\\%s\n' "${PKG_SAVERS[@]}" | sort | tr '\n' '|')"
  e2e_expect_eq "plays of one of the two savers of system32, of ${#runs[@]}" \
    "$(grep -c -i -x -F -e 'C:\windows\system32\pkg_alpha_close.scr' \
      -e 'C:\windows\system32\pkg_bravo_close.scr' <<<"$played")" "${#runs[@]}"
}
