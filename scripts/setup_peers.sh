#!/usr/bin/env bash
# Installs the peers that only the benchmarks and the fuzzer use: clang with
# libFuzzer, and the mcpp and tcc preprocessors. bench/prepro/run.sh and
# tests/fuzz/run_fuzzer.sh call it themselves.
set -euo pipefail
bash "$(dirname "$0")/install_missing.sh" clang-14 libclang-rt-14-dev mcpp tcc
