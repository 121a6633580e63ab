#!/usr/bin/env bash
# Whole process, headless 1024x768: start, SETUP.INF read, backdrop painted, exit.
# Median of 20 runs (hyperfine) and peak resident set size (/usr/bin/time -v).
# Usage: bench/startup.sh [BUILD_DIR]   (default build/release; run `cmake --build` first)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build/release}" && pwd)
medium=$build/medium
[ -x "$medium/setup" ] || { echo "no $medium/setup: build the release preset first" >&2; exit 1; }

export W32_DISPLAY=headless W32_SCREEN=1024x768 W32_DRIVES="D=$medium"
hyperfine --warmup 3 --runs 20 --export-json /tmp/w32-startup.json "$medium/setup"
python3 - <<'PY' 2>/dev/null || true
import json; r = json.load(open('/tmp/w32-startup.json'))['results'][0]
print(f"median {r['median'] * 1000:.2f} ms over {len(r['times'])} runs")
PY
/usr/bin/time -v "$medium/setup" 2>&1 | grep -E "Maximum resident|Elapsed"
