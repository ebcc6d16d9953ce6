#!/usr/bin/env bash
# bench/pint/run.sh BUILD_DIR: runs pint_bench from that build.
set -euo pipefail
build="${1:-build}"
cmake --build "$build" --target pint_bench -j2 > /dev/null
"$build/bench/pint/pint_bench"
