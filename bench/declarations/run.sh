#!/usr/bin/env bash
# The analysis benchmark: bench/declarations/run.sh BUILD_DIR [SIZE_MB].
# Preprocesses and analyses (analyse_bench) a generated C input of SIZE_MB
# megabytes and a translation unit of common C system headers, and runs
# gcc -fsyntax-only on the same inputs; prints wall time and peak memory.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
build="$(cd "$1" && pwd)"
size="${2:-10}"
cmake --build "$build" --target analyse_bench -j2 > /dev/null
work="$build/bench-declarations"
mkdir -p "$work"
[ -f "$work/large.c" ] || python3 "$here/make_input.py" "$work/large.c" "$size"
# The system headers need the gcc extensions turned into nothing.
cat > "$work/gnu_std.h" <<'H'
#define __attribute__(x)
#define __asm__(x)
#define __asm(x)
#define __x86_64__ 1
#define __restrict
#define __restrict__
#define __extension__
#define __inline inline
#define __signed__ signed
#define __volatile__ volatile
#define __builtin_va_list char*
H
{
  echo '#include "gnu_std.h"'
  for h in stdio stdlib string math time signal setjmp ctype errno limits stdarg stddef assert locale \
           stdint wchar fcntl unistd sys/stat sys/types pthread dirent; do
    echo "#include <$h.h>"
  done
} > "$work/headers.c"
dirs=(/usr/include /usr/include/x86_64-linux-gnu "$(gcc -print-file-name=include)")
measure() { # label command...
  /usr/bin/time -f "%e %M" -o "$work/time.txt" "${@:2}" > "$work/out.txt" 2> "$work/err.txt" || true
  read -r secs kb < "$work/time.txt"
  printf '%-28s %8.2f s %10d KB\n' "$1" "$secs" "$kb"
}
cd "$work"
for input in large.c headers.c; do
  measure "analyse $input" "$build/bench/declarations/analyse_bench" "$input" "${dirs[@]}"
  tail -n 1 out.txt
  measure "gcc -fsyntax-only $input" gcc -fsyntax-only -w "$input"
done
