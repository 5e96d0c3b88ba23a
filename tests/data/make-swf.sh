#!/usr/bin/env bash
# Regenerates the small movies in tests/data/swf with the SWF muxer of ffmpeg, so that the movie
# reader is tested on bytes this program did not write. The files are committed; run this only to
# remake them (needs ffmpeg).
set -euo pipefail
out="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/swf"
mkdir -p "$out"
ff() { ffmpeg -hide_banner -loglevel error -bitexact -y "$@"; }

# A tenth of a second of MP3 as a sound stream (SoundStreamHead2 and SoundStreamBlocks).
ff -f lavfi -i "sine=frequency=440:sample_rate=22050:duration=0.1" -ac 1 -c:a libmp3lame -b:a 32k \
  "$out/ffmpeg-mp3-stream.swf"
# One frame of video as a video stream (DefineVideoStream, PlaceObject2, VideoFrame).
ff -f lavfi -i "color=c=red:s=32x32:d=0.2:r=5" -c:v flv1 "$out/ffmpeg-flv-video.swf"
# One JPEG picture (DefineShape, DefineBitsJPEG2, PlaceObject).
ff -f lavfi -i "color=c=red:s=16x16:d=0.2:r=5" -c:v mjpeg "$out/ffmpeg-jpeg.swf"
