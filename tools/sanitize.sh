#!/usr/bin/env bash
# Builds the test suites with the address, leak and undefined-behaviour sanitizers (gcc) in
# build-asan/ and runs them; a sanitizer report fails its test and the run. The groups are the
# tests' folders (ctest labels): by default all but the main window's (app), left out to keep the
# run short; KESP_SANITIZE_GROUPS="engine records" picks others.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/tools/deps.sh"
read -r -a groups <<<"${KESP_SANITIZE_GROUPS:-engine records network tools presentation windows}"
if [ ! -f "$root/build-asan/build.ninja" ]; then
  CC=gcc CXX=g++ cmake -S "$root" -B "$root/build-asan" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DKESP_SANITIZE=ON -DKESP_BUILD_BENCH=OFF
fi
cmake --build "$root/build-asan" --parallel "$(nproc)" --target "${groups[@]/#/tests_}"
# Full stacks for every allocation, so that the leak suppressions match by name (see lsan.supp).
export ASAN_OPTIONS=detect_stack_use_after_return=1:strict_string_checks=1:check_initialization_order=1
export ASAN_OPTIONS=$ASAN_OPTIONS:fast_unwind_on_malloc=0
export LSAN_OPTIONS=suppressions=$root/tools/lsan.supp
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
# Checks that measure memory leave out the figures the sanitizers' allocator makes meaningless.
export KESP_SANITIZED=1
cd "$root/build-asan"
labels=$(IFS='|' && echo "${groups[*]}")
ctest --output-on-failure --parallel "$(nproc)" --label-regex "^($labels)\$"
