#!/usr/bin/env bash
# The main job: installs what is missing, builds the program, and converts the demo project
# (demo/) headless into movies and a run report in out/demo/. Works wherever the repository is.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/build/release"
out="$root/out/demo"

bash "$root/scripts/install-deps.sh"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DTAVREL_BUILD_TESTS=OFF -DTAVREL_BUILD_BENCH=OFF
cmake --build "$build" -j "$(nproc)" --target tavrel

# The shipped project names its sounds relative to demo/; the copy the program runs names
# them, the output folder and itself with absolute paths of this checkout.
rm -rf "$out"
mkdir -p "$out"
project="$out/demo.xml"
escape() { printf '%s' "$1" | sed -e 's/[\\&#]/\\&/g'; }
sed -e "s#<File>#<File>$(escape "$root/demo/")#g" \
    -e "s#<OutputFolder>[^<]*</OutputFolder>#<OutputFolder>$(escape "$out")</OutputFolder>#" \
    -e "s#<ProjectName>[^<]*</ProjectName>#<ProjectName>$(escape "$project")</ProjectName>#" \
    "$root/demo/demo.xml" > "$project"

# With no display the program runs without any window; its messages go to standard error.
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  export QT_QPA_PLATFORM=offscreen
fi
status=0
"$build/bin/tavrel" "-f:$project" -hide || status=$?

echo "run-demo: tavrel ended with status $status; $out holds:"
ls -l "$out"
if [ -f "$out/demo.txt" ]; then
  echo "run-demo: report $out/demo.txt:"
  tr -d '\r' < "$out/demo.txt"
fi
exit "$status"
