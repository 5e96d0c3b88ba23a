#!/usr/bin/env bash
# The main job: installs what is missing, builds the program, and converts the demo project
# (demo/) headless into movies and a run report in out/. Works wherever the repository is.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/build/release"
out="$root/out"

bash "$root/scripts/install-deps.sh"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DTAVREL_BUILD_TESTS=OFF -DTAVREL_BUILD_BENCH=OFF
# Everything the install step puts in place (`cmake --install build/release`, docs/packaging.md), not
# only the program the demo runs.
cmake --build "$build" -j "$(nproc)"

# The shipped project names its sounds and its output folder (../out) relative to its own
# folder, so it runs as it is from anywhere.
rm -rf "$out"

# With no display the program runs without any window; its messages go to standard error.
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  export QT_QPA_PLATFORM=offscreen
fi
status=0
"$build/bin/tavrel" "-f:$root/demo/demo.xml" -hide || status=$?

echo "run-demo: tavrel ended with status $status; $out holds:"
ls -l "$out"
if [ -f "$out/demo.txt" ]; then
  echo "run-demo: report $out/demo.txt:"
  tr -d '\r' < "$out/demo.txt"
fi
exit "$status"
