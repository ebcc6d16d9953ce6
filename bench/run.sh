#!/usr/bin/env bash
# Runs every benchmark: bench/run.sh [BUILD_DIR]. Configures BUILD_DIR
# (default "build"; optimised when new) with the benchmarks switched on,
# then runs each bench/*/run.sh with it; each builds the programs it times
# and installs the peers it compares with.
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build}"
bash scripts/setup.sh --tests
if [ -f "$build/CMakeCache.txt" ]; then
  cmake -S . -B "$build" -DMORVA_BENCH=ON > /dev/null
else
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMORVA_BENCH=ON > /dev/null
fi
for script in bench/*/run.sh; do
  echo "== $(basename "$(dirname "$script")")"
  bash "$script" "$build"
done
