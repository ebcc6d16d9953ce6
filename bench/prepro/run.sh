#!/usr/bin/env bash
# The preprocessor benchmark: bench/prepro/run.sh BUILD_DIR [REPEAT]; builds morvacpp there.
# Inputs are generated once into BUILD_DIR/bench-prepro. Installs the peers
# (mcpp, tcc) first.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
bash "$here/../../scripts/setup_peers.sh"
build="$(cd "$1" && pwd)"
cmake --build "$build" --target morvacpp -j2 > /dev/null
export TOLVEXDIR="${TOLVEXDIR:-$build/stage}"
exec python3 "$here/bench_prepro.py" "$build/src/driver/morvacpp" "$build/bench-prepro" "${2:-5}"
