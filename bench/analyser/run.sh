#!/usr/bin/env bash
# bench/analyser/run.sh BUILD_DIR: runs scope_table_bench from that build.
set -euo pipefail
build="${1:-build}"
cmake --build "$build" --target scope_table_bench -j2 > /dev/null
"$build/bench/analyser/scope_table_bench"
