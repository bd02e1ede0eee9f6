#!/usr/bin/env bash
# Fails when a C++ source of the repository is not formatted as .clang-format says; prints the
# places. `clang-format -i FILE` formats a file.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/tools/deps.sh"
cd "$root"
git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror
