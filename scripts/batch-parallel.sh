#!/usr/bin/env bash
# Converts a folder of sound files as N projects run by GNU parallel: on this machine, or spread
# over several (parallel's --sshlogin) when the folders are shared. Ends with the worst exit
# status of the runs.
#
#   scripts/batch-parallel.sh [--projects-only] SOUND_FOLDER OUTPUT_FOLDER N [-- PARALLEL_OPTIONS...]
#
# The sound files of SOUND_FOLDER (not its subfolders) are split into N projects,
# OUTPUT_FOLDER/projects/part-<k>.xml (the program writes them: tavrel -n --save-project), that
# write their movies into OUTPUT_FOLDER and their run reports there as part-<k>.txt. Files that
# would share a movie or an intermediate MP3 (a.wav, a.mp3, a.flac; a.1.wav, whose name a
# numbered movie or MP3 may take; names that differ in case only) stay in one project, in list
# order, so the split run gives the movies and report lines of one run. --projects-only writes
# the projects, prints their paths and ends: for a cluster's job array, whose task k runs
#   tavrel -f:OUTPUT_FOLDER/projects/part-<k>.xml -hide
# Options after "--" go to GNU parallel, e.g. --sshlogin 2/host1,2/host2 or --jobs 2. Each run
# keeps every processor of its machine busy by itself (settings.ini, encoders), so by default
# each machine runs one project at a time.
#
# Environment: TAVREL, the program (default build/release/bin/tavrel, built when missing);
# QUALITY, MODE, BITRATE (default 5, j, 128), STOPACTION (0), FPS (12) and TUNER (0) for the
# projects. Exit status: 2, 1, 3 or 4 if any run ended so (in this order of precedence, see
# docs/scale.md), another status of a run that ended unexpectedly, or 0 when every run completed.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

projects_only=0
if [ "${1:-}" = "--projects-only" ]; then
  projects_only=1
  shift
fi
if [ $# -lt 3 ] || { [ $# -gt 3 ] && [ "$4" != "--" ]; }; then
  echo "usage: $0 [--projects-only] SOUND_FOLDER OUTPUT_FOLDER N [-- PARALLEL_OPTIONS...]" >&2
  exit 1
fi
# The folders' full paths, kept whole even when they end in a line break.
sounds="$(cd "$1" && pwd && echo .)"
sounds="${sounds%$'\n.'}"
mkdir -p "$2"
out="$(cd "$2" && pwd && echo .)"
out="${out%$'\n.'}"
case "$out" in
  *$'\n' | *$'\r')
    echo "batch-parallel: a project cannot hold an output folder whose name ends in a line break: $out" >&2
    exit 1 ;;
esac
parts="$3"
shift 3
[ $# -gt 0 ] && shift # the "--"
case "$parts" in
  '' | *[!0-9]* | 0) echo "batch-parallel: N must be a whole number of 1 or more" >&2; exit 1 ;;
esac

# The sound files in name order; a name holding "</File" cannot stand in a project file.
shopt -s nullglob nocaseglob
files=()
for f in "$sounds"/*.wav "$sounds"/*.mp3 "$sounds"/*.flac "$sounds"/*.aif "$sounds"/*.aiff "$sounds"/*.ogg; do
  [ -f "$f" ] || continue
  case "$f" in
    *'</File'*) echo "batch-parallel: skipped, its name cannot be written into a project: $f" >&2; continue ;;
  esac
  files+=("$f")
done
shopt -u nocaseglob
if [ ${#files[@]} -eq 0 ]; then
  echo "batch-parallel: no sound files in $sounds" >&2
  exit 1
fi
mapfile -d '' files < <(printf '%s\0' "${files[@]}" | LC_ALL=C sort -z)
[ "$parts" -gt ${#files[@]} ] && parts=${#files[@]}

# A file's movie and intermediate MP3 are its final component with the extension changed, so
# files share one when they share the rest of that name, its stem. A name in use gets the first
# free numbered one ("c.1.swf"), which a file named so would want as well, and a disk may ignore
# letter case: the stem without its numbered parts, in lower case, decides. Groups go to the
# projects in the order they first appear, part k taking them until about k * count / N files.
count=${#files[@]}
declare -A group_of=()
group=()
size=()
groups=0
for ((i = 0; i < count; i++)); do
  stem="${files[i]##*/}"
  stem="${stem%.*}"
  while [[ "$stem" =~ ^(.+)\.[0-9]+$ ]]; do
    stem="${BASH_REMATCH[1]}"
  done
  key="s${stem,,}"
  if [ -z "${group_of[$key]+set}" ]; then
    group_of[$key]=$groups
    size[groups]=0
    groups=$((groups + 1))
  fi
  group[i]=${group_of[$key]}
  size[group[i]]=$((size[group[i]] + 1))
done
part_of=()
k=1
taken=0
for ((g = 0; g < groups; g++)); do
  part_of[g]=$k
  taken=$((taken + size[g]))
  if [ "$k" -lt "$parts" ] && [ "$taken" -ge $((k * count / parts)) ]; then
    k=$((k + 1))
  fi
done

program="${TAVREL:-$root/build/release/bin/tavrel}"
if [ -z "${TAVREL:-}" ] && [ ! -x "$program" ]; then
  bash "$root/scripts/install-deps.sh"
  cmake -S "$root" -B "$root/build/release" -DCMAKE_BUILD_TYPE=Release -DTAVREL_BUILD_TESTS=OFF \
    -DTAVREL_BUILD_BENCH=OFF
  cmake --build "$root/build/release" -j "$(nproc)" --target tavrel
fi
# Without a display the program runs without any window.
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  export QT_QPA_PLATFORM=offscreen
fi

# The program writes each project itself from its options and its part of the list (NUL-separated,
# so a name holding a line break stays one name).
case "${MODE:-j}" in
  s) channels=stereo ;; j) channels=joint ;; f) channels=force ;; m) channels=mono ;; a) channels=auto ;;
  *) echo "batch-parallel: MODE must be s, j, f, m or a" >&2; exit 1 ;;
esac
stops=(none start end)
case "${STOPACTION:-0}" in
  0 | 1 | 2) ;;
  *) echo "batch-parallel: STOPACTION must be 0, 1 or 2" >&2; exit 1 ;;
esac
mkdir -p "$out/projects"
rm -f "$out"/projects/part-*.xml
projects=()
for ((k = 1; k <= parts; k++)); do
  list=()
  for ((i = 0; i < count; i++)); do
    if [ "${part_of[group[i]]}" -eq "$k" ]; then
      list+=("${files[i]}")
    fi
  done
  [ ${#list[@]} -gt 0 ] || continue
  project="$out/projects/part-$k.xml"
  printf '%s\0' "${list[@]}" | "$program" -n -0 --files-from - --save-project "$project" -o "$out" \
    --quality "${QUALITY:-5}" --channel-mode "$channels" --bitrate "${BITRATE:-128}" \
    --stop "${stops[${STOPACTION:-0}]}" --fps "${FPS:-12}" --tuner "${TUNER:-0}" > /dev/null
  projects+=("$project")
done

if [ $projects_only -eq 1 ]; then
  printf '%s\n' "${projects[@]}"
  exit 0
fi

if ! command -v parallel > /dev/null; then
  echo "batch-parallel: installing GNU parallel"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends parallel
fi
log="$out/projects/joblog.txt"
# NUL-separated, so a folder name holding a line break stays one path.
printf '%s\0' "${projects[@]}" | parallel -0 --will-cite --jobs 1 --joblog "$log" "$@" "$program" -f:{} -hide || true

# The worst outcome wins: a project or settings file that could not be read (2), a check message
# (1), a stopped run or a report not written (3), files without a movie (4). A run that never
# ended with a status of its own (a signal, an ssh failure) counts as it ended.
[ -f "$log" ] || exit 3
awk -F '\t' -v expected=${#projects[@]} '
  function rank(s) { return s == 0 ? 0 : s == 4 ? 1 : s == 3 ? 2 : s == 1 ? 3 : s == 2 ? 4 : 5 }
  NR > 1 { s = $8 > 0 ? 128 + $8 : $7; ran++
           printf "batch-parallel: status %d: %s\n", s, $9 > "/dev/stderr"
           if (rank(s) > rank(worst)) worst = s }
  END { if (ran < expected && rank(worst) < rank(3)) worst = 3; exit worst + 0 }' "$log"
