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

open_table
shot table
