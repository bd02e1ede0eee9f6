# Sourced by bench/menu_idle.sh and tools/screenshots.sh: runs a built game in a temporary program
# folder of its own (with the build's club files and libraries) on a private Xvfb display.
#   start_game BINARY LANGUAGE GIF_ANIMATION WINDOW_SIZE [SCREEN] [SOUND]
#     sets game_pid, window (the game's X window) and folder; SOUND is the settings' sound and
#     music digit: 0 (the default) both off, 1 both on
#   open_menu   clicks the title screen until the menu shows
#   open_table  from the menu: a new player logs in and the first deal is dealt
# An EXIT trap stops the game and Xvfb and removes the folder.
for tool in Xvfb xdotool import convert; do
  command -v "$tool" >/dev/null || { echo "needs $tool (apt-get install -y xvfb xdotool imagemagick)" >&2; exit 2; }
done
folder=$(mktemp -d)
xvfb_pid=""
game_pid=""
window=""
stop_game() {
  [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$folder"
}
trap stop_game EXIT

start_game() {
  local binary=$1 language=$2 gif=$3 size=$4 screen=${5:-1920x1200} sound=${6:-0} display=90 build
  [ -x "$binary" ] || { echo "no game at $binary: build it first" >&2; exit 2; }
  build=$(dirname "$binary")
  cp "$binary" "$folder/kesp"
  for f in "$build"/Kesp.clb "$build"/Kesp.net "$build"/*.dll; do [ -e "$f" ] && cp "$f" "$folder/"; done
  # The settings file: the line under <# General> (language, sound and music, the GIF animation,
  # the window size), the other lines empty, so the rest keeps its defaults.
  {
    printf '<# General>\r\n%s%s%s11014%s##110010000\r\n' "$language" "$sound" "$gif" "$size"
    for _ in $(seq 3 35); do printf '\r\n'; done
  } > "$folder/Kesp.ini"
  while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do display=$((display + 1)); done
  Xvfb ":$display" -screen 0 "${screen}x24" -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$display" ] && break; sleep 0.1; done
  export DISPLAY=":$display" QT_QPA_PLATFORM=xcb
  "$folder/kesp" >/dev/null 2>&1 &
  game_pid=$!
  window=$(timeout 30 xdotool search --sync --onlyvisible --name Kesp | head -1)
}

# The title screen is black at its corner, the menu is not.
title_showing() { [ "$(import -window "$window" png:- | convert - -format '%[pixel:p{2,2}]' info:)" = "srgb(0,0,0)" ]; }

open_menu() {
  for _ in $(seq 10); do
    xdotool mousemove --window "$window" 300 300 click 1
    sleep 1
    title_showing || break
  done
  ! title_showing || { echo "the menu did not open" >&2; exit 1; }
  xdotool mousemove --window "$window" 2 2  # away from the buttons
}

# "New Player", the login (name and password twice), then "To Begin" on the table: the places of
# the buttons follow the window's scales.
open_table() {
  local width height
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
}
