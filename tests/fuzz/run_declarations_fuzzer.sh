#!/usr/bin/env bash
# Fuzzes analyse_declarations: tests/fuzz/run_declarations_fuzzer.sh [SECONDS] [BUILD_DIR].
# Builds the target with clang (ASan + UBSan + libFuzzer) in BUILD_DIR
# (default build-fuzz), seeds the corpus from tests/fuzz/declaration_corpus
# and runs for SECONDS (default 1800). Crashing inputs land in
# BUILD_DIR/declarations-artifacts; copy each into
# tests/fuzz/declaration_regressions under a name that says what it broke.
set -euo pipefail
cd "$(dirname "$0")/../.."
seconds="${1:-1800}"
build="${2:-build-fuzz}"
bash scripts/setup.sh
bash scripts/setup_peers.sh
if [ ! -f "$build/CMakeCache.txt" ]; then
  CC=clang-14 CXX=clang++-14 cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DMORVA_FUZZ=ON -DMORVA_SANITIZE=ON > /dev/null
fi
cmake --build "$build" --target declarations_fuzzer -j2 > /dev/null
corpus="$build/declarations-corpus"
artifacts="$build/declarations-artifacts"
mkdir -p "$corpus" "$artifacts" "$build/declarations-work"
cp tests/fuzz/declaration_corpus/* tests/fuzz/declaration_regressions/* "$corpus"/ 2>/dev/null || true
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:allocator_may_return_null=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
cd "$build/declarations-work"
exec ../tests/fuzz/declarations_fuzzer -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2560 -max_len=16384 \
  -print_final_stats=1 -artifact_prefix=../declarations-artifacts/ ../declarations-corpus
