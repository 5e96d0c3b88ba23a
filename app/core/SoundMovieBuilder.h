// One MP3 file in, one SWF movie out: the frame-count rule and the movie builder.
#pragma once

#include "FDTSoundMP3.h"
#include "SoundBlock.h"

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

// Raised by SoundFrameCount where the count cannot be worked out (a frame length of 0 ms,
// or a result that does not fit a signed 32-bit value). The run skips that file.
class FrameCountError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Number of empty frames that keep a movie running for lengthMs at framesPerSecond, plus tuner.
int32_t SoundFrameCount(int32_t lengthMs, int32_t framesPerSecond, int32_t tuner);

// The most ShowFrame tags a movie may hold (the header's frame count is 16 bits).
constexpr int32_t kMaxMovieFrames = 65535;

// The result text for an MP3 file the reader refused: ":Sound Too Long." for more samples than
// one sound can declare, ":Unexpected File Format." for everything else.
const char* RefusedSoundText(MP3ReadResult why);

// What became of one movie; each outcome has its own line ending, given beside it.
enum class MovieOutcome {
    Written,          // ":Operation Successful."
    NoMp3,            // ":File Not Found."
    UnexpectedFormat, // ":Unexpected File Format."
    TooLong,          // ":Sound Too Long."
    NotWritten,       // ":Unable to Write Output File."
};

// Builds the movie at moviePath from the MP3 at mp3Path, appends exactly one line to results
// (mp3Path followed by the outcome's ending) and returns the outcome. For an MP3 that gives no
// sound, why ("Not an MP3 format file"...) goes into diagnostic when given.
// stopAction: 0 none, 1 a Stop frame before the sound, 2 a Stop frame after the last frame.
MovieOutcome BuildSoundMovie(const std::string& mp3Path, const std::string& moviePath,
                             std::vector<std::string>& results, int32_t soundFrames, int32_t stopAction,
                             std::string* diagnostic = nullptr);
// The same from the MP3 file, already opened and walked; the movie copies its bytes from the open
// file as it is written.
MovieOutcome BuildSoundMovie(const std::string& mp3Path, SoundBlock mp3, const std::string& moviePath,
                             std::vector<std::string>& results, int32_t soundFrames, int32_t stopAction,
                             std::string* diagnostic = nullptr);
