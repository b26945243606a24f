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

product=$(pkg_property "$E2E_MSI" ProductCode)
version=$(pkg_property "$E2E_MSI" ProductVersion)
next_product=$(pkg_property "$E2E_MSI_NEXT" ProductCode)
next_version=$(pkg_property "$E2E_MSI_NEXT" ProductVersion)
[ -n "$product" ] && [ -n "$next_product" ] && [ "$product" != "$next_product" ] ||
  e2e_die "no distinct product codes in $E2E_MSI and $E2E_MSI_NEXT"

# Whatever happens, the prefix is left without the product (and, through
# e2e_install_saver, without the savers): the other tests scan system32 too.
e2e_at_exit 'pkg_remove "$next_product" "$product"'

# ------------------------------------------------------------------ 1. install

pkg_msiexec /i "$E2E_MSI"
e2e_expect_eq "silent install, exit code" "$E2E_RC" 0
e2e_expect_eq "copies of SLUMBMIX.SCR" "$(pkg_installed_copies)" ./windows/system32/SLUMBMIX.SCR
e2e_expect "the file in system32 is this build's" cmp -s "$WINEPREFIX/drive_c/windows/system32/SLUMBMIX.SCR" "$E2E_SLUMBMIX"
e2e_expect_eq "Apps and Features: name, maker, version" "$(pkg_entry "$product" /reg:64)" \
  "Slumbermix|Brimlo|$version"

# ------------------------------------------------------------------ 2. play from system32

pkg_play_from_system32

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
