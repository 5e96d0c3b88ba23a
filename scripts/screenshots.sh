#!/usr/bin/env bash
# Writes PNG screenshots of the program's windows into the folder given as the argument:
#   main-window.png  the main window with a small project loaded
#   file-menu.png    the same with its File menu open
#   about.png        the about window
#   preferences.png  the preferences window
#   new-output-mode.png  the new-output-mode dialog over it
#   progress.png     the progress window
# The windows speak the language of LANG (LANG=de_DE.UTF-8: German); QT_FONT_DPI=170 shows them
# at a large font.
# The tool tavrel-screenshots (tools/screenshots/) runs on a virtual X display (xvfb-run): it
# creates the program's windows as the program does, loads the project, shows each window, grabs
# it and ends. TAVREL_SCREENSHOTS_BIN picks the tool; by default
# build/release/bin/tavrel-screenshots, built when missing.
set -euo pipefail

if [ $# -ne 1 ]; then
  echo "usage: $0 <output folder>" >&2
  exit 2
fi
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
mkdir -p "$1"
out="$(cd "$1" && pwd)"
bin="${TAVREL_SCREENSHOTS_BIN:-$root/build/release/bin/tavrel-screenshots}"

if [ ! -x "$bin" ]; then
  cmake -S "$root" -B "$root/build/release" -DCMAKE_BUILD_TYPE=Release -DTAVREL_BUILD_TESTS=OFF \
    -DTAVREL_BUILD_BENCH=OFF
  cmake --build "$root/build/release" -j "$(nproc)" --target tavrel-screenshots
  bin="$root/build/release/bin/tavrel-screenshots"
fi

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# A project as the program writes it (CR LF line ends); its values match no preset, so the
# window shows "Custom..." with the setting boxes open.
project="$work/Demo Project.xml"
{
  printf '<TavrelProject>\r\n'
  printf '<ProjectName>%s</ProjectName>\r\n' "$project"
  printf '<Quality>3</Quality>\r\n<Mode>j</Mode>\r\n<Bitrate>64</Bitrate>\r\n'
  printf '<OutputFolder>%s/movies/</OutputFolder>\r\n' "$HOME"
  printf '<Files>\r\n'
  for name in "birds at dawn.wav" "door bell.mp3" "intro jingle.wav" "rain.wav" "voice-over take 2.mp3"; do
    printf '<File>%s/sounds/%s</File>' "$HOME" "$name"
  done
  printf '</Files>\r\n'
  printf '<StopAction>2</StopAction>\r\n<FramePerSeconds>24</FramePerSeconds>\r\n<FrameTuner>-2</FrameTuner>\r\n'
  printf '</TavrelProject>\r\n'
} > "$project"

rm -f "$out/main-window.png" "$out/file-menu.png" "$out/about.png" "$out/preferences.png" "$out/new-output-mode.png" \
  "$out/progress.png"
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
# A sanitizer build reports Qt's caches as leaks at exit; they say nothing about the pictures.
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=0}"
timeout 120 xvfb-run -a -s "-screen 0 1024x768x24" "$bin" "$out" "$project"

for png in main-window.png file-menu.png about.png preferences.png new-output-mode.png progress.png; do
  if [ ! -s "$out/$png" ]; then
    echo "screenshots: $out/$png was not written" >&2
    exit 1
  fi
done
echo "screenshots: written to $out"
