#!/usr/bin/env bash
# Installs every Debian package the build, the tests and the benchmarks use.
# Does nothing when all of them are already there.
set -euo pipefail
packages=(cmake g++ make pkg-config git qt6-base-dev qt6-tools-dev qt6-l10n-tools qt6-tools-dev-tools
          flex bison libgtest-dev libgmock-dev python3
          mcpp tcc clang-14 libclang-rt-14-dev)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ "${#missing[@]}" -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
