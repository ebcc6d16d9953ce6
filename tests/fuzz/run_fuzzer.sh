#!/usr/bin/env bash
# Fuzzes cpp_preprocess_text: tests/fuzz/run_fuzzer.sh [SECONDS] [BUILD_DIR].
# Builds the fuzz target with clang (ASan + UBSan + libFuzzer) in BUILD_DIR
# (default build-fuzz), seeds the corpus from the tests and runs for SECONDS
# (default 1800). Crashing inputs land in BUILD_DIR/fuzz-artifacts; copy each
# into tests/fuzz/regressions under a name that says what it broke.
set -euo pipefail
. "$(dirname "$0")/fuzz_prologue.sh"
fuzz_prepare prepro_fuzzer 1800 "$@"
corpus="$build/fuzz-corpus"
artifacts="$build/fuzz-artifacts"
mkdir -p "$corpus" "$artifacts"
python3 -B tests/fuzz/make_corpus.py "$corpus"
cd "$build/fuzz-work" 2>/dev/null || { mkdir -p "$build/fuzz-work"; cd "$build/fuzz-work"; }
exec ../tests/fuzz/prepro_fuzzer -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2560 -max_len=16384 \
  -print_final_stats=1 -artifact_prefix=../fuzz-artifacts/ ../fuzz-corpus
