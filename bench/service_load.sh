#!/usr/bin/env bash
# Load test of kesp-service's mixed reads with wrk: 50 connections on loopback for 10 seconds, on
# SQLite and on a PostgreSQL server started for the run. Prints requests per second and latencies
# with the machine's load average.
# Usage: bench/service_load.sh [sqlite|postgresql|both]   (build/service/kesp-service must be built)
# KESP_BENCH_FILL=1 first fills the store with bench/service_fill.sql (tens of thousands of accounts
# and entries); KESP_BENCH_LOG=FILE keeps the service's log, whose lines tell where each request's
# time went (waiting for a worker, for a database connection, using it) and note each slow one.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
program=${KESP_BENCH_PROGRAM:-$root/build/service/kesp-service}
which=${1:-both}

run() {
  local label=$1 data
  data=$(mktemp -d /tmp/kesp-service-bench-XXXXXX)
  local args=(--listen 127.0.0.1:0 --data "$data")
  if [ -n "${KESP_TEST_DATABASE:-}" ]; then
    "$KESP_TEST_PSQL" -q "$KESP_TEST_DATABASE" -c "DROP SCHEMA public CASCADE; CREATE SCHEMA public;"
    args+=(--database "$KESP_TEST_DATABASE")
  fi
  "$program" "${args[@]}" >"$data/out" 2>"$data/log" &
  local pid=$!
  for _ in $(seq 50); do grep -qs listening "$data/out" && break; sleep 0.1; done
  local base
  base=$(grep -o 'http://[0-9.:]*/' "$data/out")
  if [ "${KESP_BENCH_FILL:-0}" = 1 ]; then
    if [ -n "${KESP_TEST_DATABASE:-}" ]; then
      "$KESP_TEST_PSQL" -q -v ON_ERROR_STOP=1 "$KESP_TEST_DATABASE" -f "$root/bench/service_fill.sql"
      # Vacuumed and written out now, not by the server's background workers during the run.
      "$KESP_TEST_PSQL" -q -v ON_ERROR_STOP=1 "$KESP_TEST_DATABASE" -c "VACUUM ANALYZE" -c "CHECKPOINT"
    else
      python3 -c 'import sqlite3, sys; sqlite3.connect(sys.argv[1], timeout=30).executescript(open(sys.argv[2]).read())' \
        "$data/kesp.sqlite" "$root/bench/service_fill.sql"
    fi
  fi
  # Some accounts with ratings, a world list and a chat to read.
  for i in 1 2 3 4 5 6 7 8; do
    curl -s --data-binary "nick=Bench$i&pw=secret1&city=Moscow&country1=Russia&country2=1-001&sex=M&email=b@x.ru&dater=01.01.2026&R01=xxx&R02=xxx&R03=xxx&R04=0&R05=0&R06=0" "${base}account" >/dev/null
    curl -s --data-binary "nick=Bench$i&pw=secret1&crdkespkon=$i&crdkespbest=0&crdkesprating=$((i * 3)).5&crdkespses=0&crdkespkonl=0&crdkespscore=0&crdkespR1=0&crdkespR2=#" "${base}account" >/dev/null
  done
  for i in $(seq 25); do
    curl -s --data-binary "gid=36&nick=Bench$((i % 8 + 1))&city=Moscow&country=1-001&score=$((i * 17 % 101))&R7=M&R8=5.7f&R9=#&R10=#*" "${base}worldtop" >/dev/null
  done
  curl -s --data-binary "gid=36&stat1=1&stat2=1" "${base}statistics" >/dev/null
  # Every read of the mix must come back as a record, or the figures would measure refusals.
  local path body
  while IFS=$'\t' read -r path body; do
    curl -s --data-binary "$body" "${base%/}$path" | grep -q '^\$' || { echo "not a record: $path $body" >&2; exit 1; }
  done < <(sed -n 's/^  {"\([^"]*\)", "\([^"]*\)"},$/\1\t\2/p' "$root/bench/service_load.lua")
  echo "== $label ($(uptime | sed 's/.*load/load/')): wrk -t2 -c50 -d10s --latency -s bench/service_load.lua $base"
  # Non-2xx replies and socket errors are failed requests.
  wrk -t2 -c"${KESP_BENCH_CONNECTIONS:-50}" -d10s --latency -s "$root/bench/service_load.lua" "$base" |
    grep -E 'Non-2xx|Socket errors|requests/s'
  kill "$pid"
  wait "$pid" || true
  if [ -n "${KESP_BENCH_LOG:-}" ]; then cp "$data/log" "$KESP_BENCH_LOG-$label"; fi
  rm -rf "$data"
}

if [ "$which" = sqlite ] || [ "$which" = both ]; then
  run SQLite
fi
if [ "$which" = postgresql ] || [ "$which" = both ]; then
  KESP_TEST_DATABASE="" bash "$root/tests/service/with_postgres.sh" bash "$0" postgresql-inside
fi
if [ "$which" = postgresql-inside ]; then
  run PostgreSQL
fi
