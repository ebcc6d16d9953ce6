#!/usr/bin/env bash
# Fuzzes parse_expression: tests/fuzz/run_expression_fuzzer.sh [SECONDS] [BUILD_DIR].
# Builds the fuzz target with clang (ASan + UBSan + libFuzzer) in BUILD_DIR
# (default build-fuzz), seeds a corpus with a few expressions of every kind
# and runs for SECONDS (default 1200). Crashing inputs land in
# BUILD_DIR/expression-artifacts.
set -euo pipefail
. "$(dirname "$0")/fuzz_prologue.sh"
fuzz_prepare expression_fuzzer 1200 "$@"
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
cd "$build"
exec ./tests/fuzz/expression_fuzzer -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2560 -max_len=4096 \
  -print_final_stats=1 -artifact_prefix=expression-artifacts/ expression-corpus
