#!/usr/bin/env bash
# Static checks of a built SLUMBMIX.SCR, one aspect per call:
#
#   check_pe.sh format    OBJDUMP FILE i386|x86-64   PE32/i386 or PE32+/x86-64
#   check_pe.sh subsystem OBJDUMP FILE               Windows GUI
#   check_pe.sh imports   OBJDUMP FILE               Windows' known DLLs only
#   check_pe.sh characteristics OBJDUMP FILE         Terminal-Services-aware, DEP, ASLR
#
# The one file must be the whole installation, so it may import nothing but
# DLLs every Windows has; a C++ runtime DLL (libstdc++, libgcc, winpthread)
# in the import table would make it fail to start on a clean machine. And
# the loader resolves imports before the program can say where to look: a
# DLL that is not one of the known DLLs, which Windows always takes from
# System32, would be looked for first in the folder the file was started
# from, a Downloads folder say. comctl32 is the exception: the manifest
# sends it to the side-by-side store.
#
# Without TERMINAL_SERVER_AWARE a Remote Desktop host gives the program a
# private per-user Windows folder in place of the real one, which the scan
# and the dialog then show; NX_COMPAT and DYNAMIC_BASE are the defaults the
# toolchain gives every program and stay.
set -euo pipefail

check=$1 objdump=$2 file=$3 arch=${4:-}

fail() { echo "FAIL: $file: $*" >&2; exit 1; }

[ -f "$file" ] || fail "no such file"
headers=$("$objdump" -p "$file") || fail "$objdump -p could not read it"

case $check in
format)
  case $arch in
    i386) want_format=pei-i386 want_magic='010b	(PE32)' want_machine=014c ;;
    x86-64) want_format=pei-x86-64 want_magic='020b	(PE32+)' want_machine=8664 ;;
    *) fail "unknown architecture '$arch'" ;;
  esac
  grep -q "file format $want_format\$" <<<"$headers" ||
    fail "file format is not $want_format: $(grep -m1 'file format' <<<"$headers")"
  grep -qP "^Magic\t+\Q$want_magic\E\$" <<<"$headers" ||
    fail "optional header magic is not $want_magic: $(grep -m1 '^Magic' <<<"$headers")"
  # The COFF machine field, read from the file itself by the reader the
  # resource checks use, which fails without the MZ and PE signatures.
  machine=$(python3 -c 'import sys; sys.path[0] = sys.argv[1]; import pe_resources as pe
print(f"{pe.Module(sys.argv[2]).machine:04x}")' "$(dirname "$0")/../resources" "$file") ||
    fail "not a PE file"
  [ "$machine" = "$want_machine" ] || fail "machine is 0x$machine, not 0x$want_machine"
  echo "ok: $want_format, $want_magic, machine 0x$machine"
  ;;
subsystem)
  line=$(grep -m1 -P '^Subsystem\t' <<<"$headers") || fail "no subsystem field"
  grep -qP '^Subsystem\t+00000002\t\(Windows GUI\)$' <<<"$line" || fail "$line"
  echo "ok: $line"
  ;;
imports)
  mapfile -t dlls < <(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$headers")
  [ ${#dlls[@]} -gt 0 ] || fail "no import table found"
  bad=()
  for dll in "${dlls[@]}"; do
    case ${dll,,} in
      # Known DLLs (HKLM\System\CurrentControlSet\Control\Session Manager\KnownDLLs)
      # that a self-contained Win32 program may use, and comctl32.
      kernel32.dll | user32.dll | gdi32.dll | advapi32.dll | shell32.dll | comctl32.dll | \
      ole32.dll | oleaut32.dll | msvcrt.dll | imm32.dll | comdlg32.dll | shlwapi.dll) ;;
      libstdc++* | libgcc* | libwinpthread*) bad+=("$dll (C++ runtime)") ;;
      *) bad+=("$dll") ;;
    esac
  done
  printf '%s\n' "${dlls[@]}" | grep -qix kernel32.dll || bad+=("(kernel32.dll missing)")
  [ ${#bad[@]} -eq 0 ] || fail "imports outside the system DLLs: ${bad[*]}"
  echo "ok: imports ${dlls[*]}"
  ;;
characteristics)
  value=$(grep -m1 -oP '^DllCharacteristics\t+\K[0-9a-fA-F]+$' <<<"$headers") ||
    fail "no DllCharacteristics field"
  # TERMINAL_SERVER_AWARE 0x8000, NX_COMPAT 0x100, DYNAMIC_BASE 0x40
  missing=$((~0x$value & 0x8140))
  [ "$missing" -eq 0 ] || fail "DllCharacteristics 0x$value lacks $(printf '0x%04x' "$missing")"
  echo "ok: DllCharacteristics 0x$value"
  ;;
*)
  fail "unknown check '$check'"
  ;;
esac
