#!/usr/bin/env bash
# Kelvara.exe under Wine, from start-up to exit, read back through
# kvahive.exe: a fresh folder gets its tools folder and both hive files; a
# quiet run with a missing selection ends with 2 and leaves a valid settings
# file; an old catalogue is replaced; the integrity pass keeps the order
# lists in step with a changed catalogue; an interactive run of a missing
# selection says so and ends with 2; a second instance hands over to a
# visible first one, and a start after a killed instance recovers.
#
#   kelvara_startup.sh <wine-run> <Kelvara.exe> <kvahive.exe> <work folder> <kva_window_probe.exe>
set -uo pipefail
source "$(dirname "$0")/common.sh"

# 1. A fresh folder, a quiet run with a selection that does not exist.
kelvara_run /Quiet /Run: nothing
expect_code 2 "quiet run with a missing selection"
[ -f "$tools/kva_tools.dat" ] || fail "kva_tools.dat not created"
[ -f "$tools/kva_settings.dat" ] || fail "kva_settings.dat not created"
settings=$(hive_export "$tools/kva_settings.dat") || fail "settings file does not load"
expect_in "$settings" '"OptionsFlag"=dword:000000c7' "settings after the first start"
expect_in "$settings" '[HKEY_LOCAL_MACHINE\kva_settings\1001]' "settings after the first start"

# 2. A catalogue older than 509 is replaced by the built-in one.
cat >"$work/old.reg" <<'REG'
Windows Registry Editor Version 5.00

[HKEY_LOCAL_MACHINE\kva_default_tools]
"Version"=dword:000001fc
"3"="Anti rootkit/bootkit tools"

[HKEY_LOCAL_MACHINE\kva_default_tools\3]

[HKEY_LOCAL_MACHINE\kva_default_tools\3\Old rootkit tool]
REG
hive_import old.reg "$tools/kva_tools.dat" || fail "import of the old catalogue"
kelvara_run /Quiet /Run: nothing
expect_code 2 "run over an old catalogue"
catalogue=$(hive_export "$tools/kva_tools.dat") || fail "catalogue does not load"
expect_in "$catalogue" '"Version"=dword:000001fd' "replaced catalogue"
expect_not_in "$catalogue" 'Old rootkit tool' "replaced catalogue"

# 3. The integrity pass against a changed catalogue: a tool added to group 5
# comes last, a removed ticked tool loses its state and its place (the rest
# move up), a removed group loses its settings key.
# Groups 1 to 24 without 23, as after an update that dropped group 23.
{
  printf 'Windows Registry Editor Version 5.00\n\n[HKEY_LOCAL_MACHINE\\kva_default_tools]\n'
  printf '"Version"=dword:000001fd\n'
  for g in $(seq 1 24); do [ "$g" = 23 ] || printf '"%d"="Catalogue group %d"\n' "$g" "$g"; done
  for g in $(seq 1 24); do [ "$g" = 23 ] || printf '[HKEY_LOCAL_MACHINE\\kva_default_tools\\%d]\n' "$g"; done
  for t in alpha gamma newest; do
    printf '[HKEY_LOCAL_MACHINE\\kva_default_tools\\5\\Adware tool %s]\n' "$t"
  done
} >"$work/catalogue.reg"
{
  printf 'Windows Registry Editor Version 5.00\n\n[HKEY_LOCAL_MACHINE\\kva_settings]\n'
  printf '"OptionsFlag"=dword:000000c7\n'
  for g in $(seq 1 24); do printf '[HKEY_LOCAL_MACHINE\\kva_settings\\%d]\n' "$g"; done
  cat <<'REG'
[HKEY_LOCAL_MACHINE\kva_settings\5]
"0"="Adware tool alpha"
"1"="Adware tool beta"
"2"="Adware tool gamma"

[HKEY_LOCAL_MACHINE\kva_settings\5\Adware tool alpha]
[HKEY_LOCAL_MACHINE\kva_settings\5\Adware tool beta]
"State"=dword:00000001
[HKEY_LOCAL_MACHINE\kva_settings\5\Adware tool gamma]

[HKEY_LOCAL_MACHINE\kva_settings\23\Some decryptor tool]
"State"=dword:00000001
REG
} >"$work/settings.reg"
hive_import catalogue.reg "$tools/kva_tools.dat" || fail "import of the changed catalogue"
hive_import settings.reg "$tools/kva_settings.dat" || fail "import of the old settings"
kelvara_run /Quiet /Run: nothing
expect_code 2 "run over the changed catalogue"
settings=$(hive_export "$tools/kva_settings.dat") || fail "settings file does not load"
group5=$(awk '/^\[HKEY_LOCAL_MACHINE\\kva_settings\\5\]$/ {on=1; next} /^\[/ {on=0} on' <<<"$settings")
expect_in "$group5" '"0"="Adware tool alpha"' "group 5 order"
expect_in "$group5" '"1"="Adware tool gamma"' "group 5 order: later entries move up"
expect_in "$group5" '"2"="Adware tool newest"' "group 5 order: the new tool comes last"
expect_not_in "$group5" '"3"=' "group 5 order"
expect_not_in "$settings" 'Adware tool beta' "removed tool"
expect_not_in "$settings" 'kva_settings\23' "removed group"

# 4. An operation for a selection that does not exist, with the user there:
# the message says so, and the program ends with 2 once it is answered (a
# quiet run answers it itself, as in 1).
if have_display "interactive missing-selection check"; then
  (cd "$work/kit" && exec timeout 120 "$runner" Kelvara.exe /Run: Weekly >"$work/missing.txt" 2>&1) &
  missing=$!
  window_probe KVA_MSG_WND --click "OK, I got it" --timeout 90 \
    || fail "no message for the missing selection"
  wait "$missing"
  expect_code 2 "interactive run of a missing selection"
  expect_in "$(tr -d '\r' <"$work/probe.txt")" "The requested selection does not exist." \
    "message for the missing selection"
fi

# 5. A second instance while one runs; then the first one is killed.
if have_display "second-instance check"; then
  (cd "$work/kit" && exec timeout 180 "$runner" Kelvara.exe >"$work/first.txt" 2>&1) &
  first=$!
  # A PC without a client is asked about first; no report this time.
  window_probe KVA_REPORT_WND --click "Cancel" --timeout 90 || fail "no question about the new PC"
  # Up once both hives are loaded and the list is on screen.
  for _ in $(seq 1 60); do
    sleep 1
    "$runner" reg query 'HKLM\kva_settings' /v OptionsFlag >/dev/null 2>&1 && break
  done
  sleep 3
  kelvara_run
  expect_code 0 "second instance"
  kill -0 "$first" 2>/dev/null || fail "the first instance ended"
  # Killed as a crash would end it: its hives stay loaded.
  "$runner" taskkill /f /im Kelvara.exe >/dev/null 2>&1
  wait "$first" 2>/dev/null
  kelvara_run /Quiet /Run: nothing
  expect_code 2 "start after a killed instance"
  hive_export "$tools/kva_settings.dat" >/dev/null || fail "settings after the kill do not load"
fi

finish
