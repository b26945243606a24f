#!/usr/bin/env bash
# The first start on a fresh prefix: "SLUMBMIX.SCR /s" exits with code 0 and
# leaves the program's key behind, empty. This test must see the prefix as
# wineboot made it, so it runs before every other test of the rig.
. "$(dirname "$0")/lib.sh"
e2e_begin "${E2E_TEST:-startup.fresh_prefix}"

# Run mode scans the Windows and System folders (system32 for a 64-bit
# program, syswow64 for a 32-bit one). With no screen saver there it plays
# nothing and returns, so the start ends by itself; later tests that add
# savers turn these folders off.
windows=$WINEPREFIX/drive_c/windows
savers=$(find "$windows" "$E2E_SYSDIR" -maxdepth 1 -iname '*.scr') ||
  e2e_die "cannot list the Windows and System folders of the prefix"
[ -z "$savers" ] || e2e_die "the fresh prefix already holds screen savers: $savers"
! e2e_reg_query || e2e_die "the key exists before the first start: the prefix is not fresh"
e2e_reg_not_found || e2e_die "reg query of the key failed (exit code $E2E_RC): $(cat "$E2E_OUT")"

e2e_run 60 "$E2E_SLUMBMIX" /s
e2e_expect_eq "exit code of SLUMBMIX.SCR /s" "$E2E_RC" 0
e2e_expect "no process of ours is left running" e2e_wait_no_process_of_ours 10

e2e_reg_query
e2e_expect_eq "reg query of the key after the start" "$E2E_RC" 0
e2e_expect_eq "values under the key" "$(e2e_reg_values | wc -l)" 0
e2e_run 30 reg query "$E2E_KEY" /s
e2e_expect_eq "reg query /s of the key" "$E2E_RC" 0
e2e_expect_eq "subkeys under the key" "$(grep -ci 'Slumbermix\\' "$E2E_OUT")" 0

# A second start finds the key and still adds nothing to it.
e2e_run 60 "$E2E_SLUMBMIX" -S
e2e_expect_eq "exit code of SLUMBMIX.SCR -S" "$E2E_RC" 0
e2e_reg_query
e2e_expect_eq "reg query of the key after a second start" "$E2E_RC" 0
e2e_expect_eq "values under the key after a second start" "$(e2e_reg_values | wc -l)" 0

e2e_done
