#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test: the normal build, the sanitizer
# build (AddressSanitizer + UndefinedBehaviorSanitizer) and a short run of every fuzz target.
# FUZZ_SECONDS sets how long each fuzz target runs (default 10).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
jobs=$(nproc)

echo "== normal build"
cmake --preset default >/dev/null
cmake --build --preset default -j "$jobs"
ctest --preset default -j "$jobs"

echo "== sanitizer build"
cmake --preset sanitize >/dev/null
cmake --build --preset sanitize -j "$jobs"
ASAN_OPTIONS=detect_leaks=1 ctest --preset sanitize -j "$jobs"

echo "== fuzz targets"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$jobs"
scripts/fuzz.sh build/fuzz "${FUZZ_SECONDS:-10}"
