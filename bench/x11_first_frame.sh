#!/usr/bin/env bash
# The X11 backend under Xvfb: time from start to the first full frame presented (the backdrop's
# first client row, blue 255, visible on the X screen), median of 10 runs.
# Usage: bench/x11_first_frame.sh [BUILD_DIR]   (default build/release, built beforehand)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build/release}" && pwd)
app=$build/bench/first_frame_app
probe=$build/bench/frame_probe
[ -x "$app" ] && [ -x "$probe" ] || { echo "build $build first" >&2; exit 1; }

number=97
Xvfb :$number -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
server=$!
trap 'kill $server 2>/dev/null; wait $server 2>/dev/null || true' EXIT
for _ in $(seq 100); do [ -e /tmp/.X11-unix/X$number ] && break; sleep 0.05; done

export DISPLAY=:$number W32_DISPLAY=fullscreen
times=()
for _ in $(seq 10); do
  times+=("$("$probe" 512 1 0000ff 5000 "$app")")
done
printf '%s\n' "${times[@]}" | sort -n | awk '{a[NR]=$1} END {printf "runs: %d, median %.2f ms, min %.2f ms, max %.2f ms\n", NR, (a[5]+a[6])/2, a[1], a[NR]}'
