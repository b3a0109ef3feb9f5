#!/usr/bin/env bash
# Installs every package the build, the tests and the asset generators need.
# Safe to run again: it asks apt only for what is missing and says nothing
# when everything is already there.
set -euo pipefail

packages=(
  # build
  cmake g++ ninja-build pkg-config
  # libraries the engine calls
  libboost-dev libpng-dev libjpeg62-turbo-dev libogg-dev libvorbis-dev
  libtheora-dev libxerces-c-dev libagg-dev libsdl2-dev libfreetype-dev
  libfontconfig-dev fonts-liberation2 libcups2-dev libcairo2-dev
  # tests and benchmarks
  libgtest-dev libgmock-dev libbenchmark-dev xvfb xdotool x11-xkb-utils gnumeric
)

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

sudo=()
[[ "$(id -u)" -eq 0 ]] || sudo=(sudo)

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
