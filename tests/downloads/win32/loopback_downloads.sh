#!/usr/bin/env bash
# Runs the loopback download tests under Wine against HTTP and FTP servers
# started here on 127.0.0.1, which stop by themselves after five minutes.
#
#   loopback_downloads.sh <wine-run> <kva_loopback_tests.exe> <work folder> [gtest arguments]
set -euo pipefail
runner=$1 program=$2 work=$3
shift 3
here=$(cd "$(dirname "$0")" && pwd)

rm -rf "$work"
mkdir -p "$work/ftp"
source "$here/start_servers.sh"
start_loopback_servers "$work/ports" "$work/ftp" 300

# Output goes to a file: a pipe would stay open as long as the wineserver.
status=0
KVA_LOOPBACK_PORTS="Z:$work/ports" timeout 280 "$runner" "$program" "$@" >"$work/out.txt" 2>&1 || status=$?
cat "$work/out.txt"
exit "$status"
