#!/usr/bin/env bash
# Builds and starts the game. Until the window lands this plays a few headless games with kesp-sim.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/tools/build.sh"
"$root/build/tools/sim/kesp-sim" play --games 5
