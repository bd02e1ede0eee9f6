#!/usr/bin/env bash
# Builds and starts the game.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/tools/build.sh"
exec "$root/build/kesp"
