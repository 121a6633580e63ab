#!/usr/bin/env bash
# Installs every Debian package the project needs to build, run and test. Safe to run again.
set -euo pipefail

packages=(
  # build
  cmake ninja-build g++ pkg-config llvm clang libclang-rt-14-dev
  libx11-dev libxext-dev libfreetype-dev libfontconfig-dev libpng-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  # run
  fonts-liberation fonts-arphic-uming
  # tests and measurements
  xvfb xdotool x11-apps hyperfine
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
