#!/usr/bin/env bash
# Runs every benchmark: bench/run.sh [BUILD_DIR]. Configures BUILD_DIR
# (optimised, default "build") when needed, then runs each bench/*/run.sh
# with it; each builds the programs it times.
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build}"
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
fi
for script in bench/*/run.sh; do
  echo "== $(basename "$(dirname "$script")")"
  bash "$script" "$build"
done
