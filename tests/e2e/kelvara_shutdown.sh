#!/usr/bin/env bash
# Kelvara.exe under Wine at the edges of its life: the loading window closed
# the moment it shows, start after start, never leaves a settings file that
# does not load (or a stray file in the tools folder), and the next start
# works; a settings file that another program holds open at exit makes a
# run that would end with 0 end with 2, and the file stays as it was.
#
#   kelvara_shutdown.sh <wine-run> <Kelvara.exe> <kvahive.exe> <work folder> \
#                       <kva_window_probe.exe> <kva_file_holder.exe>
set -uo pipefail
source "$(dirname "$0")/common.sh"
holder=$6

# Starts Kelvara.exe with the given arguments in the background ($started).
kelvara_start() {
  (cd "$work/kit" && exec timeout 120 "$runner" Kelvara.exe "$@" >"$work/started.txt" 2>&1) &
  started=$!
}
# A probe that closes a window of the class the moment it shows, started and
# ready before the program is ($closer).
closer_start() {  # class
  rm -f "$work/closer.txt"
  (cd "$work" && exec timeout 100 "$runner" "$probe" "$1" --close --timeout 90 \
     >"$work/closer.txt" 2>&1) &
  closer=$!
  for _ in $(seq 1 300); do grep -q waiting "$work/closer.txt" 2>/dev/null && return; sleep 0.05; done
}
# The files a run leaves in the tools folder, one per line.
tools_listing() { (cd "$tools" && ls -A | sort); }

# A first quiet run makes the tools folder, both hives and the theme choice.
kelvara_run /Quiet /Run: nothing
expect_code 2 "first quiet run"
listing=$(tools_listing)

# 1. The loading window closed as soon as it appears, ten times.
if have_display "closing the loading window during start-up"; then
  for round in $(seq 1 10); do
    closer_start KVA_DLG_WND
    kelvara_start
    wait "$closer" || fail "round $round: no loading window"
    wait "$started"
    expect_code 0 "round $round: closed while loading"
    hive_export "$tools/kva_settings.dat" >/dev/null || fail "round $round: settings do not load"
    [ "$(tools_listing)" = "$listing" ] || fail "round $round: tools folder now holds $(tools_listing)"
  done
  # The next start works: the list comes up, and closing it ends with 0.
  kelvara_start
  # A PC without a client is asked about first; no report this time.
  window_probe KVA_REPORT_WND --click "Cancel" --timeout 90 || fail "no question about the new PC"
  window_probe KELVARAWND --close --timeout 90 || fail "no main window after the closed starts"
  wait "$started"
  expect_code 0 "normal start after the closed starts"
  hive_export "$tools/kva_settings.dat" >/dev/null || fail "settings after the normal start"
fi

# 2. The settings file held open by another program at exit, after a quiet
# run that ends with 0 when nothing holds it.
if have_display "settings held open at exit"; then
  kelvara_start /Quiet
  window_probe KELVARAWND --close --timeout 90 || fail "no main window in the quiet run"
  wait "$started"
  expect_code 0 "quiet run closed with nothing held"
  kelvara_start /Quiet
  window_probe KELVARAWND --timeout 90 || fail "no main window in the quiet run"
  (cd "$work" && exec timeout 60 "$runner" "$holder" "$tools/kva_settings.dat" 30 \
     >"$work/holder.txt" 2>&1) &
  held=$!
  for _ in $(seq 1 100); do grep -q holding "$work/holder.txt" 2>/dev/null && break; sleep 0.1; done
  grep -q holding "$work/holder.txt" || fail "the holder could not open the settings file"
  cp "$tools/kva_settings.dat" "$work/settings.before"
  window_probe KELVARAWND --close --timeout 30 || fail "the main window went away early"
  wait "$started"
  expect_code 2 "exit with the settings file held open"
  cmp -s "$work/settings.before" "$tools/kva_settings.dat" || fail "the held settings file changed"
  kill "$held" 2>/dev/null
  wait "$held" 2>/dev/null
fi

finish
