#!/usr/bin/env bash
# Installs what is missing, builds only the commands, their translations and
# the host target (the description of this machine's C compiler), installs
# them into ./prefix and runs morvastart on the bundled example with that
# target, then prints the script it wrote.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF -DMORVA_BENCH=OFF > /dev/null
cmake --build build -j2 --target morvastart morvacpp morvadecl morva_translations morva_host_target
cmake --install build --prefix "$PWD/prefix" > /dev/null
out=$(mktemp -d)
cp examples/calc.c examples/calc.h "$out"/
cd "$out"
status=0
TOLVEXDIR="$OLDPWD/prefix" ZRLTGT="$OLDPWD/prefix/targets/host" "$OLDPWD/prefix/bin/morvastart" calc.c calc.ptu || status=$?
echo "--- $out/calc.ptu (exit status $status) ---"
cat calc.ptu 2>/dev/null || echo "(no script was written)"
exit "$status"
