#!/usr/bin/env bash
# Installs what is missing, builds the commands and the test suite (not the
# benchmarks) and runs the suite with ctest. With --sanitize the build uses
# AddressSanitizer and UndefinedBehaviorSanitizer in its own build directory.
# MORVA_WERROR=ON in the environment (CI) makes every warning an error.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh --tests
dir=build
flags=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
if [ "${1:-}" = "--sanitize" ]; then
  dir=build-sanitize
  flags=(-DCMAKE_BUILD_TYPE=Debug -DMORVA_SANITIZE=ON)
  export ASAN_OPTIONS=detect_leaks=0:abort_on_error=0:allocator_may_return_null=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
fi
cmake -S . -B "$dir" "${flags[@]}" -DBUILD_TESTING=ON -DMORVA_BENCH=OFF -DMORVA_WERROR="${MORVA_WERROR:-OFF}" > /dev/null
cmake --build "$dir" -j2
ctest --test-dir "$dir" -j2 --output-on-failure --timeout 600
