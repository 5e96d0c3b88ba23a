#!/usr/bin/env bash
# Whole-process figures of the program beside its peers, each command run several times by
# hyperfine (medians, and ratios of medians):
#   1. 10 WAVs of 30 s into movies: the program (one encoder per processor, and one encoder),
#      lame one file after another, xargs -P<nproc> lame, ffmpeg into SWF one after another;
#   2. a 100 MB MP3 into a movie: the program, cp, ffmpeg's remux into SWF; the same sound as lame
#      encodes joined with cat (each with its tag frame) against cp, the two sides taking turns;
#      peak memory (/usr/bin/time -v) and system calls (strace -c); peak memory for a 1 GB MP3
#      (made for the figure and removed after it);
#   3. 200 MP3s of 2 s against 1: the program's time per file;
#   4. folders of 10,000, 40,000 and 100,000 MP3s of 0.2 s: time and processor time (does a run
#      grow with its files alone? cp -r of each beside it, for the disk's own growth) and peak
#      memory (how much does a listed file cost?);
#   5. a folder of 20,000 MP3s of 2 s against cp -r of it, and the system calls per file of both;
#   6. a stop in the middle of one movie's copy of a 38 MB MP3 from a slow disk: the time from
#      SIGINT to the program's end.
#
#   bash bench/run-peers.sh [WORK_FOLDER]       (default /tmp/tavrel-peers)
#
# RUNS (default 5) sets the runs per command; BASELINE=/path/to/tavrel adds another build of the
# program (with its own settings.ini beside it) to every case, for before-and-after figures (in
# case 4 one run for each size). CASES (default "1 2 3 4 5 6") picks the cases to run.
# Installs hyperfine, ffmpeg, strace, sox and time when missing: they serve only these figures.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
work="${1:-/tmp/tavrel-peers}"
runs="${RUNS:-5}"
baseline="${BASELINE:-}"
cases="${CASES:-1 2 3 4 5 6}"

# The peers and the measuring tools are installed for these figures only.
bash "$root/scripts/install-deps.sh" hyperfine ffmpeg strace time
cmake -S "$root" -B "$root/build/release" -DCMAKE_BUILD_TYPE=Release -DTAVREL_BUILD_TESTS=OFF \
  -DTAVREL_BUILD_BENCH=OFF > /dev/null
# Niced: the machine is often shared with other builds.
nice -n 10 cmake --build "$root/build/release" -j "$(nproc)" --target tavrel > /dev/null
program="$root/build/release/bin/tavrel"
export QT_QPA_PLATFORM=offscreen

mkdir -p "$work"
cd "$work"
# The program's folder again, with a settings.ini that asks for one encoder.
rm -rf one-encoder
cp -r "$root/build/release/bin" one-encoder
sed -i 's/^encoders=.*/encoders=1/' one-encoder/settings.ini

# project NAME OUTPUT_FOLDER FILES...: a project file as the program writes it.
project() {
  local name="$1" output="$2"
  shift 2
  {
    printf '<TavrelProject>\r\n<ProjectName>%s</ProjectName>\r\n<Quality>5</Quality>\r\n' "$work/$name"
    printf '<Mode>j</Mode>\r\n<Bitrate>128</Bitrate>\r\n<OutputFolder>%s</OutputFolder>\r\n<Files>\r\n' "$work/$output"
    printf '<File>%s</File>' "$@"
    printf '</Files>\r\n<StopAction>0</StopAction>\r\n<FramePerSeconds>12</FramePerSeconds>\r\n'
    printf '<FrameTuner>0</FrameTuner>\r\n</TavrelProject>\r\n'
  } > "$name"
}

# The sounds, made once.
mkdir -p wav short
for i in $(seq 1 10); do
  f="wav/w$(printf %02d "$i").wav"
  [ -f "$f" ] || sox -n -r 44100 -c 2 -b 16 "$f" synth 30 sine $((100 * i))-$((4000 + 300 * i)) vol 0.5
done
if [ ! -f large.mp3 ]; then
  # One minute without a tag, 109 times: 104.7 MB of 128 kbps frames.
  sox -n -r 44100 -c 2 -b 16 minute.wav synth 60 sine 100-8000 vol 0.5
  lame --silent -t -q5 -mj -b128 minute.wav minute.mp3
  for _ in $(seq 109); do cat minute.mp3; done > large.mp3
fi
if [ ! -f joined.mp3 ]; then
  # The same minute with lame's tag frame, joined 109 times: a tag frame every minute.
  [ -f minute.wav ] || sox -n -r 44100 -c 2 -b 16 minute.wav synth 60 sine 100-8000 vol 0.5
  lame --silent -q5 -mj -b128 minute.wav minute-tagged.mp3
  for _ in $(seq 109); do cat minute-tagged.mp3; done > joined.mp3
fi
if [ ! -f short/s200.mp3 ]; then
  sox -n -r 44100 -c 2 -b 16 two.wav synth 2 sine 440 vol 0.5
  lame --silent -q5 -mj -b128 two.wav two.mp3
  for i in $(seq 1 200); do cp two.mp3 "short/s$(printf %03d "$i").mp3"; done
fi
# many NAME COUNT SOURCE: a folder of COUNT copies of SOURCE, made in a few passes: the file
# doubled until it holds COUNT copies or more, cut to COUNT and split.
many() {
  local name="$1" count="$2" source="$3" size have=1
  [ "$(find "$name" -maxdepth 1 -name '*.mp3' 2>/dev/null | wc -l)" -eq "$count" ] && return
  rm -rf "$name"
  mkdir "$name"
  size=$(stat -c %s "$source")
  cp "$source" "$name.all"
  while [ "$have" -lt "$count" ]; do
    cat "$name.all" "$name.all" > "$name.twice"
    mv "$name.twice" "$name.all"
    have=$((have * 2))
  done
  head -c $((size * count)) "$name.all" | split -b "$size" -d -a 6 --additional-suffix=.mp3 - "$name/m"
  rm "$name.all"
}
if [[ " $cases " == *" 4 "* ]]; then
  [ -f click.mp3 ] || { sox -n -r 44100 -c 2 -b 16 click.wav synth 0.2 sine 440 vol 0.5 &&
    lame --silent -q5 -mj -b128 click.wav click.mp3; }
  for n in 10000 40000 100000; do many "batch$n" "$n" click.mp3; done
fi
[[ " $cases " == *" 5 "* ]] && many short20000 20000 two.mp3
project wav10.xml out-wav "$work"/wav/*.wav
project large.xml out-large "$work/large.mp3"
project joined.xml out-joined "$work/joined.mp3"
project short200.xml out-short "$work"/short/*.mp3
project short1.xml out-short1 "$work/short/s001.mp3"

# Waits (10 minutes at most) for a moment when the processors are at least 80 % idle: on a
# shared machine the figures mean little otherwise.
wait_for_quiet() {
  local tries=0 idle
  while [ $tries -lt 300 ]; do
    idle=$(
      { head -1 /proc/stat; sleep 2; head -1 /proc/stat; } |
        awk '{ t = 0; for (i = 2; i <= NF; i++) t += $i; idle[NR] = $5 + $6; total[NR] = t }
             END { print int(100 * (idle[2] - idle[1]) / (total[2] - total[1])) }'
    )
    [ "$idle" -ge 80 ] && return 0
    tries=$((tries + 1))
  done
  echo "  (the machine stayed busy: the figures below are taken under load)"
}

# median: the median of the numbers on standard input, one a line.
median() {
  sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

# in_turns ROUNDS PREPARE COMMAND...: every round runs each command once, in turn, PREPARE before
# each, so that the load of the shared machine weighs on every command alike; then prints the
# median wall time of each command and its ratio to the first's.
in_turns() {
  local rounds="$1" prepare="$2" round i start end
  shift 2
  local -a times
  for ((round = 0; round <= rounds; round++)); do # round 0 warms the caches and is not counted
    for ((i = 1; i <= $#; i++)); do
      eval "$prepare"
      start=$EPOCHREALTIME
      eval "${!i}" > /dev/null 2>&1
      end=$EPOCHREALTIME
      [ "$round" -gt 0 ] && times[i]+="$(awk -v a="$start" -v b="$end" 'BEGIN { print (b - a) * 1000 }') "
    done
  done
  for ((i = 1; i <= $#; i++)); do
    printf '%s\t%s\n' "$(echo "${times[i]}" | tr ' ' '\n' | grep . | median)" "${!i}"
  done | awk -F'\t' 'NR == 1 { first = $1 } { printf "  %8.1f ms  %5.2f x  %s\n", $1, $1 / first, $2 }'
}

# summary CSV: "median  ratio to the first command  command", from hyperfine's CSV export.
summary() {
  awk -F, 'NR == 2 { first = $4 } NR > 1 { printf "  %8.1f ms  %5.2f x  %s\n", $4 * 1000, $4 / first, $1 }' "$1"
}

echo "== Machine: $(nproc) processors, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//'); load $(cut -d' ' -f1-3 /proc/loadavg)"

if [[ " $cases " == *" 1 "* ]]; then
echo "== 1. 10 WAVs of 30 s (44.1 kHz stereo, -q5 -mj -b128)"
wait_for_quiet
echo "  load $(cut -d' ' -f1-3 /proc/loadavg)"
commands=("$program -f:wav10.xml -hide" "one-encoder/tavrel -f:wav10.xml -hide"
  "for f in wav/*.wav; do lame --silent -q5 -mj -b128 \$f lame-out/\$(basename \$f).mp3; done"
  "ls wav/*.wav | xargs -P$(nproc) -I{} sh -c 'lame --silent -q5 -mj -b128 {} lame-out/\$(basename {}).mp3'"
  "for f in wav/*.wav; do ffmpeg -v error -y -i \$f -c:a libmp3lame -b:a 128k ffmpeg-out/\$(basename \$f).swf; done")
[ -n "$baseline" ] && commands+=("$baseline -f:wav10.xml -hide")
hyperfine --style none --warmup 1 --runs "$runs" --export-csv wav.csv \
  --prepare 'rm -rf out-wav lame-out ffmpeg-out; mkdir -p lame-out ffmpeg-out' "${commands[@]}" > /dev/null
summary wav.csv
fi

if [[ " $cases " == *" 2 "* ]]; then
echo "== 2. A 100 MB MP3 into a movie (every output removed before each run)"
wait_for_quiet
echo "  load $(cut -d' ' -f1-3 /proc/loadavg)"
commands=("$program -f:large.xml -hide" "cp large.mp3 copy.mp3" "ffmpeg -v error -y -i large.mp3 -c:a copy remux.swf")
[ -n "$baseline" ] && commands+=("$baseline -f:large.xml -hide")
hyperfine -N --style none --warmup 1 --runs $((runs * 3)) --export-csv large.csv \
  --prepare 'rm -rf out-large copy.mp3 remux.swf' "${commands[@]}" > /dev/null
summary large.csv
echo "  the plain and the joined 100 MB MP3 against cp, in turns ($((runs * 3)) rounds):"
in_turns $((runs * 3)) 'rm -rf out-large out-joined copy.mp3' "cp large.mp3 copy.mp3" \
  "$program -f:large.xml -hide" "cp joined.mp3 copy.mp3" "$program -f:joined.xml -hide"
for p in "$program" ${baseline:+"$baseline"}; do
  rm -rf out-large
  rss=$(/usr/bin/time -v "$p" -f:large.xml -hide 2>&1 | awk -F': ' '/Maximum resident/ { print $2 }')
  rm -rf out-large
  reads=$(strace -f -c -e trace=read,pread64 "$p" -f:large.xml -hide 2>&1 |
    awk '$NF == "read" || $NF == "pread64" { n += $4 } END { print n }')
  echo "  $p: peak RSS ${rss} KB (file $(($(stat -c %s large.mp3) / 1024)) KB), ${reads} read and pread calls"
done
rss=$(/usr/bin/time -v "$program" -f:short1.xml -hide 2>&1 | awk -F': ' '/Maximum resident/ { print $2 }')
echo "  the program with one 2 s MP3: peak RSS ${rss} KB"
# The 100 MB MP3 ten times over: the peak must not grow with the file.
for _ in $(seq 10); do cat large.mp3; done > huge.mp3
project huge.xml out-huge "$work/huge.mp3"
for p in "$program" ${baseline:+"$baseline"}; do
  rm -rf out-huge
  rss=$(/usr/bin/time -v "$p" -f:huge.xml -hide 2>&1 | awk -F': ' '/Maximum resident/ { print $2 }')
  echo "  $p, a 1 GB MP3 ($(($(stat -c %s huge.mp3) / 1024)) KB): peak RSS ${rss} KB"
done
rm -rf huge.mp3 huge.xml out-huge
fi

if [[ " $cases " == *" 3 "* ]]; then
echo "== 3. 200 MP3s of 2 s against 1"
wait_for_quiet
echo "  load $(cut -d' ' -f1-3 /proc/loadavg)"
commands=("$program -f:short200.xml -hide" "$program -f:short1.xml -hide")
[ -n "$baseline" ] && commands+=("$baseline -f:short200.xml -hide" "$baseline -f:short1.xml -hide")
hyperfine -N --style none --warmup 1 --runs "$runs" --export-csv short.csv \
  --prepare 'rm -rf out-short out-short1' "${commands[@]}" > /dev/null
summary short.csv
awk -F, 'NR > 1 { m[NR] = $4 } END {
  printf "  per file: %.2f ms\n", (m[2] - m[3]) * 1000 / 199
  if (4 in m) printf "  per file, baseline: %.2f ms\n", (m[4] - m[5]) * 1000 / 199 }' short.csv
fi

# median_of FILE N: the median of the Nth column of FILE, one line per run.
median_of() {
  awk -v c="$2" '{ print $c }' "$1" | median
}

if [[ " $cases " == *" 4 "* ]]; then
  echo "== 4. Folders of 10,000, 40,000 and 100,000 MP3s of 0.2 s (4 KB): time, processor time, peak memory"
  wait_for_quiet
  echo "  load $(cut -d' ' -f1-3 /proc/loadavg)"
  rm -rf batch-*.times out-batch-*
  # The sizes interleaved, RUNS times (the baseline once, its time grows with the square of the
  # files). Each run writes a folder of its own, removed only at the end: a new file's inode taken
  # among many just freed costs the disk more (ext4 looks at each one), which would weigh on the
  # run after a removal. The disk is given its dirty pages before each run.
  for round in $(seq "$runs"); do
    for n in 10000 40000 100000; do
      for side in program cp ${baseline:+baseline}; do
        [ "$side" = baseline ] && [ "$round" -gt 1 ] && continue
        command=("$program" -q -o "out-batch-$side-$n-$round" "batch$n")
        [ "$side" = cp ] && command=(cp -r "batch$n" "out-batch-$side-$n-$round")
        [ "$side" = baseline ] && command[0]="$baseline"
        sync
        /usr/bin/time -f "%e %U %S %M" -o time.txt "${command[@]}"
        cat time.txt >> "batch-$side-$n.times"
      done
    done
  done
  rm -rf out-batch-*
  for side in program cp ${baseline:+baseline}; do
    for n in 10000 40000 100000; do
      f="batch-$side-$n.times"
      printf '  %s, %6d files: %7.2f s, %7.2f s user, %7.2f s system, peak %6d KB\n' "$side" "$n" \
        "$(median_of "$f" 1)" "$(median_of "$f" 2)" "$(median_of "$f" 3)" "$(median_of "$f" 4)"
    done
    awk -v a="$(median_of "batch-$side-100000.times" 1)" -v b="$(median_of "batch-$side-10000.times" 1)" \
      -v c="$(median_of "batch-$side-100000.times" 2)" -v d="$(median_of "batch-$side-10000.times" 2)" \
      -v e="$(median_of "batch-$side-40000.times" 4)" -v f="$(median_of "batch-$side-10000.times" 4)" \
      'BEGIN { u = d > 0 ? sprintf("%.1f", c / d) : "-"
               printf "  100,000 against 10,000: %.1f x the time, %s x the user time; 40,000 take %d KB more than 10,000 (%d bytes a file)\n", a / b, u, e - f, (e - f) * 1024 / 30000 }'
  done
fi

if [[ " $cases " == *" 5 "* ]]; then
  echo "== 5. A folder of 20,000 MP3s of 2 s (33 KB) against cp -r of it"
  wait_for_quiet
  echo "  load $(cut -d' ' -f1-3 /proc/loadavg)"
  commands=("$program -q -o out-20000 short20000" "cp -r short20000 copy-20000")
  [ -n "$baseline" ] && commands+=("$baseline -q -o out-20000 short20000")
  hyperfine -N --style none --warmup 1 --runs "$runs" --export-csv batch20000.csv \
    --prepare 'rm -rf out-20000 copy-20000' "${commands[@]}" > /dev/null
  awk -F, 'NR > 1 { m[NR] = $4; c[NR] = $1 }
    END { for (i = 2; i <= NR; i++) printf "  %8.1f ms  %5.2f x cp -r  %s\n", m[i] * 1000, m[i] / m[3], c[i] }' batch20000.csv
  for command in "${commands[@]}"; do
    rm -rf out-20000 copy-20000
    # shellcheck disable=SC2086 # the command's words
    calls=$(strace -f -c -o /dev/stdout $command | awk '$NF == "total" { print $4 }')
    awk -v c="$calls" -v n=20000 -v what="$command" 'BEGIN { printf "  %.1f system calls a file: %s\n", c / n, what }'
  done
  rm -rf out-20000 copy-20000
fi

if [[ " $cases " == *" 6 "* ]]; then
  echo "== 6. SIGINT 1.5 s into the copy of a 38 MB MP3 from a slow disk (about 4 MB/s), a second file after it"
  # The slow disk of the tests: every read of an MP3 file waits 15 ms for each 64 KiB.
  g++ -O2 -shared -fPIC -o slow_reads.so "$root/tests/common/slow_reads.cpp" -ldl
  [ -f slow.mp3 ] || for _ in $(seq 40); do cat minute.mp3; done > slow.mp3
  wait_for_quiet
  echo "  load $(cut -d' ' -f1-3 /proc/loadavg)"
  for side in program ${baseline:+baseline}; do
    p="$program"
    [ "$side" = baseline ] && p="$baseline"
    : > "stop-$side.times"
    for _ in $(seq "$runs"); do
      rm -rf out-slow
      LD_PRELOAD="$work/slow_reads.so" TAVREL_TEST_READ_DELAY_MS=15 "$p" -q -o out-slow slow.mp3 short/s001.mp3 2> /dev/null &
      pid=$!
      sleep 1.5
      sent=$EPOCHREALTIME
      kill -INT "$pid"
      status=0
      wait "$pid" || status=$?
      awk -v a="$sent" -v b="$EPOCHREALTIME" -v s="$status" -v m="$(ls out-slow | paste -sd " ")" \
        'BEGIN { printf "%.1f %d %s\n", (b - a) * 1000, s, m }' >> "stop-$side.times"
    done
    echo "  $side: $(median_of "stop-$side.times" 1) ms from the signal to the end (median of $runs); status and what out-slow held, each run:"
    awk '{ $1 = ""; print "   " $0 }' "stop-$side.times"
  done
  rm -rf out-slow
fi
