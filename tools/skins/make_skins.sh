#!/usr/bin/env bash
# Rebuilds the skin pictures in data/named/ from tools/skins: builds the
# generator (optimised, in build/tools) and runs it. Any arguments go on
# to the generator, e.g. --sheet /tmp/skins_sheet.png for a contact sheet.
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
build="$root/build/tools"

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DPESTREL_TESTS=OFF -DPESTREL_BENCH=OFF >/dev/null
cmake --build "$build" --target make_skins -j 2
"$build/tools/make_skins" "$root/data/named" "$@"
