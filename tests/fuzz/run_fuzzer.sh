#!/usr/bin/env bash
# Fuzzes one analyser: tests/fuzz/run_fuzzer.sh [KIND] [SECONDS] [BUILD_DIR].
# KIND is prepro (cpp_preprocess_text, the default), expression
# (parse_expression) or declarations (analyse_declarations). Installs the
# peers, builds KIND_fuzzer with clang (ASan + UBSan + libFuzzer) in
# BUILD_DIR (default build-fuzz), seeds BUILD_DIR/KIND-corpus and runs for
# SECONDS (default 1800). Crashing inputs land in BUILD_DIR/KIND-artifacts;
# copy each into tests/fuzz/regressions (prepro) or
# tests/fuzz/declaration_regressions under a name that says what it broke.
set -euo pipefail
kind=prepro
case "${1:-}" in prepro | expression | declarations) kind="$1" && shift ;; esac
seconds="${1:-1800}"
build="${2:-build-fuzz}"
cd "$(dirname "$0")/../.."
bash scripts/setup.sh --tests
bash scripts/setup_peers.sh
if [ ! -f "$build/CMakeCache.txt" ]; then
  CC=clang-14 CXX=clang++-14 cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DMORVA_FUZZ=ON -DMORVA_SANITIZE=ON > /dev/null
fi
cmake --build "$build" --target "${kind}_fuzzer" -j2 > /dev/null
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:allocator_may_return_null=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
corpus="$build/$kind-corpus"
max_len=16384
mkdir -p "$corpus" "$build/$kind-artifacts" "$build/$kind-work"
case "$kind" in
  # Every string literal of the preprocessor's tests, and the seeds of tests/fuzz/corpus.
  prepro) python3 -B tests/fuzz/make_corpus.py "$corpus" ;;
  declarations) cp tests/fuzz/declaration_corpus/* tests/fuzz/declaration_regressions/* "$corpus"/ ;;
  # A few expressions of every kind, one a seed, each at most 4,096 bytes long.
  expression)
    max_len=4096
    n=0
    while IFS= read -r seed; do
      n=$((n + 1))
      printf '%s' "$seed" > "$corpus/seed_$n"
    done <<'SEEDS'
{1, 2, 3}
{1 => 2, 3..4 => 5, others => 0}
a[i..j] + [1..2]
'ab' + '\E' + '\x41' + L'\q' + "s\t\"" L"w"
0FFh + 101b + 0x1Fu + 017L + 1.5e3f
x = 1, y++ , --z
(T)s.m ? p->f(1, 2) : ~d
N::In(1) + ::g + S::k + new T(3) + ::new (p) char * + sizeof(unsigned int *)
o.*m - o->*m && !*p || &a[0]
delete p
SEEDS
    ;;
esac
cd "$build/$kind-work"
exec "../tests/fuzz/${kind}_fuzzer" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2560 -max_len="$max_len" \
  -print_final_stats=1 -artifact_prefix="../$kind-artifacts/" "../$kind-corpus"
