#!/usr/bin/env bash
# What the game costs while nobody touches it: the CPU time (user + system, as a share of one core)
# and the wake-ups a second (the voluntary context switches of all its threads: each is a sleep that
# something ended) on the title screen and on the main menu, measured on a private Xvfb display.
#
#   bash bench/menu_idle.sh [seconds] [window size 1..5] [language 0..9] [GIF animation 1|0] [kesp binary]
#
# Defaults: 30 seconds, the small window, English, the side animations running, build/kesp. The game runs in a temporary program
# folder of its own (with the build's club files and libraries) with sound and music off, so other
# builds on the machine change only the wall-clock pace, not the figures.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-30}
size=${2:-1}
language=${3:-0}
gif=${4:-1}
binary=${5:-$root/build/kesp}
for tool in Xvfb xdotool import convert; do
  command -v "$tool" >/dev/null || { echo "needs $tool (apt-get install -y xvfb xdotool imagemagick)" >&2; exit 2; }
done
[ -x "$binary" ] || { echo "no game at $binary: build it first" >&2; exit 2; }

folder=$(mktemp -d)
display=90
while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do display=$((display + 1)); done
xvfb_pid=""
game_pid=""
cleanup() {
  [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$folder"
}
trap cleanup EXIT

cp "$binary" "$folder/kesp"
build=$(dirname "$binary")
for f in "$build"/Kesp.clb "$build"/Kesp.net "$build"/*.dll; do [ -e "$f" ] && cp "$f" "$folder/"; done
# The settings: language, sound and music off, the GIF animation, the window size; the rest default.
{
  printf '<# General>\r\n%s0%s11014%s##110010000\r\n' "$language" "$gif" "$size"
  for _ in $(seq 3 35); do printf '\r\n'; done
} > "$folder/Kesp.ini"

Xvfb ":$display" -screen 0 1920x1200x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$display" ] && break; sleep 0.1; done
export DISPLAY=":$display" QT_QPA_PLATFORM=xcb
"$folder/kesp" >/dev/null 2>&1 &
game_pid=$!
window=$(timeout 30 xdotool search --sync --onlyvisible --name Kesp | head -1)

ticks_per_second=$(getconf CLK_TCK)
cpu_ticks() { awk '{print $14 + $15}' "/proc/$game_pid/stat"; }
switches() {
  cat /proc/"$game_pid"/task/*/status 2>/dev/null |
    awk '/^voluntary_ctxt_switches/ {n += $2} END {print n}'
}
measure() {
  local name=$1 t0 s0 t1 s1
  sleep 3  # let the screen settle
  t0=$(cpu_ticks); s0=$(switches)
  sleep "$seconds"
  t1=$(cpu_ticks); s1=$(switches)
  awk -v n="$name" -v dt=$((t1 - t0)) -v ds=$((s1 - s0)) -v hz="$ticks_per_second" -v s="$seconds" \
    'BEGIN {printf "%-6s %6.2f %% of a core  %7.1f wake-ups/s\n", n, 100 * dt / hz / s, ds / s}'
}
echo "window size $size, language $language, GIF animation $gif, $seconds s each"
measure title
# The title screen is black at its corner, the menu is not.
corner() { import -window "$window" png:- | convert - -format '%[pixel:p{2,2}]' info:; }
for _ in $(seq 10); do
  xdotool mousemove --window "$window" 300 300 click 1
  sleep 1
  [ "$(corner)" != "srgb(0,0,0)" ] && break
done
[ "$(corner)" != "srgb(0,0,0)" ] || { echo "the menu did not open" >&2; exit 1; }
xdotool mousemove --window "$window" 2 2  # away from the buttons
measure menu
