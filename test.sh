#!/usr/bin/env bash
# Installs what is missing, builds the whole project once with
# AddressSanitizer and UndefinedBehaviorSanitizer, and runs every test.
set -euo pipefail
cd "$(dirname "$0")"

bash tools/install-deps.sh

build=build/test
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DPESTREL_SANITIZE=ON \
  -DPESTREL_TESTS=ON -DPESTREL_BENCH=OFF >/dev/null
cmake --build "$build" -j "$(nproc)"
ctest --test-dir "$build" --output-on-failure -j "$(nproc)"
