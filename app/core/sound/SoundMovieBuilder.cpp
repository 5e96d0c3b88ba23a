// One MP3 file in, one SWF movie out: the frame-count rule and the movie builder.
#include "sound/SoundMovieBuilder.h"

#include "text/Translations.h"

#include "FDT.h"
#include "FDTSoundMP3.h"
#include "FileBytes.h"
#include "project/ProjectFile.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <limits>
#include <memory>
#include <utility>

#include <fcntl.h>

int32_t SoundFrameCount(int32_t lengthMs, int32_t framesPerSecond, int32_t tuner) {
    // 64-bit throughout: the product of a long sound and a high frame rate must not wrap.
    const int64_t product = int64_t{lengthMs} * framesPerSecond;
    int64_t frames = product / 1000;
    if (product != frames * 1000) {
        // The sound ends inside a frame: add the whole frames of one-frame length that fit
        // in the remainder.
        const int64_t remainder = product - frames * 1000;
        const int64_t frameLengthMs = 1000 / framesPerSecond;
        if (frameLengthMs == 0)
            throw FrameCountError("A frame lasts less than a millisecond at " +
                                  std::to_string(framesPerSecond) + " frames per second");
        frames += remainder / frameLengthMs;
    }
    const int64_t result = frames + tuner;
    if (result < std::numeric_limits<int32_t>::min() || result > std::numeric_limits<int32_t>::max())
        throw FrameCountError("The number of frames does not fit a 32-bit value");
    return static_cast<int32_t>(result);
}

uint16_t SoundMovieOptions::LoopCount() const {
    const int32_t count = exactTiming ? std::max(loops, 1) : loops;
    return static_cast<uint16_t>(std::clamp(count, 0, 65535));
}

int32_t SoundMovieOptions::HeaderFrameRate() const {
    // Frame/Seconds 0 (frames by the tuner alone) states no rate to play at: the header keeps its own.
    return standalone && framesPerSecond >= 1 && framesPerSecond <= 100 ? framesPerSecond : kMovieFrameRate;
}

SoundMovieOptions SoundMovieOptionsOf(const PSoundProject& project) {
    SoundMovieOptions options;
    options.stopAction = project.StopAction;
    options.framesPerSecond = project.FramePerSeconds;
    options.frameTuner = project.FrameTuner;
    options.exactTiming = project.Gapless;
    options.loops = std::clamp(project.Loops, 0, 65535); // as the window's control holds it
    options.standalone = project.Standalone;
    return options;
}

namespace {

// How long a sound of soundMs plays as often as options say: every loop plays the whole sound. A
// playing time past what 32 bits of milliseconds hold has long passed the frame limit.
int32_t PlayingMs(int32_t soundMs, const SoundMovieOptions& options) {
    const int64_t playingMs = int64_t{soundMs} * std::max(options.loops, 1);
    return static_cast<int32_t>(std::clamp<int64_t>(playingMs, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

// A whole number with its thousands set apart: 65535 -> "65,535".
std::string Grouped(int64_t number) {
    std::string digits = std::to_string(number);
    for (auto at = static_cast<std::ptrdiff_t>(digits.size()) - 3; at > (number < 0 ? 1 : 0); at -= 3)
        digits.insert(static_cast<size_t>(at), ",");
    return digits;
}

} // namespace

int32_t MovieFrameCount(int32_t soundMs, const SoundMovieOptions& options) {
    return SoundFrameCount(PlayingMs(soundMs, options), options.framesPerSecond, options.frameTuner);
}

int32_t MostSoundFrames(int32_t stopAction) {
    return kMaxMovieFrames - (stopAction == 1 || stopAction == 2 ? 1 : 0);
}

std::string FramesNote(int32_t soundFrames, int32_t soundMs, const SoundMovieOptions& options) {
    const int32_t most = MostSoundFrames(options.stopAction);
    const int32_t fps = options.framesPerSecond;
    const int32_t playingMs = PlayingMs(soundMs, options);
    if (soundFrames > most) {
        const std::string limit = Grouped(kMaxMovieFrames);
        if (fps > 0 && int64_t{most} * 1000 / fps < playingMs)
            return MessageBytes(
                QCoreApplication::translate("SoundMovieBuilder",
                                            "its frames cover %1 s of %2 s: a movie holds at most %3 "
                                            "frames"),
                {Grouped(most / fps), Grouped(playingMs / 1000), limit});
        return MessageBytes(
            QCoreApplication::translate("SoundMovieBuilder",
                                        "its movie holds %1 of its %2 frames: a movie holds at most %3 "
                                        "frames"),
            {Grouped(most), Grouped(soundFrames), limit});
    }
    if (soundFrames <= 0 && playingMs > 0)
        return MessageBytes(
            QCoreApplication::translate("SoundMovieBuilder",
                                        "its movie has no frame for the sound's %1 ms (%2 frames per "
                                        "second, frame tuner %3)"),
            {Grouped(playingMs), std::to_string(fps), std::to_string(options.frameTuner)});
    return std::string();
}

int32_t ExactSoundMs(SoundBlock& mp3) {
    const int rate = mp3.Survey().format.sampleRate;
    const uint64_t samples = mp3.ExactSound().sampleCount;
    if (rate <= 0)
        return 0;
    return static_cast<int32_t>(std::min<uint64_t>(samples * 1000 / static_cast<uint64_t>(rate),
                                                   std::numeric_limits<int32_t>::max()));
}

namespace {

constexpr int32_t kMovieWidth = 600;  // twips
constexpr int32_t kMovieHeight = 600; // twips

void AddStopFrame(FObjCollection& movie) {
    auto doAction = std::make_unique<FCTDoAction>();
    doAction->AppendAction(std::make_unique<FActionStop>());
    movie.AddObject(std::move(doAction));
    movie.AddObject(std::make_unique<FCTShowFrame>());
}

// The movie of one sound as far as its start: a Stop frame before it (stopAction 1), the sound and
// its start.
SoundMovieHead ComposeHead(std::unique_ptr<FDTDefineSoundMP3> sound, const SoundMovieOptions& options) {
    SoundMovieHead head{std::make_unique<FObjCollection>(), sound.get()};
    FObjCollection& movie = *head.movie;
    if (options.stopAction == 1)
        AddStopFrame(movie);
    // The movie gives the sound its id as it takes it.
    movie.AddObject(std::move(sound));
    movie.AddObject(std::make_unique<FCTStartSound>(head.sound->DefinitionId(),
                                                    FSoundInfo().NoMultiple().Loops(options.LoopCount())));
    return head;
}

// The rest of the movie: the empty frames that keep the sound playing, and a Stop frame after
// them (stopAction 2).
void ComposeTail(FObjCollection& movie, int32_t soundFrames, const SoundMovieOptions& options) {
    // The header's frame count is 16 bits: keep every ShowFrame, the stop frame's included, countable.
    const int32_t frames = std::min(soundFrames, MostSoundFrames(options.stopAction));
    if (frames > 0)
        movie.AddObject(std::make_unique<FCTShowFrame>(frames));
    if (options.stopAction == 2)
        AddStopFrame(movie);
}

// Where the movie holds the first byte of its sound's file: its first large block.
uint64_t SoundDataOffset(FObjCollection& movie) {
    FSWFStream stream;
    movie.WriteMovieBody(&stream, kMovieWidth, kMovieHeight, kMovieFrameRate);
    return stream.LargeDataRecords().front().position;
}

// Files of more than one block of the walk get their room in the movie reserved at once.
constexpr uint64_t kReservedFrom = uint64_t(1) << 20;

} // namespace

SoundMovieFile::SoundMovieFile(const std::string& moviePath, StopRequest* stop)
    : file_(moviePath, false), stop_(stop) {}

FileReplacement* SoundMovieFile::Open() {
    // A movie can always be made again from its sound: the system writes it to disk in its own
    // time, as it does the encoder's MP3 (a flush per movie costs a batch of short sounds more
    // than building them).
    if (!opened_) {
        opened_ = file_.Open();
        if (opened_ && stop_)
            stop_->Unfinished(file_.TemporaryPath());
    }
    return file_.Descriptor() >= 0 ? &file_ : nullptr; // none once committed
}

bool SoundMovieFile::Commit(bool complete) {
    if (stop_ == nullptr)
        return file_.Commit(complete);
    return stop_->CommitUnlessStopped([&] { return file_.Commit(complete); });
}

Mp3BlockSink* SoundMovieFile::PlaceSound(const SoundMovieOptions& options) {
    if (options.exactTiming)
        return nullptr;
    const FileReplacement* file = Open();
    if (file == nullptr || !file->Seekable())
        return nullptr;
    options_ = options;
    return this;
}

bool SoundMovieFile::Start(uint64_t fileSize) {
    if (fileSize > kLargestMP3File || Open() == nullptr)
        return false;
    placed_ = ComposeHead(FDTDefineSoundMP3::WrittenInPlace(fileSize), options_);
    copyAt_ = SoundDataOffset(*placed_.movie);
    copyEnd_ = copyAt_ + fileSize;
    copyFailed_ = false;
    // Blocks reserved in one go cost the disk less than blocks taken one write at a time. The size
    // the file shows stays what is written.
    if (fileSize > kReservedFrom)
        (void)::fallocate(file_.Descriptor(), FALLOC_FL_KEEP_SIZE, static_cast<off_t>(copyAt_),
                          static_cast<off_t>(fileSize));
    return true;
}

bool SoundMovieFile::Write(const uint8_t* data, size_t size) {
    copyFailed_ =
        copyFailed_ || size > copyEnd_ - copyAt_ || !WriteAt(file_.Descriptor(), data, size, copyAt_);
    if (!copyFailed_)
        copyAt_ += size;
    return !copyFailed_;
}

SoundMovieHead SoundMovieFile::TakePlacedMovie(const Mp3Survey& survey, const SoundMovieOptions& options) {
    const bool whole = placed_.movie && !copyFailed_ && copyAt_ == copyEnd_ && !options.exactTiming &&
                       options.stopAction == options_.stopAction &&
                       options.LoopCount() == options_.LoopCount();
    if (!whole)
        return {};
    placed_.sound->TakeFormat(survey);
    return std::move(placed_);
}

const char* RefusedSoundText(MP3ReadResult why) {
    return why == MP3ReadResult::TooManySamples ? ":Sound Too Long." : ":Unexpected File Format.";
}

MovieOutcome BuildSoundMovie(const std::string& mp3Path, const std::string& moviePath,
                             std::vector<std::string>& results, int32_t soundFrames,
                             const SoundMovieOptions& options, std::string* diagnostic) {
    SoundMovieFile movieFile(moviePath);
    SoundBlock mp3;
    if (!mp3.Read(mp3Path, movieFile.PlaceSound(options))) {
        results.push_back(mp3Path + ":File Not Found.");
        return MovieOutcome::NoMp3;
    }
    return BuildSoundMovie(mp3Path, std::move(mp3), movieFile, results, soundFrames, options, diagnostic);
}

namespace {

// Writes the composed movie into its file and completes the file; when that fails, reason gets
// the system's word for why, where it gave one ("File too large").
bool WriteSoundMovie(FObjCollection& movie, SoundMovieFile& movieFile, int32_t frameRate,
                     std::string& reason) {
    errno = 0;
    FileReplacement* file = movieFile.Open();
    bool complete = file != nullptr;
    if (complete && file->Seekable()) {
        complete =
            movie.WriteMovieAt(file->Descriptor(), kMovieWidth, kMovieHeight, frameRate, movieFile.Stop());
    } else if (complete) {
        std::FILE* stream = file->File(); // a device or pipe, written in place
        complete = stream != nullptr && movie.WriteMovie(stream, kMovieWidth, kMovieHeight, frameRate);
    }
    const int error = errno;
    if (file != nullptr && movieFile.Commit(complete))
        return true;
    const int why = error != 0 ? error : errno;
    if (why != 0)
        reason = std::strerror(why);
    return false;
}

// The sound of an MP3 whose bytes the movie copies from the file as it is written.
std::unique_ptr<FDTDefineSoundMP3> CopiedSound(SoundBlock& mp3, const SoundMovieOptions& options) {
    if (options.exactTiming)
        return std::make_unique<FDTDefineSoundMP3>(mp3.File(), mp3.Survey(), mp3.ExactSound());
    return std::make_unique<FDTDefineSoundMP3>(mp3.File(), mp3.Survey());
}

} // namespace

MovieOutcome BuildSoundMovie(const std::string& mp3Path, SoundBlock mp3, SoundMovieFile& movieFile,
                             std::vector<std::string>& results, int32_t soundFrames,
                             const SoundMovieOptions& options, std::string* diagnostic) {
    // A file too large for a movie was not walked.
    if (!mp3.Problem().empty()) {
        if (diagnostic)
            *diagnostic = mp3.Problem();
        results.push_back(mp3Path + ":Sound Too Long.");
        return MovieOutcome::TooLong;
    }

    // The movie the walk copied the file into, or one that copies it as it is written.
    SoundMovieHead head = movieFile.TakePlacedMovie(mp3.Survey(), options);
    std::unique_ptr<FDTDefineSoundMP3> copied = head.movie ? nullptr : CopiedSound(mp3, options);
    const FDTDefineSoundMP3& sound = copied ? *copied : *head.sound;
    if (sound.ReadResult() != MP3ReadResult::Ok) {
        if (diagnostic)
            *diagnostic = sound.Diagnostic();
        results.push_back(mp3Path + RefusedSoundText(sound.ReadResult()));
        return sound.ReadResult() == MP3ReadResult::TooManySamples ? MovieOutcome::TooLong
                                                                   : MovieOutcome::UnexpectedFormat;
    }

    // The line is added once the outcome is known: a movie that was not written is not reported
    // as written, also when building it fails half way.
    bool written = false;
    std::string reason;
    try {
        if (copied)
            head = ComposeHead(std::move(copied), options);
        ComposeTail(*head.movie, soundFrames, options);
        // Bytes copied from the file as the movie is written: a file cut short meanwhile leaves the
        // copy short, and no movie.
        written = WriteSoundMovie(*head.movie, movieFile, options.HeaderFrameRate(), reason);
        if (!written && mp3.CutShort()) {
            results.push_back(mp3Path + ":Unexpected File Format.");
            return MovieOutcome::UnexpectedFormat;
        }
    } catch (...) {
        results.push_back(mp3Path + ":Unable to Write Output File.");
        throw;
    }
    results.push_back(mp3Path + (written ? ":Operation Successful." : ":Unable to Write Output File."));
    if (!written && diagnostic)
        *diagnostic = reason;
    return written ? MovieOutcome::Written : MovieOutcome::NotWritten;
}
