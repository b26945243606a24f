#!/usr/bin/env bash
# The settings store over Wine's registry: values of every shape that
# "reg add" can write are loaded by the store (through settings_probe, which
# links the store and the Win32 platform), and what the store saves is what
# reg and a later load see.
. "$(dirname "$0")/lib.sh"
e2e_begin "${E2E_TEST:-settings.registry}"

CASE=''

# Starts a case on an empty key.
begin_case() {
  CASE=$1
  e2e_log "-- $CASE"
  e2e_reg_delete
}

add() {  # name type data
  e2e_reg_add "$@" || e2e_fail "$CASE: reg add $1 $2 failed"
}

# Runs the probe (arguments: fields set before the load, or "save ...");
# its record is in $E2E_OUT.
probe() {
  e2e_run 30 "$E2E_PROBE" "$@"
  [ "$E2E_RC" -eq 0 ] || e2e_fail "$CASE: settings_probe $1 exited with $E2E_RC: $(cat "$E2E_ERR")"
}

expect() {  # field expected-value   (a record line "field=value" of the last probe)
  local line
  line=$(grep -m1 "^$1=" "$E2E_OUT")
  e2e_expect_eq "$CASE: $1" "${line#*=}" "$2"
}

repeat() {  # text count
  local out='' i
  for ((i = 0; i < $2; i++)); do out+=$1; done
  printf '%s' "$out"
}

all_fields_minus_one='UseWinDir=-1 UseSysDir=-1 UseExtDir=-1 ExtSubDir=-1 Random=-1 ChangeTime=-1 DisableDWM=-1'

# ------------------------------------------------------------------ 32-bit fields

begin_case "REG_DWORD values are taken as they are"
add UseWinDir REG_DWORD 0
add UseSysDir REG_DWORD 0
add UseExtDir REG_DWORD 1
add ExtSubDir REG_DWORD 1
add Random REG_DWORD 0
add ChangeTime REG_DWORD 0x7fffffff
add DisableDWM REG_DWORD 0x80000000
probe
expect UseWinDir 0
expect UseSysDir 0
expect UseExtDir 1
expect ExtSubDir 1
expect Random 0
expect ChangeTime 2147483647
expect DisableDWM -2147483648

begin_case "an empty key leaves the defaults"
probe
expect UseWinDir 1
expect UseSysDir 1
expect UseExtDir 0
expect ExtSubDir 0
expect Random 1
expect ChangeTime 180000
expect DisableDWM 1
expect ExtDir ''
expect DefSaver ''

# Every field starts at -1 (all bytes 0xff), so that a short value shows
# which bytes it replaced and a refused one shows that nothing changed.
begin_case "up to 4 bytes of any type replace the first bytes; longer values change nothing"
add UseWinDir REG_BINARY 3412          # 2 bytes: 34 12 ff ff
add UseSysDir REG_BINARY 0102030405    # 5 bytes: refused
add UseExtDir REG_SZ a                 # "a" and its NUL: 61 00 ff ff
add ExtSubDir REG_SZ abc               # 4 bytes: 61 62 63 00
add Random REG_SZ abcd                 # 5 bytes: refused
add ChangeTime REG_BINARY ''           # 0 bytes: nothing to copy
add DisableDWM REG_QWORD 5             # 8 bytes: refused
probe $all_fields_minus_one
expect UseWinDir $((0xffff1234 - 0x100000000))
expect UseSysDir -1
expect UseExtDir $((0xffff0061 - 0x100000000))
expect ExtSubDir $((0x00636261))
expect Random -1
expect ChangeTime -1
expect DisableDWM -1

begin_case "other types in the 32-bit fields"
add UseWinDir REG_BINARY 78563412      # 4 bytes, little-endian 0x12345678
add UseSysDir REG_NONE ''              # reg stores 2 zero bytes: 00 00 ff ff
add UseExtDir REG_EXPAND_SZ '%x%'      # 4 bytes, not expanded: 25 78 25 00
add ExtSubDir REG_MULTI_SZ 'a\0b'      # a 00 b 00 00: 5 bytes, refused
add Random REG_DWORD 0xfffffffe
probe $all_fields_minus_one
expect UseWinDir $((0x12345678))
expect UseSysDir $((0xffff0000 - 0x100000000))
expect UseExtDir $((0x00257825))
expect ExtSubDir -1
expect Random -2
expect ChangeTime -1
expect DisableDWM -1

# ------------------------------------------------------------------ 260-byte fields

s259=C:\\$(repeat 'Slumber Mix\' 23)
s259=${s259:0:259}
s260=${s259}y
s261=${s260}z

begin_case "REG_SZ of 259 characters fits with its NUL; 260 and 261 do not"
add ExtDir REG_SZ "$s259"
add DefSaver REG_SZ "$s260"
probe ExtDir=keep DefSaver=keep
expect ExtDir "$s259"
expect ExtDir.length 259
expect DefSaver keep

begin_case "REG_SZ of 261 characters is refused; an empty one is read"
add ExtDir REG_SZ "$s261"
add DefSaver REG_SZ ''
probe ExtDir=keep DefSaver=keep
expect ExtDir keep
expect DefSaver ''
expect DefSaver.length 0

hex_a=$(repeat 41 260)                               # 260 x "A", no NUL
begin_case "260 bytes without a NUL end in a NUL at byte 260; 261 bytes are refused"
add ExtDir REG_BINARY "$hex_a"
add DefSaver REG_BINARY "${hex_a}41"
probe ExtDir=keep DefSaver=keep
expect ExtDir "$(repeat A 259)"
expect ExtDir.length 259
expect DefSaver keep

begin_case "260 bytes with a NUL inside; short values replace only their bytes"
add ExtDir REG_BINARY "$(repeat 41 100)00$(repeat 42 159)"
add DefSaver REG_BINARY 585958         # "XYX" without a NUL over "keep"
probe ExtDir=keep DefSaver=keep
expect ExtDir "$(repeat A 100)"
expect ExtDir.length 100
expect DefSaver XYXp

begin_case "a REG_DWORD in a string field gives its 4 bytes"
add ExtDir REG_DWORD 0x00434241        # 41 42 43 00
add DefSaver REG_DWORD 0x44434241      # 41 42 43 44 over "keep", whose NUL ends it
probe ExtDir=keep DefSaver=keep
expect ExtDir ABC
expect DefSaver ABCD

# ------------------------------------------------------------------ saving

begin_case "a saved record: types, sizes and reg's view"
probe save UseWinDir=0 UseSysDir=1 UseExtDir=1 ExtSubDir=1 "ExtDir=$s259" Random=0 \
  ChangeTime=-1 DisableDWM=0 'DefSaver=C:\Savers\Stars.scr'
probe stored
for name in UseWinDir UseSysDir UseExtDir ExtSubDir Random ChangeTime DisableDWM; do
  expect_stored=$(grep -m1 "^$name " "$E2E_OUT")
  e2e_expect_eq "$CASE: stored $name" "$expect_stored" "$name type=4 size=4"
done
e2e_expect_eq "$CASE: stored ExtDir" "$(grep -m1 '^ExtDir ' "$E2E_OUT")" "ExtDir type=1 size=260"
e2e_expect_eq "$CASE: stored DefSaver" "$(grep -m1 '^DefSaver ' "$E2E_OUT")" \
  "DefSaver type=1 size=20"
values=$(e2e_reg_values)
e2e_expect_eq "$CASE: reg's ChangeTime" "$(grep '^ChangeTime|' <<<"$values")" \
  'ChangeTime|REG_DWORD|0xffffffff'
e2e_expect_eq "$CASE: reg's UseExtDir" "$(grep '^UseExtDir|' <<<"$values")" \
  'UseExtDir|REG_DWORD|0x1'
e2e_expect_eq "$CASE: reg's DefSaver" "$(grep '^DefSaver|' <<<"$values")" \
  'DefSaver|REG_SZ|C:\Savers\Stars.scr'
e2e_expect_eq "$CASE: reg's ExtDir" "$(grep '^ExtDir|' <<<"$values")" "ExtDir|REG_SZ|$s259"
e2e_expect_eq "$CASE: number of values" "$(wc -l <<<"$values")" 9
# Loaded over a record that differs in every field, it comes back whole.
probe $all_fields_minus_one ExtDir=other DefSaver=other
expect UseWinDir 0
expect UseSysDir 1
expect UseExtDir 1
expect ExtSubDir 1
expect ExtDir "$s259"
expect Random 0
expect ChangeTime -1
expect DisableDWM 0
expect DefSaver 'C:\Savers\Stars.scr'

begin_case "saving rewrites awkward values in their proper types"
add ExtDir REG_BINARY "$hex_a"
add DefSaver REG_DWORD 0x00434241
add ChangeTime REG_SZ a
probe save
probe stored
e2e_expect_eq "$CASE: stored ExtDir" "$(grep -m1 '^ExtDir ' "$E2E_OUT")" "ExtDir type=1 size=260"
e2e_expect_eq "$CASE: stored DefSaver" "$(grep -m1 '^DefSaver ' "$E2E_OUT")" \
  "DefSaver type=1 size=4"
e2e_expect_eq "$CASE: stored ChangeTime" "$(grep -m1 '^ChangeTime ' "$E2E_OUT")" \
  "ChangeTime type=4 size=4"
e2e_reg_query ChangeTime
e2e_expect "$CASE: ChangeTime is 0x00020061 (61 00 over 20 bf 02 00)" \
  grep -q 'REG_DWORD    0x20061$' "$E2E_OUT"

begin_case "empty strings are saved as their NUL alone"
probe save
probe stored
e2e_expect_eq "$CASE: stored ExtDir" "$(grep -m1 '^ExtDir ' "$E2E_OUT")" "ExtDir type=1 size=1"
e2e_expect_eq "$CASE: stored DefSaver" "$(grep -m1 '^DefSaver ' "$E2E_OUT")" \
  "DefSaver type=1 size=1"

e2e_done
