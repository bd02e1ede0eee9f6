#!/usr/bin/env bash
# Builds everything and runs every test suite, the fuzz targets for a bounded time first;
# exits non-zero when any test fails.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/tools/build.sh"
bash "$root/tools/fuzz.sh"
cd "$root/build"
ctest --output-on-failure --parallel "$(nproc)"
