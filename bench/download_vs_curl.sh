#!/usr/bin/env bash
# A 200 MB file from a loopback server, fetched several rounds each by a
# DownloadJob under Wine, by a plain InternetReadFile loop in the same Wine
# process, and by curl natively. The last line is "ratio R curl C": R the
# job's throughput over the plain loop's, C the job's over curl's (best
# round of each). Not part of the test suite.
#
#   bench/download_vs_curl.sh [rounds]     (after a windows build)
set -euo pipefail
cd "$(dirname "$(readlink -f "$0")")/.."
rounds=${1:-5}
build=build/windows
bench=$build/bench/kva_download_bench.exe
[ -f "$bench" ] || { echo "build the windows preset first"; exit 1; }

work=$(mktemp -d "${TMPDIR:-/tmp}/kva-download-bench.XXXXXX")
trap 'kill "${server:-}" 2>/dev/null || true; rm -rf "$work"' EXIT
mkdir -p "$work/www" "$work/out"
head -c 200000000 /dev/urandom >"$work/www/big.bin"

# A threaded file server; sendfile keeps it off the critical path. It
# stops by itself after ten minutes.
/usr/bin/python3 - "$work/www" "$work/port" <<'PY' &
import functools, http.server, os, sys, threading, time
root, port_file = sys.argv[1], sys.argv[2]
class Quiet(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass
handler = functools.partial(Quiet, directory=root)
server = http.server.ThreadingHTTPServer(('127.0.0.1', 0), handler)
with open(port_file + '.part', 'w') as out:
    out.write(str(server.server_address[1]))
os.replace(port_file + '.part', port_file)
threading.Thread(target=server.serve_forever, daemon=True).start()
time.sleep(600)
PY
server=$!
for _ in $(seq 100); do [ -f "$work/port" ] && break; sleep 0.1; done
url="http://127.0.0.1:$(cat "$work/port")/big.bin"

out_folder=$(printf 'Z:%s/out' "$work" | tr / '\\')
(cd "$build" && ../../scripts/wine-run bench/kva_download_bench.exe "$url" "$out_folder" "$rounds") \
  >"$work/wine.txt" 2>&1 || { cat "$work/wine.txt"; exit 1; }
cat "$work/wine.txt"

best_curl=
for round in $(seq "$rounds"); do
  seconds=$(curl -s -o "$work/out/curl.bin" -w '%{time_total}' "$url")
  echo "round $((round - 1)) curl $seconds s"
  best_curl=$(awk -v a="${best_curl:-1e9}" -v b="$seconds" 'BEGIN { print (b < a) ? b : a }')
done

read -r job plain < <(awk '/^best job/ { print $3, $5 }' "$work/wine.txt")
awk -v job="$job" -v plain="$plain" -v curl="$best_curl" \
  'BEGIN { printf "ratio %.3f curl %.3f\n", plain / job, curl / job }'
