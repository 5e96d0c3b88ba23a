#!/usr/bin/env bash
# Regenerates the small MP3 test files in tests/data/mp3 from tones made with sox, encoded by lame.
# The files are committed; run this only to remake them (needs sox and lame).
set -euo pipefail
out="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/mp3"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -p "$out"

# tone <rate> <channels> <file>: a fifth of a second of 440 Hz
tone() { sox -n -r "$1" -c "$2" -b 16 "$3" synth 0.2 sine 440 vol 0.5; }

tone 44100 2 "$work/44k-stereo.wav"
tone 44100 1 "$work/44k-mono.wav"

enc() { lame --quiet --noreplaygain "$@"; }

# lame picks a lower sample rate for low bitrates by itself, so every rate is given explicitly.
# Accepted: MPEG-1, MPEG-2 and MPEG-2.5 at the rates a movie can play.
enc -m j -b 64 --resample 44.1 "$work/44k-stereo.wav" "$out/mpeg1-44100-stereo.mp3"
enc -m m -b 32 --resample 44.1 "$work/44k-mono.wav" "$out/mpeg1-44100-mono.mp3"
enc -m m -b 32 --resample 22.05 "$work/44k-mono.wav" "$out/mpeg2-22050-mono.mp3"
enc -m j -b 32 --resample 24 "$work/44k-stereo.wav" "$out/mpeg2-24000-stereo.mp3"
enc -m m -b 16 --resample 11.025 "$work/44k-mono.wav" "$out/mpeg25-11025-mono.mp3"
enc -m m -b 8 --resample 8 "$work/44k-mono.wav" "$out/mpeg25-8000-mono.mp3"

# Rejected: sample rates with no SWF rate code.
enc -m j -b 64 --resample 48 "$work/44k-stereo.wav" "$out/mpeg1-48000-stereo.mp3"
enc -m m -b 32 --resample 32 "$work/44k-mono.wav" "$out/mpeg1-32000-mono.mp3"
enc -m m -b 16 --resample 16 "$work/44k-mono.wav" "$out/mpeg2-16000-mono.mp3"

# Rejected: free format (bitrate index 0), whose frames carry no length; its audio bytes hold
# chance syncs that look like headers of other formats.
enc -m m -b 32 --resample 22.05 --freeformat "$work/44k-mono.wav" "$out/free-format-22050-mono.mp3"

# An ID3v2 tag in front whose cover picture holds chance frame syncs: FF E0 (not Layer III)
# and FF FB 54 C4, a valid-looking MPEG-1 Layer III header at 48000 Hz.
{
    printf '\xff\xd8\xff\xe0\x00\x10JFIF\x00'
    printf '\x00\x00\x00\x00\xff\xfb\x54\xc4'
    head -c 600 /dev/zero
    printf '\xff\xd9'
} > "$work/cover.jpg"
enc -m j -b 64 --resample 44.1 --add-id3v2 --tt "Tone" --ti "$work/cover.jpg" "$work/44k-stereo.wav" "$out/id3v2-cover.mp3"

# Trailing bytes after the last frame: text without a sync, as some tools leave behind.
cp "$out/mpeg1-44100-mono.mp3" "$out/trailing-garbage.mp3"
printf 'trailing bytes that are no frame\x00\xff\x00\xfe' >> "$out/trailing-garbage.mp3"

# Not MP3 at all.
printf 'This is a text file, not a sound.\n' > "$out/not-mp3.txt"

ls -l "$out"
