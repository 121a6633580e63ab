#!/usr/bin/env bash
# Runs every fuzz target of a fuzz build for SECONDS each, starting from its seed corpus.
# Usage: scripts/fuzz.sh BUILD_DIR SECONDS
set -euo pipefail
build=${1:?build directory}
seconds=${2:?seconds per target}
root=$(cd "$(dirname "$0")/.." && pwd)

shopt -s nullglob
targets=("$build"/fuzzers/fuzz_*)
[ ${#targets[@]} -gt 0 ] || { echo "no fuzz targets in $build/fuzzers" >&2; exit 1; }
for target in "${targets[@]}"; do
  name=$(basename "$target")
  work=$(mktemp -d)
  seeds=()
  [ -d "$root/fuzz/corpus/${name#fuzz_}" ] && seeds=("$root/fuzz/corpus/${name#fuzz_}")
  echo "fuzzing $name for ${seconds}s"
  "$target" -max_total_time="$seconds" -print_final_stats=0 "$work" "${seeds[@]}" \
    >"$work.log" 2>&1 || { tail -n 40 "$work.log"; echo "$name: finding" >&2; exit 1; }
  rm -rf "$work" "$work.log"
done
echo "fuzz: ${#targets[@]} targets ran ${seconds}s each without a finding"
