# Shared by the end-to-end scripts: Kelvara.exe and kvahive.exe run under
# Wine in a work folder, and checks that count failures.
#
#   source common.sh <wine-run> <Kelvara.exe> <kvahive.exe> <work folder> <kva_window_probe.exe>
runner=$1 kelvara=$2 kvahive=$3 work=$4 probe=$5

rm -rf "$work"
mkdir -p "$work/kit"
cp "$kelvara" "$work/kit/Kelvara.exe"
tools="$work/kit/Kelvara tools"
failures=0

fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# Output goes to files: a pipe would stay open as long as the wineserver.
kelvara_run() {
  (cd "$work/kit" && timeout 120 "$runner" Kelvara.exe "$@" >"$work/out.txt" 2>&1)
}
hive_export() {  # hive file -> its export on standard output
  (cd "$work" && timeout 60 "$runner" "$kvahive" export "$1" >"$work/export.txt" 2>"$work/err.txt") \
    || { cat "$work/err.txt" >&2; return 1; }
  tr -d '\r' <"$work/export.txt"
}
hive_import() {  # .reg file, hive file
  (cd "$work" && timeout 60 "$runner" "$kvahive" import "$1" "$2" >"$work/out.txt" 2>&1) \
    || { cat "$work/out.txt" >&2; return 1; }
}
window_probe() {  # class and probe options; output in $work/probe.txt
  (cd "$work" && timeout 100 "$runner" "$probe" "$@" >"$work/probe.txt" 2>&1)
}
expect_code() {  # wanted, what
  local rc=$?
  [ "$rc" = "$1" ] || fail "$2: exit code $rc, wanted $1"
}
expect_in() {  # file-or-text, pattern, what
  grep -qF -- "$2" <<<"$1" || fail "$3: missing '$2'"
}
expect_not_in() {
  if grep -qF -- "$2" <<<"$1"; then fail "$3: unexpected '$2'"; fi
}
# True when windows can be shown. Without a display a check is skipped,
# except under CI, where a skipped check would pass for one that ran.
have_display() {  # what is skipped
  [ -n "${DISPLAY:-}" ] && return 0
  if [ "${CI:-}" = true ]; then
    fail "no display under CI: $1 not checked"
  else
    echo "no display: $1 skipped"
  fi
  return 1
}
finish() {
  [ "$failures" = 0 ] && echo "all checks passed"
  exit $((failures > 0))
}
