#!/usr/bin/env bash
# Fuzzes analyse_declarations: tests/fuzz/run_declarations_fuzzer.sh [SECONDS] [BUILD_DIR].
# Builds the target with clang (ASan + UBSan + libFuzzer) in BUILD_DIR
# (default build-fuzz), seeds the corpus from tests/fuzz/declaration_corpus
# and runs for SECONDS (default 1800). Crashing inputs land in
# BUILD_DIR/declarations-artifacts; copy each into
# tests/fuzz/declaration_regressions under a name that says what it broke.
set -euo pipefail
. "$(dirname "$0")/fuzz_prologue.sh"
fuzz_prepare declarations_fuzzer 1800 "$@"
corpus="$build/declarations-corpus"
artifacts="$build/declarations-artifacts"
mkdir -p "$corpus" "$artifacts" "$build/declarations-work"
cp tests/fuzz/declaration_corpus/* tests/fuzz/declaration_regressions/* "$corpus"/ 2>/dev/null || true
cd "$build/declarations-work"
exec ../tests/fuzz/declarations_fuzzer -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2560 -max_len=16384 \
  -print_final_stats=1 -artifact_prefix=../declarations-artifacts/ ../declarations-corpus
