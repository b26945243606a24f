#!/usr/bin/env bash
# The x64 package under Wine's own msiexec, as an administrator runs it:
#   1. a silent install puts SLUMBMIX.SCR, this build's file, into system32
#      and registers the product in Apps and Features;
#   2. started from there with /s, it plays the other savers of system32
#      and never itself, and ends on input;
#   3. the package of the next version, installed over it, replaces it:
#      one product registered, one file;
#   4. a silent uninstall removes the file and the registration and leaves
#      the user's settings where they are.
# E2E_MSI is the build's package, E2E_MSI_NEXT the same file as the next
# version (tests/package/CMakeLists.txt).
. "$(dirname "$0")/../e2e/lib.sh"
. "$(dirname "$0")/../e2e/player_lib.sh"
. "$(dirname "$0")/package_lib.sh"
e2e_begin package.x64

SYSTEM32=$WINEPREFIX/drive_c/windows/system32
SAVERS=(pkg_alpha_close.scr pkg_bravo_close.scr)

product=$(pkg_property "$E2E_MSI" ProductCode)
version=$(pkg_property "$E2E_MSI" ProductVersion)
next_product=$(pkg_property "$E2E_MSI_NEXT" ProductCode)
next_version=$(pkg_property "$E2E_MSI_NEXT" ProductVersion)
[ -n "$product" ] && [ -n "$next_product" ] && [ "$product" != "$next_product" ] ||
  e2e_die "no distinct product codes in $E2E_MSI and $E2E_MSI_NEXT"

slumbmix_processes() {
  e2e_our_processes | awk 'tolower($2) == "slumbmix.scr"' | wc -l
}

# Whatever happens, the prefix is left without the product and the savers:
# the other tests scan system32 too.
cleanup() {
  pkg_remove "$next_product" "$product"
  for name in "${SAVERS[@]}"; do rm -f "$SYSTEM32/$name"; done
}
trap 'e2e_kill_ours; cleanup' EXIT

# ------------------------------------------------------------------ 1. install

pkg_msiexec /i "$E2E_MSI"
e2e_expect_eq "silent install, exit code" "$E2E_RC" 0
e2e_expect_eq "copies of SLUMBMIX.SCR" "$(pkg_installed_copies)" ./windows/system32/SLUMBMIX.SCR
e2e_expect "the file in system32 is this build's" cmp -s "$SYSTEM32/SLUMBMIX.SCR" "$E2E_SLUMBMIX"
e2e_expect_eq "Apps and Features: name, maker, version" "$(pkg_entry "$product" /reg:64)" \
  "Slumbermix|Brimlo|$version"

# ------------------------------------------------------------------ 2. play from system32

for name in "${SAVERS[@]}"; do e2e_install_saver "$SYSTEM32" "$name"; done
e2e_reg_add UseWinDir REG_DWORD 0 && e2e_reg_add UseSysDir REG_DWORD 1 &&
  e2e_reg_add UseExtDir REG_DWORD 0 && e2e_reg_add Random REG_DWORD 1 &&
  e2e_reg_add ChangeTime REG_DWORD 2000 || e2e_die "could not write the settings"
export SLUMBERMIX_TEST_CAP_MS=60000

e2e_start 120 'C:\windows\system32\SLUMBMIX.SCR' /s
# Two savers, then the first repeat; SLUMBMIX.SCR among the candidates would
# show as a second SLUMBMIX.SCR process for a whole play (it writes no saver
# log: this count is what sees it).
most=0
deadline=$((SECONDS + 60))
until player_has_runs 3 || [ "$SECONDS" -ge "$deadline" ] || e2e_background_ended; do
  count=$(slumbmix_processes)
  [ "$count" -le "$most" ] || most=$count
  sleep 0.1
done
e2e_expect "three plays" player_has_runs 3
e2e_expect_eq "SLUMBMIX.SCR processes at any time (it never plays itself)" "$most" 1

# Change-overs come every 2 s: the move may have to wait for the next saver.
e2e_expect "real input ended a saver" player_end_by_user 30
e2e_wait_exit 30 || e2e_fail "SLUMBMIX.SCR did not end on input"
e2e_expect_eq "exit code of SLUMBMIX.SCR" "$E2E_RC" 0

mapfile -t runs < <(player_runs)
played=$(for pid in "${runs[@]}"; do printf '%s\n' "$(player_event "$pid" start)"; done)
e2e_log "played: $(tr '\n' ';' <<<"$played")"
e2e_expect_eq "the first two plays: each saver of system32 once" \
  "$(head -n2 <<<"$played" | sort | tr '\n' '|')" \
  "$(printf 'C:\\windows\\system32\\%s\n' "${SAVERS[@]}" | sort | tr '\n' '|')"
e2e_expect_eq "plays of one of the two savers of system32, of ${#runs[@]}" \
  "$(grep -c -i -x -F -e 'C:\windows\system32\pkg_alpha_close.scr' \
    -e 'C:\windows\system32\pkg_bravo_close.scr' <<<"$played")" "${#runs[@]}"

# ------------------------------------------------------------------ 3. upgrade

settings_before=$(e2e_reg_values)
pkg_msiexec /i "$E2E_MSI_NEXT"
e2e_expect_eq "silent install of $next_version over $version, exit code" "$E2E_RC" 0
e2e_expect_eq "the older product is gone" "$(pkg_entry "$product" /reg:64)" ""
e2e_expect_eq "the newer product is registered" "$(pkg_entry "$next_product" /reg:64)" \
  "Slumbermix|Brimlo|$next_version"
e2e_expect_eq "copies of SLUMBMIX.SCR after the upgrade" "$(pkg_installed_copies)" \
  ./windows/system32/SLUMBMIX.SCR

# ------------------------------------------------------------------ 4. uninstall

pkg_msiexec /x "$E2E_MSI_NEXT"
e2e_expect_eq "silent uninstall, exit code" "$E2E_RC" 0
e2e_expect_eq "copies of SLUMBMIX.SCR after the uninstall" "$(pkg_installed_copies)" ""
e2e_expect_eq "no product registered" \
  "$(pkg_entry "$product" /reg:64)$(pkg_entry "$next_product" /reg:64)" ""
e2e_expect_eq "the user's settings stay" "$(e2e_reg_values)" "$settings_before"
e2e_expect "the settings were there to keep" test -n "$settings_before"

e2e_done
