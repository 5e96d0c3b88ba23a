// The sound of a movie taken back out: its MP3 bytes as they stand, or decoded into a WAV file
// the way a player plays them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "SwfDump.h"

// Writes the sound's MP3 bytes, exactly as the movie holds them, to path (replacing it whole).
// False with why in error.
bool ExtractMp3(const uint8_t* movie, const SwfMp3Sound& sound, const std::string& path, std::string& error);

// What ExtractWav wrote.
struct ExtractedWav {
    long rate = 0;
    int channels = 0;
    uint64_t decoded = 0; // samples per channel the decoder gave
    uint64_t written = 0; // samples per channel in the file
};

// Decodes the sound's MP3 bytes with libmpg123 as a player does (every frame as sound, no gapless
// trimming of the decoder's own), skips its seek samples, keeps its sample count (or what there
// is) and writes them to path as a 16-bit WAV file (replacing it whole). False with why in error.
bool ExtractWav(const uint8_t* movie, const SwfMp3Sound& sound, const std::string& path, ExtractedWav& wav,
                std::string& error);
