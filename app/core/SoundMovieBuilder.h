// One MP3 file in, one SWF movie out: the frame-count rule and the movie builder.
#pragma once

#include "FDTSoundMP3.h"
#include "ReplaceFile.h"
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

// The file a movie of one MP3 goes to, made before the MP3 is walked: the walk puts the sound's
// bytes where the movie will hold them, and the movie is then written around them. Where the file
// cannot be made yet, or is a device or pipe written in place, the walk puts the bytes nowhere
// and the movie copies them as it is written. A movie file never completed leaves nothing behind.
class SoundMovieFile {
public:
    explicit SoundMovieFile(const std::string& moviePath);
    // The place for the bytes of an MP3 in the movie made with stopAction.
    SoundPlacement PlaceSound(int32_t stopAction);
    // The open movie file, opened now if it is not yet; nullptr where it cannot be.
    FileReplacement* Open();

private:
    FileReplacement file_;
    bool opened_ = false;
};

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
// The same from the MP3 file, already opened and walked, into the movie file its walk may have
// put the bytes in; the movie copies those it does not find there from the open MP3 file.
MovieOutcome BuildSoundMovie(const std::string& mp3Path, SoundBlock mp3, SoundMovieFile& movieFile,
                             std::vector<std::string>& results, int32_t soundFrames, int32_t stopAction,
                             std::string* diagnostic = nullptr);
