#!/usr/bin/env bash
# Runs your own Kesp service: installs what is missing, builds kesp-service, then starts it with its
# FTP picture store on the loopback address, SQLite storage and the data in
# build/service/kesp-service-data/. Ctrl-C stops both. Settings, all optional:
#   KESP_SERVICE_LISTEN  HOST:PORT of the HTTP service (127.0.0.1:25680)
#   KESP_DATABASE        postgresql://USER:PW@HOST:PORT/DB instead of SQLite
#   KESP_SERVICE_DATA    the data folder
#   KESP_FTP_PORT        the picture store's port (21 as root, else 2121)
#   KESP_FTP_USER, KESP_FTP_PASSWORD  its write-only account (kesp / pictures)
#   KESP_SERVICE_PROGRAM a kesp-service already built: nothing is installed or built then
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
program=${KESP_SERVICE_PROGRAM:-}
if [ -z "$program" ]; then
  bash "$root/tools/deps.sh"
  if [ ! -f "$root/build/build.ninja" ]; then
    cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
  fi
  cmake --build "$root/build" --parallel "$(nproc)" --target kesp-service kesp_service_music kesp_service_downloads
  program=$root/build/service/kesp-service
fi

listen=${KESP_SERVICE_LISTEN:-127.0.0.1:25680}
data=${KESP_SERVICE_DATA:-$root/build/service/kesp-service-data}
ftp_port=${KESP_FTP_PORT:-$([ "$(id -u)" -eq 0 ] && echo 21 || echo 2121)}
args=(--listen "$listen" --data "$data")
[ -n "${KESP_DATABASE:-}" ] && args+=(--database "$KESP_DATABASE")
mkdir -p "$data"

/usr/bin/python3 "$root/service/picture_store.py" --data "$data" --host "${listen%:*}" --port "$ftp_port" \
  2>>"$data/picture-store.log" &
ftp_pid=$!
"$program" "${args[@]}" &
service_pid=$!
stop() {
  kill "$service_pid" "$ftp_pid" 2>/dev/null || true
  wait "$service_pid" "$ftp_pid" 2>/dev/null || true
}
trap stop EXIT
# Asked to stop: both are stopped on the way out, and that is a clean end.
trap 'exit 0' INT TERM
# Either one ending stops the other.
wait -n "$service_pid" "$ftp_pid"
