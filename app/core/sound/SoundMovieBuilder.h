// One MP3 file in, one SWF movie out: the frame-count rule and the movie builder.
#pragma once

#include "FDTSoundMP3.h"
#include "ReplaceFile.h"
#include "StopRequest.h"
#include "sound/SoundBlock.h"

#include <cstdint>
#include <memory>
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
// The most empty frames behind the sound in a movie made with stopAction: the stop frame, where
// there is one, is one of the movie's frames too.
int32_t MostSoundFrames(int32_t stopAction);

// The frame rate a movie's header states unless it plays alone: the rate of the host movie that
// loads these movies is the project's frames per second, which only sets how many frames they have.
constexpr int32_t kMovieFrameRate = 12;

struct PSoundProject;

// How a movie holds and starts its sound and what its frames and header say, as the project sets
// it. With exactTiming, loops and standalone off, a movie is made as it always was.
struct SoundMovieOptions {
    int32_t stopAction = 0; // 0 none, 1 a Stop frame before the sound, 2 a Stop frame after the last frame
    int32_t framesPerSecond = kMovieFrameRate;
    int32_t frameTuner = 0;
    // The sound's audio frames alone, with the decoded samples a player skips before them and the
    // sound's own sample count, so that it plays (and loops) without a gap; frames by that length.
    bool exactTiming = false;
    int32_t loops = 0;       // how many times the sound plays (StartSound's loop count); 0: not set
    bool standalone = false; // the header states framesPerSecond (1 to 100), not kMovieFrameRate

    // StartSound's loop count: loops, at least 1 with exact timing (a player may play nothing of a
    // sound with seek samples and a loop count of 0), else 0 as always.
    uint16_t LoopCount() const;
    // The frame rate the header states.
    int32_t HeaderFrameRate() const;
};

SoundMovieOptions SoundMovieOptionsOf(const PSoundProject& project);

// The frames that keep a movie running while its sound of soundMs plays as often as options say
// (once when loops is not set): SoundFrameCount of the whole playing time, with the tuner added
// once. Throws FrameCountError as SoundFrameCount does.
int32_t MovieFrameCount(int32_t soundMs, const SoundMovieOptions& options);

// What to tell of a movie of soundFrames frames whose sound of soundMs they cannot follow: more
// frames than the header's frame count holds, so that they cover less than the sound plays ("its
// frames cover 5,461 s of 6,250 s: a movie holds at most 65,535 frames"), or none for a sound that
// lasts. Empty when they follow it.
std::string FramesNote(int32_t soundFrames, int32_t soundMs, const SoundMovieOptions& options);

// The length in whole milliseconds of the exact sound of an MP3 walked by SoundBlock with exact
// timing (its sample count at its sample rate).
int32_t ExactSoundMs(SoundBlock& mp3);

// The result text for an MP3 file the reader refused: ":Sound Too Long." for more samples than
// one sound can declare, ":Unexpected File Format." for everything else.
const char* RefusedSoundText(MP3ReadResult why);

// A movie's objects up to the sound's start, and the sound among them; the frames that keep it
// playing are added once they are counted.
struct SoundMovieHead {
    std::unique_ptr<FObjCollection> movie;
    FDTDefineSoundMP3* sound = nullptr;
};

// The file a movie of one MP3 goes to, made before the MP3 is walked. The walk feeds it the MP3's
// bytes (PlaceSound): once the file's size is known the movie is composed as far as its sound, the
// bytes go where that movie holds them, and the movie is completed and written around them when
// the walk has counted its frames. Where the file cannot be made yet, is a device or pipe written
// in place, or the sound is not the file's bytes as they stand (exact timing), the walk feeds
// nothing and the movie copies the bytes as it is written; so it does where the walk's copy
// failed. A movie file never completed leaves nothing behind. With a stop request, the unfinished
// file is named to it, and the movie is put in place only unless the stop came first.
class SoundMovieFile : private Mp3BlockSink {
public:
    explicit SoundMovieFile(const std::string& moviePath, StopRequest* stop = nullptr);
    // The copy that the walk of the MP3 of a movie made with options feeds, or nullptr for none.
    Mp3BlockSink* PlaceSound(const SoundMovieOptions& options);
    // The open movie file, opened now if it is not yet; nullptr where it cannot be.
    FileReplacement* Open();
    // Completes the movie (FileReplacement::Commit), unless the stop came first.
    bool Commit(bool complete);
    // The stop request the movie's writing gives up on, or nullptr.
    const StopRequest* Stop() const { return stop_; }
    // The movie made with options that the walk copied the whole MP3 into, its sound's format
    // taken from the walk's survey; none (movie nullptr) where the walk copied no whole file.
    // Handed out once.
    SoundMovieHead TakePlacedMovie(const Mp3Survey& survey, const SoundMovieOptions& options);

private:
    bool Start(uint64_t fileSize) override;
    bool Write(const uint8_t* data, size_t size) override;

    FileReplacement file_;
    StopRequest* stop_;
    bool opened_ = false;
    SoundMovieOptions options_;
    SoundMovieHead placed_;
    // Where the next byte of the copy goes in the file, and where the MP3's bytes end there.
    uint64_t copyAt_ = 0;
    uint64_t copyEnd_ = 0;
    bool copyFailed_ = false;
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
// sound, why ("Not an MP3 format file"...) goes into diagnostic when given. With exact timing, the
// MP3 is read with its exact sound.
MovieOutcome BuildSoundMovie(const std::string& mp3Path, const std::string& moviePath,
                             std::vector<std::string>& results, int32_t soundFrames,
                             const SoundMovieOptions& options, std::string* diagnostic = nullptr);
// The same from the MP3 file, already opened and walked, into the movie file its walk may have
// copied it into; the movie copies the bytes it does not find there from the open MP3 file.
MovieOutcome BuildSoundMovie(const std::string& mp3Path, SoundBlock mp3, SoundMovieFile& movieFile,
                             std::vector<std::string>& results, int32_t soundFrames,
                             const SoundMovieOptions& options, std::string* diagnostic = nullptr);
