#!/usr/bin/env bash
# Installs what is missing, builds the sound tests under ThreadSanitizer and
# runs them, then builds the whole project once with AddressSanitizer and
# UndefinedBehaviorSanitizer and runs every test. The last lines are
# CTest's summary of the whole suite.
set -euo pipefail
cd "$(dirname "$0")"

bash tools/install-deps.sh

# Tests run on the headless backends; the few that need a real display or
# sound driver choose one themselves.
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy

# The sound tests under ThreadSanitizer: their playback threads are where
# the program runs code on more than one thread. Only those two suites are
# built here.
tsan=build/test-tsan
cmake -S . -B "$tsan" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DPESTREL_SANITIZE_THREAD=ON \
  -DPESTREL_TESTS=ON -DPESTREL_BENCH=OFF >/dev/null
cmake --build "$tsan" -j "$(nproc)" --target audio_device_tests sound_tests
suites='SoundDeviceCreation|SoundDeviceTest|SoundMixing|SoundSdlOutput|SoundStreams|SoundNames|SoundIds'
suites+='|SoundWithoutDevice|SoundExclusiveOrFormatRefused/SoundStartUpFallback'
ctest --test-dir "$tsan" --output-on-failure -j "$(nproc)" -R "^($suites)\\."

build=build/test
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DPESTREL_SANITIZE=ON \
  -DPESTREL_TESTS=ON -DPESTREL_BENCH=OFF >/dev/null
cmake --build "$build" -j "$(nproc)"
ctest --test-dir "$build" --output-on-failure -j "$(nproc)"
