#!/usr/bin/env bash
# bench/real_c/run.sh BUILD_DIR: the whole morvastart run on a large
# real-shaped C file (system and library headers, C99 declarations and
# function bodies) against gcc -fsyntax-only in the same run: wall and CPU
# time and peak memory of each, and their ratios. BENCH_BLOCKS sets the
# size (default 2000 blocks).
set -euo pipefail
build="${1:-build}"
here="$(cd "$(dirname "$0")" && pwd)"
cmake --build "$build" --target morvastart -j2 > /dev/null
stage="$(mktemp -d)"
work="$(mktemp -d)"
trap 'rm -rf "$stage" "$work"' EXIT
cmake --install "$build" --prefix "$stage" > /dev/null 2>&1 || true
python3 "$here/bench_real_c.py" "$stage" "$work" "${BENCH_BLOCKS:-2000}"
