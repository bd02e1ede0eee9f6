#!/usr/bin/env bash
# Builds the fuzz targets with clang in build-fuzz/ and runs each for a bounded time
# (KESP_FUZZ_SECONDS, 20 by default).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/tools/deps.sh"
seconds=${KESP_FUZZ_SECONDS:-20}
if [ ! -f "$root/build-fuzz/build.ninja" ]; then
  CC=clang CXX=clang++ cmake -S "$root" -B "$root/build-fuzz" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DKESP_FUZZ=ON -DKESP_FUZZ_SECONDS="$seconds"
else
  cmake -S "$root" -B "$root/build-fuzz" -DKESP_FUZZ_SECONDS="$seconds" >/dev/null
fi
cmake --build "$root/build-fuzz" --parallel "$(nproc)"
cd "$root/build-fuzz"
ctest --output-on-failure --parallel "$(nproc)"
