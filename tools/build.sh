#!/usr/bin/env bash
# Configures (once) and builds the project in build/ with Ninja: optimised, with debug information
# and with assertions on.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/tools/deps.sh"
if [ ! -f "$root/build/build.ninja" ]; then
  cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
cmake --build "$root/build" --parallel "$(nproc)"
