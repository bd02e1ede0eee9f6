#!/usr/bin/env bash
# The game's memory at the card table against Aisleriot's at its start, on one private Xvfb
# display: the resident set and its private part (from /proc/PID/smaps_rollup) of each, and the
# game's share of Aisleriot's.
#
#   bash bench/table_memory.sh [settle seconds] [kesp binary]
#
# Defaults: 5 seconds after the first deal is dealt (and after Aisleriot's window shows), build/kesp,
# the small window with sound and music on as a player has them. Needs Xvfb, xdotool, ImageMagick
# and Aisleriot (apt-get install -y xvfb xdotool imagemagick aisleriot).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
settle=${1:-5}
binary=${2:-$root/build/kesp}
PATH=$PATH:/usr/games  # where Debian puts it
command -v sol >/dev/null || { echo "needs Aisleriot's sol (apt-get install -y aisleriot)" >&2; exit 2; }
# shellcheck source=../tools/xvfb_game.sh
source "$root/tools/xvfb_game.sh"
sol_pid=""
trap '[ -n "$sol_pid" ] && kill "$sol_pid" 2>/dev/null; stop_game' EXIT

# Resident and private kB of a process.
memory() { awk '/^Rss:/ {r = $2} /^Private_(Clean|Dirty):/ {p += $2} END {print r, p}' "/proc/$1/smaps_rollup"; }

start_game "$binary" 0 1 1 1920x1200 1
open_menu
open_table
sleep "$settle"
read -r kesp_rss kesp_private < <(memory "$game_pid")

# Aisleriot with its settings in memory, so that the machine's own do not count.
HOME="$folder" GSETTINGS_BACKEND=memory NO_AT_BRIDGE=1 sol >/dev/null 2>&1 &
sol_pid=$!
timeout 30 xdotool search --sync --onlyvisible --pid "$sol_pid" >/dev/null
sleep "$settle"
read -r sol_rss sol_private < <(memory "$sol_pid")

awk -v kr="$kesp_rss" -v kp="$kesp_private" -v sr="$sol_rss" -v sp="$sol_private" 'BEGIN {
  printf "kesp at the table   resident %6.1f MB  private %6.1f MB\n", kr / 1024, kp / 1024
  printf "aisleriot at start  resident %6.1f MB  private %6.1f MB\n", sr / 1024, sp / 1024
  printf "kesp / aisleriot    resident %6.2f     private %6.2f\n", kr / sr, kp / sp
}'
