#!/usr/bin/env bash
# Screenshots of the game as a player sees it: the title screen, the main menu and a dealt table,
# for a window size and a language, on a private Xvfb display.
#
#   bash tools/screenshots.sh OUT_FOLDER [window size 1..5] [language 0..9] [screen WxH]
#
# Writes OUT_FOLDER/title-S-L.png, menu-S-L.png and table-S-L.png (S the size, L the language).
# Needs the game built (build/kesp) and Xvfb, xdotool and ImageMagick.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:?usage: tools/screenshots.sh OUT_FOLDER [size] [language] [screen]}
size=${2:-1}
language=${3:-0}
screen=${4:-1920x1200}
mkdir -p "$out"
# shellcheck source=xvfb_game.sh
source "$root/tools/xvfb_game.sh"
start_game "$root/build/kesp" "$language" 1 "$size" "$screen"
shot() { sleep 1.5; import -window "$window" "$out/$1-$size-$language.png"; }
sleep 2
shot title
open_menu
shot menu

# "New Player", the login (name and password twice), then "To Begin" on the table: the places of
# the buttons follow the window's scales.
read -r width height < <(xdotool getwindowgeometry "$window" | awk '/Geometry/ {split($2, a, "x"); print a[1], a[2]}')
click_design() {  # a point of the 760 x 500 design, stretched to the window
  xdotool mousemove --window "$window" "$(awk -v a="$1" -v w="$width" 'BEGIN {printf "%d", a * w / 760}')" \
    "$(awk -v b="$2" -v h="$height" 'BEGIN {printf "%d", b * h / 500}')" click 1
}
click_design 380 440
sleep 1.5
xdotool type --delay 50 "Ann"
xdotool key Tab
xdotool type --delay 50 "pw"
xdotool key Tab
xdotool type --delay 50 "pw"
xdotool key Return
sleep 2
click_design 655 415
sleep 4
xdotool mousemove --window "$window" 2 2
shot table
