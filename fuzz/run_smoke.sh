#!/usr/bin/env bash
# One short, fixed fuzzing run of a fuzz target for ctest:
#   run_smoke.sh BINARY CORPUS RUNS ARTIFACTS
# Runs RUNS inputs starting from the seed corpus CORPUS, which is only read: inputs the run finds
# go to a scratch folder that is removed afterwards. A crashing input is kept in ARTIFACTS.
# Exits 77, which ctest reports as skipped, when BINARY was not built (the fuzz preset builds it).
set -euo pipefail
binary=$1 corpus=$2 runs=$3 artifacts=$4

if [ ! -x "$binary" ]; then
  echo "$binary is not built; build the fuzz preset: cmake --preset fuzz && cmake --build --preset fuzz"
  exit 77
fi
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$artifacts"
seeds=()
[ -d "$corpus" ] && seeds=("$corpus")

# A fixed seed, so that a run fails or passes the same way each time; the time limit only guards
# against a machine far slower than expected.
export TMPDIR="$scratch"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
"$binary" -runs="$runs" -seed=1 -max_total_time=120 -timeout=10 -print_final_stats=1 \
  -artifact_prefix="$artifacts/$(basename "$binary")-" "$scratch" "${seeds[@]}"
