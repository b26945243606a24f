# Helpers of the package tests under Wine; sourced after lib.sh.

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
