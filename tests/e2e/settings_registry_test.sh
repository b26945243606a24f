#!/usr/bin/env bash
# The settings store over Wine's registry: values of every shape are loaded
# by the store (through the probe, which links the store and the Win32
# platform), and what the store saves is what reg and a later load see.
. "$(dirname "$0")/lib.sh"
e2e_begin "${E2E_TEST:-settings.registry}"

# Runs the probe; its output is added to the row's.
probe() {  # arguments...
  e2e_run 30 "$E2E_PROBE" "$@"
  [ "$E2E_RC" -eq 0 ] || { e2e_fail "$case: probe ${1:-} exited with $E2E_RC: $(cat "$E2E_ERR")"; return 1; }
  cat "$E2E_OUT" >>"$out"
}

# Writes the row's values (none: an empty key; "keep": the key as the row
# before left it), runs the probe with its arguments (fields set before the
# load, or "save ...", followed by "stored"), and compares the expected
# fields of its output (Field=value, Field.length=n, Field.stored=type/size)
# and of reg's view (reg.Name=TYPE|data, reg.count=n).
settings_row() {  # case values... -- probe-arguments... -- expected...
  local case=$1 values=() arguments=() out=$E2E_TEST_DIR/probe.out expected key got what
  shift
  while [ "$1" != -- ]; do values+=("$1"); shift; done
  shift
  while [ "$1" != -- ]; do arguments+=("$1"); shift; done
  shift
  e2e_log "-- $case"
  [ "${values[*]}" == keep ] || e2e_settings "${values[@]}" ||
    { e2e_fail "$case: the values could not be written"; return 1; }
  : >"$out"
  probe "${arguments[@]}" || return 1
  [ "${arguments[0]:-}" != save ] || probe stored || return 1
  for expected in "$@"; do
    key=${expected%%=*} what=$key
    case $key in
    reg.count) got=$(e2e_reg_values | wc -l) what="number of values" ;;
    reg.*) got=$(e2e_reg_value "${key#reg.}") got=${got#*|} what="reg's ${key#reg.}" ;;
    *.stored) got=$(e2e_value_seen "$key" "$out") what="stored ${key%.stored}" ;;
    *) got=$(e2e_value_seen "$key" "$out") ;;
    esac
    e2e_expect_eq "$case: $what" "$got" "${expected#*=}"
  done
}

# Every field starts at -1 (all bytes 0xff) in the rows that give these, so
# that a short value shows which bytes it replaced and a refused one shows
# that nothing changed.
minus_one='UseWinDir=-1 UseSysDir=-1 UseExtDir=-1 ExtSubDir=-1 Random=-1 ChangeTime=-1 DisableDWM=-1'
s259=C:\\$(e2e_repeat 23 'Slumber Mix\')
s259=${s259:0:259}
s260=${s259}y
s261=${s260}z
hex_a=$(e2e_hex "$(e2e_repeat 260 A)")  # 260 x "A", no NUL
stars='C:\Savers\Stars.scr'
dwords=$(for name in UseWinDir UseSysDir UseExtDir ExtSubDir Random ChangeTime DisableDWM; do
  printf '%s.stored=4/4 ' "$name"; done)

# The 32-bit fields take up to 4 bytes of any type, replacing their first
# bytes; longer values change nothing. A string is read with its NUL ("a":
# 61 00 ff ff; "abc": 4 bytes; "abcd": 5, refused), REG_NONE as the 2 zero
# bytes "reg add" writes for it (00 00 ff ff), REG_EXPAND_SZ unexpanded
# (25 78 25 00), REG_MULTI_SZ "a", "b" with its 5 bytes refused. The
# 260-byte fields take 259 characters and a NUL; 260 bytes without a NUL end
# in a NUL at byte 260; 261 are refused; short values replace only their
# bytes ("XYX" over "keep"); a REG_DWORD gives its 4 bytes.
e2e_rows settings_row <<'ROWS'
"REG_DWORD values are taken as they are" UseWinDir=dword:0 UseSysDir=dword:0 UseExtDir=dword:1 ExtSubDir=dword:1 Random=dword:0 ChangeTime=dword:0x7fffffff DisableDWM=dword:0x80000000 -- -- UseWinDir=0 UseSysDir=0 UseExtDir=1 ExtSubDir=1 Random=0 ChangeTime=2147483647 DisableDWM=-2147483648
"an empty key leaves the defaults" -- -- UseWinDir=1 UseSysDir=1 UseExtDir=0 ExtSubDir=0 Random=1 ChangeTime=180000 DisableDWM=1 ExtDir= DefSaver=
"up to 4 bytes of any type replace the first bytes; longer values change nothing" UseWinDir=binary:34,12 UseSysDir=binary:01,02,03,04,05 UseExtDir=sz:a ExtSubDir=sz:abc Random=sz:abcd ChangeTime=binary: 'DisableDWM=hex(b):05,00,00,00,00,00,00,00' -- $minus_one -- UseWinDir=$((0xffff1234 - 0x100000000)) UseSysDir=-1 UseExtDir=$((0xffff0061 - 0x100000000)) ExtSubDir=$((0x00636261)) Random=-1 ChangeTime=-1 DisableDWM=-1
"other types in the 32-bit fields" UseWinDir=binary:78,56,34,12 'UseSysDir=hex(0):00,00' 'UseExtDir=hex(2):25,78,25,00' 'ExtSubDir=hex(7):61,00,62,00,00' Random=dword:0xfffffffe -- $minus_one -- UseWinDir=$((0x12345678)) UseSysDir=$((0xffff0000 - 0x100000000)) UseExtDir=$((0x00257825)) ExtSubDir=-1 Random=-2 ChangeTime=-1 DisableDWM=-1
"REG_SZ of 259 characters fits with its NUL; 260 and 261 do not" "ExtDir=sz:$s259" "DefSaver=sz:$s260" -- ExtDir=keep DefSaver=keep -- "ExtDir=$s259" ExtDir.length=259 DefSaver=keep
"REG_SZ of 261 characters is refused; an empty one is read" "ExtDir=sz:$s261" DefSaver=sz: -- ExtDir=keep DefSaver=keep -- ExtDir=keep DefSaver= DefSaver.length=0
"260 bytes without a NUL end in a NUL at byte 260; 261 bytes are refused" "ExtDir=binary:$hex_a" "DefSaver=binary:$hex_a,41" -- ExtDir=keep DefSaver=keep -- "ExtDir=$(e2e_repeat 259 A)" ExtDir.length=259 DefSaver=keep
"260 bytes with a NUL inside; short values replace only their bytes" "ExtDir=binary:$(e2e_hex "$(e2e_repeat 100 A)"),00,$(e2e_hex "$(e2e_repeat 159 B)")" DefSaver=binary:58,59,58 -- ExtDir=keep DefSaver=keep -- "ExtDir=$(e2e_repeat 100 A)" ExtDir.length=100 DefSaver=XYXp
"a REG_DWORD in a string field gives its 4 bytes" ExtDir=dword:0x00434241 DefSaver=dword:0x44434241 -- ExtDir=keep DefSaver=keep -- ExtDir=ABC DefSaver=ABCD
"a saved record: types, sizes and reg's view" -- save UseWinDir=0 UseSysDir=1 UseExtDir=1 ExtSubDir=1 "ExtDir=$s259" Random=0 ChangeTime=-1 DisableDWM=0 "DefSaver=$stars" -- $dwords ExtDir.stored=1/260 DefSaver.stored=1/20 'reg.ChangeTime=REG_DWORD|0xffffffff' 'reg.UseExtDir=REG_DWORD|0x1' "reg.DefSaver=REG_SZ|$stars" "reg.ExtDir=REG_SZ|$s259" reg.count=9
"a saved record, loaded over one that differs in every field, comes back whole" keep -- $minus_one ExtDir=other DefSaver=other -- UseWinDir=0 UseSysDir=1 UseExtDir=1 ExtSubDir=1 "ExtDir=$s259" Random=0 ChangeTime=-1 DisableDWM=0 "DefSaver=$stars"
"saving rewrites awkward values in their proper types" "ExtDir=binary:$hex_a" DefSaver=dword:0x00434241 ChangeTime=sz:a -- save -- ExtDir.stored=1/260 DefSaver.stored=1/4 ChangeTime.stored=4/4 'reg.ChangeTime=REG_DWORD|0x20061'
"empty strings are saved as their NUL alone" -- save -- ExtDir.stored=1/1 DefSaver.stored=1/1
ROWS

e2e_done
