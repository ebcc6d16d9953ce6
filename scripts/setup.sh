#!/usr/bin/env bash
# Installs the Debian packages that building the commands and running the
# test suite need: the compilers and build tools, Qt 6 Core and its
# translation tools, flex and bison, GoogleTest, python3 and gcc, which
# the preprocessor comparisons run, and the C library headers that the
# real-C end-to-end tests analyse. The peers that only the benchmarks and
# the fuzzer use come from scripts/setup_peers.sh.
set -euo pipefail
bash "$(dirname "$0")/install_missing.sh" \
  cmake g++ gcc make pkg-config qt6-base-dev qt6-tools-dev qt6-l10n-tools qt6-tools-dev-tools \
  flex bison libgtest-dev libgmock-dev python3 \
  zlib1g-dev libexpat1-dev liblmdb-dev libpng-dev libcurl4-openssl-dev libxml2-dev libuv1-dev \
  libsqlite3-dev libjansson-dev libyaml-dev
