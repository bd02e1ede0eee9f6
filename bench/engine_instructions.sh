#!/usr/bin/env bash
# The engine's work per deal, in instructions: valgrind's callgrind counts what `kesp-sim play`
# executes for two numbers of games with the same seed; the difference, divided by the difference
# in deals, leaves out the start-up and is what one computer-only deal costs (shuffle, deal,
# decisions, discards, draw, tricks, scoring, and the simulator's steps that drive them).
#
#   bash bench/engine_instructions.sh [games] [seed] [kesp-sim binary]
#
# Defaults: 2000 games, seed 1, build/tools/sim/kesp-sim. Instruction counts do not depend on the
# machine's load, so the figure is repeatable to the instruction.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
games=${1:-2000}
seed=${2:-1}
sim=${3:-$root/build/tools/sim/kesp-sim}
command -v valgrind >/dev/null || { echo "engine_instructions.sh: valgrind is not installed" >&2; exit 2; }
[ -x "$sim" ] || { echo "engine_instructions.sh: no $sim (cmake --build build --target kesp-sim)" >&2; exit 2; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Prints "<instructions> <deals>" for a run of $1 games.
measure() {
  valgrind --tool=callgrind --callgrind-out-file="$work/out.%p" "$sim" play --games "$1" --seed "$seed" \
    >"$work/play" 2>"$work/valgrind"
  local instructions deals
  instructions=$(sed -n 's/.*I[[:space:]]*refs:[[:space:]]*//p' "$work/valgrind" | tr -d ,)
  deals=$(sed -n 's/^deals: //p' "$work/play")
  echo "$instructions $deals"
}

read -r small_ir small_deals < <(measure 1)
read -r large_ir large_deals < <(measure "$games")
per_deal=$(( (large_ir - small_ir) / (large_deals - small_deals) ))
echo "kesp-sim play --seed $seed: 1 game = $small_deals deals, $small_ir instructions;" \
  "$games games = $large_deals deals, $large_ir instructions"
echo "instructions per deal: $per_deal"
