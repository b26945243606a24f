#!/usr/bin/env bash
# A signed release, as a maintainer with a code-signing certificate makes it,
# built once from HEAD in the test's folder (that takes minutes):
#   1. a throw-away self-signed certificate (openssl, valid for a day) signs
#      a release made with scripts/release --sign and --winget-url;
#   2. osslsigncode verifies the signatures of all four files against that
#      certificate, and rejects a copy with one byte changed;
#   3. each package's tables describe the signed file, which it holds;
#      SHA256SUMS covers the files as shipped; the winget manifests pass
#      winget's schemas and match the packages;
#   4. the signed x64 package installs under Wine's msiexec, puts the
#      signed file into system32, which plays a rotation, and uninstalls;
#   5. a wrong password and a missing certificate stop the release with a
#      clear message, leaving the release as it was.
# E2E_ICON is the build's icon, E2E_WINGET_SCHEMAS winget's JSON schemas.
. "$(dirname "$0")/../e2e/lib.sh"
. "$(dirname "$0")/../e2e/player_lib.sh"
. "$(dirname "$0")/package_lib.sh"
e2e_begin package.signed

here=$(dirname "$0")
release=$here/../../scripts/release
dist=$E2E_TEST_DIR/dist
url=https://downloads.example.org/slumbermix/
password='throw-away password'
key=$E2E_TEST_DIR/signer
# Debian's interpreter, whose modules scripts/setup installs (python3-yaml,
# python3-jsonschema): another python3 may come first on PATH.
python=/usr/bin/python3

# Runs scripts/release with the given password and arguments into $dist;
# its output goes to $E2E_TEST_DIR/release.log, its exit code to E2E_RC.
run_release() {  # password args...
  local secret=$1
  shift
  E2E_RC=0
  SIGN_PASSWORD=$secret timeout -k 10 1200 "$release" --dist "$dist" --work "$E2E_TEST_DIR/work" \
    "$@" >"$E2E_TEST_DIR/release.log" 2>&1 || E2E_RC=$?
}

# ------------------------------------------------------------------ 1. sign a release

openssl req -x509 -newkey rsa:2048 -nodes -days 1 -subj "/CN=Slumbermix test signer" \
  -addext "keyUsage=critical,digitalSignature" -addext "extendedKeyUsage=codeSigning" \
  -keyout "$key.key" -out "$key.pem" 2>"$E2E_TEST_DIR/openssl.log" &&
  printf '%s\n' "$password" | openssl pkcs12 -export -inkey "$key.key" -in "$key.pem" \
    -out "$key.pfx" -passout stdin 2>>"$E2E_TEST_DIR/openssl.log" ||
  e2e_die "openssl could not make the certificate: $(cat "$E2E_TEST_DIR/openssl.log")"

run_release "$password" --sign "$key.pfx" --winget-url "$url"
[ "$E2E_RC" -eq 0 ] || e2e_die "scripts/release --sign exited with $E2E_RC: $(tail -n 30 "$E2E_TEST_DIR/release.log")"
e2e_log "$(tail -n 12 "$E2E_TEST_DIR/release.log")"
e2e_expect_eq "lines of the release's output that show the password" \
  "$(grep -c -F -- "$password" "$E2E_TEST_DIR/release.log")" 0

x64_msi=$(cd "$dist" && ls Slumbermix-*-x64.msi)
x86_msi=$(cd "$dist" && ls Slumbermix-*-x86.msi)
signed=(x64/SLUMBMIX.SCR x86/SLUMBMIX.SCR "$x64_msi" "$x86_msi")

# ------------------------------------------------------------------ 2. the signatures

verify() {  # file
  osslsigncode verify -CAfile "$key.pem" -in "$1" >"$E2E_TEST_DIR/verify.log" 2>&1
}
verify_fails() { ! verify "$1"; }
for file in "${signed[@]}"; do
  e2e_expect "$file: a valid signature by the test certificate" verify "$dist/$file"
  e2e_expect "$file: signed as Slumbermix" grep -q -x -e $'\tText description: Slumbermix' \
    "$E2E_TEST_DIR/verify.log"
  e2e_expect_eq "$file: digests" \
    "$(sed -n 's/^Message digest algorithm *: //p' "$E2E_TEST_DIR/verify.log" | sort -u)" SHA256
done

# A copy with one byte changed: in the middle of the file, and in the
# package within its cabinet, a stream the signature covers.
tampered() {  # file offset
  local copy=$E2E_TEST_DIR/tampered.${1##*.} byte
  cp "$dist/$1" "$copy"
  byte=$(od -An -tu1 -j "$2" -N1 "$copy" | tr -d ' ')
  printf "\\$(printf '%03o' $((byte ^ 0x20)))" | dd of="$copy" bs=1 seek="$2" conv=notrunc status=none
  e2e_expect_eq "$1 with one byte changed: bytes that differ" "$(cmp -l "$dist/$1" "$copy" | wc -l)" 1
  e2e_expect "$1 with one byte changed fails verification" verify_fails "$copy"
}
tampered x64/SLUMBMIX.SCR $(($(stat -c %s "$dist/x64/SLUMBMIX.SCR") / 2))
# Without the cabinet's marker the byte would fall into the package's own
# header, and any broken file fails verification.
cabinet=$(grep -obUa MSCF "$dist/$x64_msi" | head -n1 | cut -d: -f1)
if [ -n "$cabinet" ]; then
  tampered "$x64_msi" $((cabinet + 200))
else
  e2e_fail "$x64_msi: no cabinet (MSCF) found to change a byte in"
fi

# ------------------------------------------------------------------ 3. what the packages hold

"$python" "$here/check_package.py" tables "$dist/$x64_msi" "$dist/x64/SLUMBMIX.SCR" "$E2E_ICON" x64 >&2
e2e_expect_eq "the x64 package describes and holds the signed file" "$?" 0
"$python" "$here/check_package.py" tables "$dist/$x86_msi" "$dist/x86/SLUMBMIX.SCR" "$E2E_ICON" x86 >&2
e2e_expect_eq "the x86 package describes and holds the signed file" "$?" 0
e2e_expect "SHA256SUMS checks the signed files" \
  bash -c 'cd "$1" && sha256sum --quiet --strict -c SHA256SUMS' sums "$dist"
e2e_expect_eq "SHA256SUMS lists" "$(awk '{ print $2 }' "$dist/SHA256SUMS" | tr '\n' ' ')" \
  "LICENSE README.md $x64_msi $x86_msi x64/SLUMBMIX.SCR x86/SLUMBMIX.SCR "
"$python" "$here/check_package.py" winget "$dist" "$url" "$E2E_WINGET_SCHEMAS" >&2
winget=$?
if [ "$winget" -eq 77 ]; then
  E2E_UNCHECKED="winget's schemas (no folder $E2E_WINGET_SCHEMAS)"
else
  e2e_expect_eq "the winget manifests: winget's schemas, and the packages" "$winget" 0
fi

# ------------------------------------------------------------------ 4. install and play

product=$(pkg_property "$dist/$x64_msi" ProductCode)
[ -n "$product" ] || e2e_die "no product code in $dist/$x64_msi"
e2e_at_exit 'pkg_remove "$product"'

pkg_msiexec /i "$dist/$x64_msi"
e2e_expect_eq "silent install of the signed package, exit code" "$E2E_RC" 0
e2e_expect "the file in system32 is the signed one" \
  cmp -s "$WINEPREFIX/drive_c/windows/system32/SLUMBMIX.SCR" "$dist/x64/SLUMBMIX.SCR"
e2e_expect_eq "Apps and Features: name, maker, version" "$(pkg_entry "$product" /reg:64)" \
  "Slumbermix|Brimlo|$(pkg_property "$dist/$x64_msi" ProductVersion)"
pkg_play_from_system32
pkg_msiexec /x "$dist/$x64_msi"
e2e_expect_eq "silent uninstall, exit code" "$E2E_RC" 0
e2e_expect_eq "copies of SLUMBMIX.SCR after the uninstall" "$(pkg_installed_copies)" ""
e2e_expect_eq "no product registered" "$(pkg_entry "$product" /reg:64)" ""

# ------------------------------------------------------------------ 5. certificates that fail

snapshot() { (cd "$dist" && find . -type f -printf '%P\n' | LC_ALL=C sort | xargs sha256sum); }
before=$(snapshot)
run_release "wrong $password" --sign "$key.pfx"
e2e_expect "a wrong password stops the release" test "$E2E_RC" -ne 0
e2e_expect "... saying so" grep -q "cannot open .*signer.pfx with the password in SIGN_PASSWORD: wrong password" \
  "$E2E_TEST_DIR/release.log"
e2e_expect_eq "... and the release is as it was" "$(snapshot)" "$before"
run_release "$password" --sign "$E2E_TEST_DIR/missing.pfx"
e2e_expect "a missing certificate stops the release" test "$E2E_RC" -ne 0
e2e_expect "... saying so" grep -q "no certificate file .*missing.pfx" "$E2E_TEST_DIR/release.log"
e2e_expect_eq "... and the release is as it was" "$(snapshot)" "$before"

e2e_done
