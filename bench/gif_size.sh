#!/usr/bin/env bash
# The GIF of a recorded deal against ImageMagick's optimised GIF of the same frames: the frames of
# one computer-played deal (the same deal every run) are written as PNG files, the game makes its
# GIF of them and ImageMagick its `-layers Optimize` one. Prints each file's size, the time each
# took, the game's save at the end of a deal, and the PSNR of each GIF's frames (as a viewer shows
# them) against the window's pictures: the lowest frame, the median frame and all frames together.
#
#   bash bench/gif_size.sh [frames] [build folder]
#
# Defaults: 150 frames, build/. Needs the bench target gif_frames built
# (cmake --build build --target gif_frames) and ImageMagick (apt-get install -y imagemagick).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
frames=${1:-150}
build=${2:-$root/build}
for tool in convert compare; do
  command -v "$tool" >/dev/null || { echo "needs $tool (apt-get install -y imagemagick)" >&2; exit 2; }
done
[ -x "$build/bench/gif_frames" ] || { echo "build gif_frames first" >&2; exit 2; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

QT_QPA_PLATFORM=offscreen "$build/bench/gif_frames" "$work" "$frames" > "$work/kesp.txt"
start=$(date +%s%N)
convert -delay 100 "$work"/frame_*.png -loop 0 -layers Optimize "$work/magick.gif"
magick_ms=$((($(date +%s%N) - start) / 1000000))

# Per frame: the mean squared error normalised to 0..1 of the GIF's frame against the window's.
errors() {
  local gif=$1 i=0
  mkdir -p "$work/shown"
  rm -f "$work"/shown/*
  convert "$gif" -coalesce "$work/shown/%03d.png"
  for frame in "$work"/frame_*.png; do
    # compare ends its figure without a newline and exits 1 when the pictures differ.
    { compare -metric MSE "$frame" "$work/shown/$(printf %03d "$i").png" null: 2>&1 || true; echo; } |
      sed 's/.*(\(.*\))/\1/'
    i=$((i + 1))
  done
}
summary() {  # name, bytes, ms, then the errors on stdin
  sort -g | awk -v n="$1" -v b="$2" -v ms="$3" '
    function psnr(e) { return e > 0 ? 10 * log(1 / e) / log(10) : 99 }
    { e[NR] = $1; sum += $1 }
    END {
      printf "%-12s %9d bytes %7.1f KiB %7d ms  PSNR dB: lowest frame %5.1f  median frame %5.1f  all %5.1f\n",
        n, b, b / 1024, ms, psnr(e[NR]), psnr(e[int((NR + 1) / 2)]), psnr(sum / NR)
    }'
}
echo "$(awk '/^frames/ {print $2}' "$work/kesp.txt") frames of one deal, 760 x 500"
errors "$work/kesp.gif" | summary kesp "$(stat -c %s "$work/kesp.gif")" \
  "$(awk '/^record_ms/ {printf "%d", $2}' "$work/kesp.txt")"
errors "$work/magick.gif" | summary imagemagick "$(stat -c %s "$work/magick.gif")" "$magick_ms"
kesp_bytes=$(stat -c %s "$work/kesp.gif")
magick_bytes=$(stat -c %s "$work/magick.gif")
awk -v k="$kesp_bytes" -v m="$magick_bytes" 'BEGIN {printf "kesp / imagemagick size: %.3f\n", k / m}'
echo "kesp save at the end of the deal: $(awk '/^save_ms/ {print $2}' "$work/kesp.txt") ms (median)"
