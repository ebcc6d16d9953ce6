#!/usr/bin/env bash
# Fuzzes parse_expression: tests/fuzz/run_expression_fuzzer.sh [SECONDS] [BUILD_DIR].
# Builds the fuzz target with clang (ASan + UBSan + libFuzzer) in BUILD_DIR
# (default build-fuzz), seeds a corpus with a few expressions of every kind
# and runs for SECONDS (default 1200). Crashing inputs land in
# BUILD_DIR/expression-artifacts.
set -euo pipefail
cd "$(dirname "$0")/../.."
seconds="${1:-1200}"
build="${2:-build-fuzz}"
bash scripts/setup.sh
bash scripts/setup_peers.sh
if [ ! -f "$build/CMakeCache.txt" ]; then
  CC=clang-14 CXX=clang++-14 cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DMORVA_FUZZ=ON -DMORVA_SANITIZE=ON > /dev/null
fi
cmake --build "$build" --target expression_fuzzer -j2 > /dev/null
corpus="$build/expression-corpus"
artifacts="$build/expression-artifacts"
mkdir -p "$corpus" "$artifacts"
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
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:allocator_may_return_null=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
cd "$build"
exec ./tests/fuzz/expression_fuzzer -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2560 -max_len=4096 \
  -print_final_stats=1 -artifact_prefix=expression-artifacts/ expression-corpus
