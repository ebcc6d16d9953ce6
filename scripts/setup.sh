#!/usr/bin/env bash
# setup.sh [--tests]: installs the Debian packages that are missing. Without
# an argument, what building and running the commands needs: the compilers
# and build tools (gcc also describes the host target), Qt 6 Core and its
# translation tools, flex and bison. With --tests, also what the test suite
# needs: GoogleTest, python3 for the preprocessor comparisons, and the C
# library headers that the real-C end-to-end tests analyse. The peers that
# only the benchmarks and the fuzzer use come from scripts/setup_peers.sh.
set -euo pipefail
packages=(cmake g++ gcc make pkg-config qt6-base-dev qt6-tools-dev qt6-l10n-tools qt6-tools-dev-tools
  flex bison)
if [ "${1:-}" = "--tests" ]; then
  packages+=(libgtest-dev libgmock-dev python3
    zlib1g-dev libexpat1-dev liblmdb-dev libpng-dev libcurl4-openssl-dev libxml2-dev libuv1-dev
    libsqlite3-dev libjansson-dev libyaml-dev)
fi
bash "$(dirname "$0")/install_missing.sh" "${packages[@]}"
