#!/usr/bin/env bash
# What the game costs while nobody touches it: the CPU time (user + system, as a share of one core)
# and the wake-ups a second (the voluntary context switches of all its threads: each is a sleep that
# something ended) on the title screen and on the main menu, measured on a private Xvfb display.
#
#   bash bench/menu_idle.sh [seconds] [window size 1..5] [language 0..9] [GIF animation 1|0] [kesp binary]
#
# Defaults: 30 seconds, the small window, English, the side animations running, build/kesp. The
# game runs in a program folder of its own with sound and music off; CPU time, not wall-clock shares,
# so other work on the machine hardly changes the figures.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-30}
size=${2:-1}
language=${3:-0}
gif=${4:-1}
binary=${5:-$root/build/kesp}
# shellcheck source=../tools/xvfb_game.sh
source "$root/tools/xvfb_game.sh"
start_game "$binary" "$language" "$gif" "$size"

ticks_per_second=$(getconf CLK_TCK)
cpu_ticks() { awk '{print $14 + $15}' "/proc/$game_pid/stat"; }
# One line a thread: its id and its voluntary context switches so far.
switches() {
  for task in /proc/"$game_pid"/task/*; do
    echo "${task##*/} $(awk '/^voluntary_ctxt_switches/ {print $2}' "$task/status" 2>/dev/null)"
  done
}
# The switches between two lists, over the threads that lived through both.
switch_delta() { awk 'NR == FNR {before[$1] = $2; next} ($1 in before) {n += $2 - before[$1]} END {print n + 0}' "$1" "$2"; }
measure() {
  local name=$1 t0 t1
  sleep 3  # let the screen settle
  t0=$(cpu_ticks); switches > "$folder/switches0"
  sleep "$seconds"
  t1=$(cpu_ticks); switches > "$folder/switches1"
  awk -v n="$name" -v dt=$((t1 - t0)) -v ds="$(switch_delta "$folder/switches0" "$folder/switches1")" \
    -v hz="$ticks_per_second" -v s="$seconds" \
    'BEGIN {printf "%-6s %6.2f %% of a core  %7.1f wake-ups/s\n", n, 100 * dt / hz / s, ds / s}'
}
echo "window size $size, language $language, GIF animation $gif, $seconds s each"
measure title
open_menu
measure menu
