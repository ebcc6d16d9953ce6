# Sourced by the run_*fuzzer.sh scripts, which share their build. After
# "fuzz_prepare TARGET DEFAULT_SECONDS [SECONDS] [BUILD_DIR]": $seconds and
# $build are set (BUILD_DIR defaults to build-fuzz), the peers are installed,
# TARGET is built with clang (ASan + UBSan + libFuzzer) in $build, the
# sanitizer options are exported, and the working directory is the source root.
fuzz_prepare() {
  local target="$1"
  seconds="${3:-$2}"
  build="${4:-build-fuzz}"
  cd "$(dirname "${BASH_SOURCE[0]}")/../.."
  bash scripts/setup.sh --tests
  bash scripts/setup_peers.sh
  if [ ! -f "$build/CMakeCache.txt" ]; then
    CC=clang-14 CXX=clang++-14 cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DMORVA_FUZZ=ON -DMORVA_SANITIZE=ON > /dev/null
  fi
  cmake --build "$build" --target "$target" -j2 > /dev/null
  export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:allocator_may_return_null=0
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
}
