#!/usr/bin/env bash
# Installs what is missing, builds the program optimised and starts it.
set -euo pipefail
cd "$(dirname "$0")"

bash tools/install-deps.sh

build=build/release
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DPESTREL_TESTS=OFF \
  -DPESTREL_BENCH=ON >/dev/null
cmake --build "$build" -j "$(nproc)"

if [[ -x "$build/app/pestrel" ]]; then
  exec "$build/app/pestrel"
fi
echo "The engine is built, but the program itself is not assembled yet: there is no pestrel to start."
echo "The colouring game alone can be tried with: $build/tools/game_demo"
