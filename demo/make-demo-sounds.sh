#!/usr/bin/env bash
# Remakes the demo project's sounds in demo/sounds from tones made with sox, MP3s encoded by lame.
# The files are committed; run this only to remake them (needs sox and lame).
set -euo pipefail
out="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/sounds"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -p "$out"

sox -n -r 22050 -c 1 -b 16 "$out/beep.wav" synth 1.5 sine 440 fade 0.02 1.5 0.2 vol 0.6
sox -n -r 22050 -c 1 -b 16 "$out/sweep.wav" synth 2 sine 200-2000 fade 0.05 2 0.3 vol 0.5
# lame would make a 48 kHz MP3 of this one, which the program resamples to 44.1 kHz.
sox -n -r 48000 -c 1 -b 16 "$out/high rate.wav" synth 1 square 330 fade 0.02 1 0.3 vol 0.3

sox -n -r 44100 -c 2 -b 16 "$work/chime.wav" synth 3 pluck C4 pluck E4 pluck G4 delay 0 0.1 0.2 \
  remix - fade 0 3 1 vol 0.6 channels 2
lame --silent -b 64 "$work/chime.wav" "$out/chime.mp3"
sox -n -r 44100 -c 1 -b 16 "$work/bell.wav" synth 2 sine 880 sine 1320 remix - fade 0 2 1.5 vol 0.5
lame --silent -m m -b 32 --resample 22.05 "$work/bell.wav" "$out/Bell Tone.MP3"
