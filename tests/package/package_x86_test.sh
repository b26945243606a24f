#!/usr/bin/env bash
# The x86 package on 64-bit Windows (the rig's 64-bit prefix, Wine's own
# msiexec): its launch condition declines the install, which fails
# with 1603 before anything is written; neither the file nor a product
# registration appears. E2E_MSI is the build's package.
. "$(dirname "$0")/../e2e/lib.sh"
. "$(dirname "$0")/package_lib.sh"
e2e_begin package.x86

product=$(pkg_property "$E2E_MSI" ProductCode)
[ -n "$product" ] || e2e_die "no product code in $E2E_MSI"
e2e_at_exit 'pkg_remove "$product"'

pkg_msiexec /i "$E2E_MSI"
e2e_expect_eq "exit code: 1603, the install failed" "$E2E_RC" $((1603 & 255))
log=$E2E_TEST_DIR/msiexec.log
e2e_expect "the launch conditions ran" grep -a -q "Action start .*: LaunchConditions\." "$log"
e2e_expect "no file was installed" test -z "$(grep -a "Action start .*: InstallFiles\." "$log")"
e2e_expect_eq "copies of SLUMBMIX.SCR" "$(pkg_installed_copies)" ""
e2e_expect_eq "no product registered, in either registry view" \
  "$(pkg_entry "$product" /reg:32)$(pkg_entry "$product" /reg:64)" ""

e2e_done
