#!/usr/bin/env bash
# "Update and run" from the command line, under Wine, against HTTP servers
# on 127.0.0.1: a ZIP that is unpacked and its program run, a file whose
# first address fails and whose second serves it, a file behind the second
# of two "Download now" links whose address carries "&amp;", a file behind
# a download site's two pages, a file behind a meta refresh, and a <Sleep>
# action. Checked: the exit code, the day's report row by row, the stored
# update time and archive size, the resume file, the unpacked folder and
# the programs' markers; then a second run that finds everything up to
# date. Last, a run ended by one of its tools leaves the tools it had not
# reached ticked for the next start, which says so.
#
#   kelvara_operation.sh <wine-run> <Kelvara.exe> <kvahive.exe> <work folder>
#                        <kva_window_probe.exe> <kva_sleeper.exe>
set -uo pipefail
sleeper=$6
source "$(dirname "$0")/common.sh"
here=$(cd "$(dirname "$0")" && pwd)
resume_file="$WINEPREFIX/drive_c/ProgramData/Kelvara/_kva_sel.kvasel"

# 1. The served files: a ZIP holding the fixture program, and copies of it.
mkdir -p "$work/served"
/usr/bin/python3 - "$sleeper" "$work/served" <<'PY'
import shutil, sys, zipfile
program, served = sys.argv[1], sys.argv[2]
with zipfile.ZipFile(f'{served}/archive.zip', 'w', zipfile.ZIP_DEFLATED) as archive:
    archive.write(program, 'kva_sleeper.exe')
for name in ('fallback.exe', 'geeks.exe', 'linked.exe', 'refreshed.exe'):
    shutil.copyfile(program, f'{served}/{name}')
PY
archive_bytes=$(stat -c %s "$work/served/archive.zip")

source "$here/../downloads/win32/start_servers.sh"
start_loopback_servers "$work/ports" "$work/served" 240
base="http://127.0.0.1:$(awk '$1 == "http" {print $2}' "$work/ports")"

# 2. A first start makes the tools folder and both hives; then the
# catalogue of the tools above replaces the built-in one.
rm -f "$resume_file"
kelvara_run /Quiet /Run: nothing
expect_code 2 "first start"
marker() { printf '%s' "--marker \\\"%ToolsDir%\\\\ran-$1.txt\\\""; }
tool_reg() {  # name, folder, file, url1, url2, linktext1, flag1, program
  printf '[HKEY_LOCAL_MACHINE\\kva_default_tools\\5\\%s]\n' "$1"
  printf '"url1"="%s"\n' "$4"
  [ -n "$5" ] && printf '"url2"="%s"\n' "$5"
  [ -n "$6" ] && printf '"linktext1"="%s"\n' "$6"
  printf '"downloadfile"="%%ToolsDir%%\\\\%s\\\\%s"\n' "$2" "$3"
  printf '"flag1"=dword:%08x\n' "$7"
  printf '"command1"="\\"%%ToolsDir%%\\\\%s\\\\%s\\" %s"\n\n' "$2" "$8" "$(marker "$2")"
}
{
  printf 'Windows Registry Editor Version 5.00\n\n[HKEY_LOCAL_MACHINE\\kva_default_tools]\n'
  printf '"Version"=dword:000001fd\n'
  for g in $(seq 1 24) 1001; do printf '"%d"="Catalogue group %d"\n' "$g" "$g"; done
  for g in $(seq 1 24) 1001; do printf '[HKEY_LOCAL_MACHINE\\kva_default_tools\\%d]\n' "$g"; done
  echo
  tool_reg "E2E archive tool" archive archive.zip "$base/served/archive.zip" "" "" 1 \
    'archive\\kva_sleeper.exe'
  tool_reg "E2E fallback tool" fallback fallback.exe "$base/missing" "$base/served/fallback.exe" \
    "" 0 fallback.exe
  tool_reg "E2E geeks tool" geeks geeks.exe "$base/page/mg-product" "" "MajorGeeks" 0 geeks.exe
  tool_reg "E2E linked tool" linked linked.exe "$base/page/second-link" "" "Download now,2" 0 \
    linked.exe
  tool_reg "E2E refreshed tool" refreshed refreshed.exe "$base/page/refresh-served" "" "" 0 \
    refreshed.exe
  # Ends the program that started it, as an installer that restarts the PC.
  printf '[HKEY_LOCAL_MACHINE\\kva_default_tools\\5\\E2E killer tool]\n'
  printf '"command1"="\\"%%ToolsDir%%\\\\killer\\\\kva_sleeper.exe\\" %s --kill-parent"\n\n' \
    "$(marker killer)"
  printf '[HKEY_LOCAL_MACHINE\\kva_default_tools\\1001\\1-E2E pause]\n"command1"="<Sleep> 1"\n'
} >"$work/catalogue.reg"
hive_import catalogue.reg "$tools/kva_tools.dat" || fail "import of the catalogue"
mkdir -p "$tools/killer"
cp "$sleeper" "$tools/killer/kva_sleeper.exe"

# Selections as the program writes them: UTF-16 with its mark.
selection() {  # name, ticked tools of group 5, ticked tools of group 1001
  local tool
  {
    printf '[5]\r\n'
    for tool in $2; do printf 'E2E %s tool=1\r\n' "$tool"; done
    printf '[1001]\r\n'
    for tool in $3; do printf '1-E2E %s=1\r\n' "$tool"; done
  } | iconv -f UTF-8 -t UTF-16LE | { printf '\xff\xfe'; cat; } >"$tools/Saved Selections/$1.kvasel"
}
mkdir -p "$tools/Saved Selections"
selection Everything "archive fallback geeks linked refreshed" pause

report_rows() {  # "action | result" lines of the day's report
  local report
  report=$(find "$tools/KVA Reports" -name '*.html' 2>/dev/null | head -n 1)
  [ -n "$report" ] || { echo "no report"; return; }
  /usr/bin/python3 - "$report" <<'PY'
import html, re, sys
text = open(sys.argv[1], encoding='utf-8-sig', newline='').read()
for action, result in re.findall(r'<td class="ftd1">(.*?)</td>.*?<td class="ftd3">(.*?)\r\n', text, re.S):
    print(f'{html.unescape(action)} | {html.unescape(result)}')
PY
}

# 3. The operation.
kelvara_run /Quiet /UpdateRun: Everything
expect_code 0 "quiet update and run"
rows=$(report_rows)
wanted="Update tool: E2E archive tool | Success: Successfully downloaded.
Run tool: E2E archive tool | Success: 1 command successfully executed.
Update tool: E2E fallback tool | Failure: Download failed.
Update tool: E2E fallback tool | Success: Successfully downloaded.
Run tool: E2E fallback tool | Success: 1 command successfully executed.
Update tool: E2E geeks tool | Success: Successfully downloaded.
Run tool: E2E geeks tool | Success: 1 command successfully executed.
Update tool: E2E linked tool | Success: Successfully downloaded.
Run tool: E2E linked tool | Success: 1 command successfully executed.
Update tool: E2E refreshed tool | Success: Successfully downloaded.
Run tool: E2E refreshed tool | Success: 1 command successfully executed.
Run tool: 1-E2E pause | Script successfully paused for 1 secconds."
[ "$rows" = "$wanted" ] || fail "report of the first run:
$rows
wanted:
$wanted"

settings=$(hive_export "$tools/kva_settings.dat") || fail "settings file does not load"
archive_state=$(awk '/^\[HKEY_LOCAL_MACHINE\\kva_settings\\5\\E2E archive tool\]$/ {on=1; next}
                     /^\[/ {on=0} on' <<<"$settings")
grep -qE '^"LastUpdate"="[0-9]{4}/[0-9]{2}/[0-9]{2}  [0-9]{2}:[0-9]{2}:[0-9]{2}  "$' \
  <<<"$archive_state" || fail "archive tool's update time: $archive_state"
size_bytes=$(printf '%016x' "$archive_bytes" | sed -E 's/(..)/\1\n/g' | tac | paste -sd, -)
expect_in "$archive_state" "\"PDS1\"=hex(b):$size_bytes" "archive tool's download size"
[ ! -e "$resume_file" ] || fail "the resume file is left after a finished run"
[ ! -e "$tools/archive/archive.zip" ] || fail "the archive was kept after its extraction"
[ -f "$tools/archive/archive/kva_sleeper.exe" ] || fail "the archive's program was not unpacked"
for tool in archive fallback geeks linked refreshed; do
  [ -f "$tools/ran-$tool.txt" ] || fail "the $tool tool's program did not run"
  [ -f "$tools/$tool/$tool.exe.tmp" ] && fail "the $tool tool's safety copy is left"
done
rm -f "$tools"/ran-*.txt

# 4. The same again: every file is there with the size its server gives
# (the archive through its unpacked folder), so none is fetched again, and
# the fallback still tries its failing first address first.
kelvara_run /Quiet /UpdateRun: Everything
expect_code 0 "second update and run"
rows=$(report_rows)
again="Update tool: E2E archive tool | Success: Already up to date.
Run tool: E2E archive tool | Success: 1 command successfully executed.
Update tool: E2E fallback tool | Failure: Download failed.
Update tool: E2E fallback tool | Success: Already up to date.
Run tool: E2E fallback tool | Success: 1 command successfully executed.
Update tool: E2E geeks tool | Success: Already up to date.
Run tool: E2E geeks tool | Success: 1 command successfully executed.
Update tool: E2E linked tool | Success: Already up to date.
Run tool: E2E linked tool | Success: 1 command successfully executed.
Update tool: E2E refreshed tool | Success: Already up to date.
Run tool: E2E refreshed tool | Success: 1 command successfully executed.
Run tool: 1-E2E pause | Script successfully paused for 1 secconds."
[ "$rows" = "$wanted"$'\n'"$again" ] || fail "report after the second run:
$rows"
[ -f "$tools/ran-archive.txt" ] || fail "the archive's program did not run the second time"

# 5. A run ended by its second tool: the resume file ticks exactly the
# tools it had not reached, and the next start ticks them and says so.
selection Interrupted "fallback killer linked refreshed" pause
kelvara_run /Quiet /Run: Interrupted
[ -f "$tools/ran-killer.txt" ] || fail "the tool that ends the run did not run"
if [ -f "$resume_file" ]; then
  ticks=$(iconv -f UTF-16 -t UTF-8 "$resume_file" | tr -d '\r' | grep -v '^State=' | grep '=1$' | sort)
  wanted_ticks=$(printf '%s\n' "1-E2E pause=1" "E2E linked tool=1" "E2E refreshed tool=1" | sort)
  [ "$ticks" = "$wanted_ticks" ] || fail "ticks of the resume file:
$ticks
wanted:
$wanted_ticks"
else
  fail "no resume file after the ended run"
fi
if have_display "offer of the tools an ended run had not reached"; then
  (cd "$work/kit" && exec timeout 180 "$runner" Kelvara.exe >"$work/resumed.txt" 2>&1) &
  resumed=$!
  window_probe KVA_REPORT_WND --click "Cancel" --timeout 90 || fail "no question about the new PC"
  window_probe KVA_MSG_WND --click "OK, I got it" --timeout 90 || fail "no notice of the ended run"
  notice=$(tr -d '\r' <"$work/probe.txt")
  expect_in "$notice" 'was prematurely closed during a "Run tools" operation' "notice of the ended run"
  expect_in "$notice" \
    "the remaining tools that have not run in that operation were automatically selected" \
    "notice of the ended run"
  window_probe KELVARAWND --close --timeout 90 || fail "no main window after the notice"
  wait "$resumed"
  expect_code 0 "start after the ended run"
  [ ! -e "$resume_file" ] || fail "the resume file outlived the start that offered its tools"
  settings=$(hive_export "$tools/kva_settings.dat") || fail "settings file does not load"
  for tool in "5\\E2E linked tool" "5\\E2E refreshed tool" "1001\\1-E2E pause" \
              "5\\E2E fallback tool" "5\\E2E killer tool"; do
    state=$(KEY="[HKEY_LOCAL_MACHINE\\kva_settings\\$tool]" \
      awk '$0 == ENVIRON["KEY"] {on=1; next} /^\[/ {on=0} on && /^"State"=/' <<<"$settings")
    case $tool in
      *fallback*|*killer*) wanted_state='"State"=dword:00000000' ;;
      *) wanted_state='"State"=dword:00000001' ;;
    esac
    [ "$state" = "$wanted_state" ] || fail "tick of $tool after the ended run: '$state'"
  done
else
  # The ended run left its hives loaded in the prefix; a start puts that right.
  kelvara_run /Quiet /Run: nothing
  expect_code 2 "quiet start after the ended run"
fi

finish
