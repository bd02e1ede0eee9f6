#!/usr/bin/env bash
# Ten full online tables of kesp-sim players against one kesp-service: games per minute, and the
# service's CPU time and peak memory. usage: bench/online_tables.sh [GAMES_PER_TABLE] (build/ first)
# The service's data folder (KESP_BENCH_DATA, default build/bench/online_tables_data) is kept, so
# the accounts are created by the first run only.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
exec python3 "$root/bench/online_tables.py" "$root/build/tools/sim/kesp-sim" "$root/build/service/kesp-service" \
  "${1:-3}" "${KESP_BENCH_DATA:-$root/build/bench/online_tables_data}"
