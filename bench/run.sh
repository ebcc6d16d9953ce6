#!/usr/bin/env bash
# Runs every benchmark: bench/run.sh [BUILD_DIR]. Builds the project there
# first (optimised, default "build"), then runs each bench/*/run.sh with it.
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build}"
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
fi
cmake --build "$build" -j2 > /dev/null
for script in bench/*/run.sh; do
  echo "== $(basename "$(dirname "$script")")"
  bash "$script" "$build"
done
