// The files of one run on their way to movies: which file's encoder starts when, and which file
// finishes next.
#pragma once

#include <cstddef>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include <QString>

#include "EncoderRunner.h"
#include "IntermediateFiles.h"
#include "OutputModes.h"
#include "ProjectFile.h"
#include "RunResult.h"

class RunOutputs;
class SoundBlock;

// Why a run skips an input before anything is read of it (no file there, not a regular file, not
// readable), or none when it is a regular file the run may read.
std::optional<FileFailure> UnreadableInput(const std::string& path);

// Up to `encoderCount` encoders run at once, each a child process watched from the event loop, so
// this thread stays free for the window and for building movies. Files start in list order,
// whenever an encoder is free, and finish in list order: a movie is built, its report line taken
// and the progress moved on only once every file before it has finished. So the movies (the
// sound's definition id depends on the movies built before it), the report and the progress are
// the same whatever the number of encoders, and so is the name the later of two inputs with the
// same movie name gets (RunOutputs). Nothing here waits: the work goes on from Advance, called
// when the run starts and from the encoders' ends.
class RunScheduler {
public:
    struct Setup {
        const PSoundProject* project = nullptr; // the run's own copy, alive as long as the scheduler
        std::vector<PMP3Converter> outputModes;
        std::string outputModeName; // the mode non-MP3 inputs are encoded with
        QString encoderProgram;     // empty: there is none
        int encoderCount = 1;
        RunOutputs* outputs = nullptr;
        // A file's turn has come and gone, in list order.
        std::function<void(size_t index, const FileOutcome& outcome)> fileFinished;
        // Every file has finished, or the run was stopped and its encoders have ended.
        std::function<void()> over;
    };
    explicit RunScheduler(Setup setup);
    ~RunScheduler();
    RunScheduler(const RunScheduler&) = delete;
    RunScheduler& operator=(const RunScheduler&) = delete;

    // Does what can be done now: finishes the files whose turn has come, then starts files while
    // encoders are free, and so on while that makes files ready; calls over once it is all done.
    void Advance();
    // No file starts or finishes from here on; every running encoder is ended and reports back as
    // stopped. The caller advances once more afterwards, from the event loop.
    void Stop();
    // The report lines, the problems, the notes and the count of files handled, in list order.
    void CollectInto(AutomationResult& result) const;
    // Some file did not finish: the run was stopped.
    bool Stopped() const;
    // The file whose turn is next, and how much of it its encoder has written (0 to 1, by the size
    // its MP3 should reach); none once every file has had its turn or the run was stopped.
    struct InWork {
        size_t index;
        double encoded;
    };
    std::optional<InWork> FileInWork() const;

private:
    struct FileWork;
    struct Encoder;
    bool Over() const;
    bool StartFiles();
    Encoder* FreeEncoder();
    size_t BusyEncoders() const;
    bool StartLater(size_t index, EncoderRunner::Outcome outcome, const EncoderRunner& runner);
    void StartFile(size_t index, Encoder& encoder);
    void StartEncoder(size_t index, Encoder& encoder);
    void FileEncoded(FileWork& file, EncoderRunner::Outcome outcome, const EncoderRunner& runner);
    void FinishReadyFiles();
    void FinishFile(FileWork& file);
    void BuildFromEncodedMp3(FileWork& file, const std::string& moviePath);
    void BuildFromMp3Input(FileWork& file, const std::string& moviePath);
    static int32_t MeasuredMp3Length(FileWork& file, const SoundBlock& mp3);
    int32_t FramesFor(FileWork& file, int32_t soundMs) const;
    static size_t EncodersDescriptorsAllow();

    Setup setup_;
    const PSoundProject& project_;
    RunOutputs& outputs_;
    bool stopped_ = false;
    bool overTold_ = false;

    // Declared in this order so that the encoders end before their MP3s are removed, and those
    // before the private folder that may hold them.
    PrivateFolder privateFolder_;
    std::vector<FileWork> files_;
    std::vector<Encoder> encoders_;
    size_t nextToStart_ = 0;
    size_t nextToFinish_ = 0;
    std::deque<size_t> startAgain_; // put back by StartLater, started before any new one
    size_t usableEncoders_ = SIZE_MAX;
    // Names an intermediate MP3 must not take: the inputs of the list, and the intermediate names
    // given out in this run.
    std::set<std::string> namesTaken_;
};
