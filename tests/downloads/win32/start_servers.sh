# Starts loopback_servers.py in the background and waits until it has
# written its ports file; the servers end with the calling script (or by
# themselves after the given seconds).
#
#   source start_servers.sh; start_loopback_servers <ports file> <folder> <seconds>
start_loopback_servers() {
  local ports=$1
  /usr/bin/python3 "$(dirname "${BASH_SOURCE[0]}")/loopback_servers.py" "$ports" "$2" "$3" &
  servers=$!
  trap 'kill "$servers" 2>/dev/null || true' EXIT
  for _ in $(seq 100); do
    [ -f "$ports" ] && return 0
    sleep 0.1
  done
  echo "the loopback servers did not start"
  exit 1
}
