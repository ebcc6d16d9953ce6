#!/usr/bin/env bash
# Fuzzes cpp_preprocess_text: tests/fuzz/run_fuzzer.sh [SECONDS] [BUILD_DIR].
# Builds the fuzz target with clang (ASan + UBSan + libFuzzer) in BUILD_DIR
# (default build-fuzz), seeds the corpus from the tests and runs for SECONDS
# (default 1800). Crashing inputs land in BUILD_DIR/fuzz-artifacts; copy each
# into tests/fuzz/regressions under a name that says what it broke.
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
cmake --build "$build" --target prepro_fuzzer -j2 > /dev/null
corpus="$build/fuzz-corpus"
artifacts="$build/fuzz-artifacts"
mkdir -p "$corpus" "$artifacts"
python3 -B tests/fuzz/make_corpus.py "$corpus"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:allocator_may_return_null=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
cd "$build/fuzz-work" 2>/dev/null || { mkdir -p "$build/fuzz-work"; cd "$build/fuzz-work"; }
exec ../tests/fuzz/prepro_fuzzer -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2560 -max_len=16384 \
  -print_final_stats=1 -artifact_prefix=../fuzz-artifacts/ ../fuzz-corpus
