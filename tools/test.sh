#!/usr/bin/env bash
# Builds everything and runs every test suite, then the fuzz targets for a bounded time; exits
# non-zero when any test or fuzz target fails. The fuzz targets run even after a failing test, so
# that one run shows every failure.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/tools/build.sh"
status=0
(cd "$root/build" && ctest --output-on-failure --parallel "$(nproc)") || status=1
bash "$root/tools/fuzz.sh" || status=1
exit "$status"
