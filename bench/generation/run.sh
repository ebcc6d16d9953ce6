#!/usr/bin/env bash
# bench/generation/run.sh BUILD_DIR: the whole morvastart run on a large
# generated C file (types, globals and functions of every common kind),
# timed against gcc -fsyntax-only on the same file; the script's native
# lines are checked with gcc in the same run.
set -euo pipefail
build="${1:-build}"
here="$(cd "$(dirname "$0")" && pwd)"
cmake --build "$build" --target morvastart morvacpp -j2 > /dev/null
stage="$(mktemp -d)"
work="$(mktemp -d)"
trap 'rm -rf "$stage" "$work"' EXIT
cmake --install "$build" --prefix "$stage" > /dev/null 2>&1 || true
python3 "$here/bench_generation.py" "$stage" "$work" "${BENCH_FUNCTIONS:-1000}"
