// The files of one run on their way to movies: which file's encoder starts when, and which file
// finishes next.
#pragma once

#include <chrono>
#include <cstddef>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include <QObject>
#include <QString>

#include "project/ProjectFile.h"
#include "run/EncoderRunner.h"
#include "run/IntermediateFiles.h"
#include "run/RunRequest.h"
#include "run/RunResult.h"
#include "run/WorkerThread.h"

class RunOutputs;
class SoundBlock;

// Why a run skips an input before anything is read of it (no file there, not a regular file, not
// readable), or none when it is a regular file the run may read; look, when given, then reads what
// it needs from the file open at its descriptor.
std::optional<FileFailure> UnreadableInput(const std::string& path,
                                           const std::function<void(int fd)>& look = {});

// Up to `encoderCount` encoders run at once, each a child process watched from the event loop,
// and the movies are built one at a time on a worker thread, so this thread stays free for the
// window and a stop. Files start in list order, whenever an encoder is free, and finish in list
// order: a movie is built, its report line taken and the progress moved on only once every file
// before it has been handed to the worker. So the movies, the report and the progress are the same
// whatever the number of encoders, and so is the name the later of two inputs with the same movie
// name gets (RunOutputs). Nothing here waits: the work goes on from Advance, called when the run
// starts, from the encoders' ends and from the worker's answers.
class RunScheduler {
public:
    struct Setup {
        std::shared_ptr<const PSoundProject> project; // the run's own copy
        EncoderOptions encoder;                       // what non-MP3 inputs are encoded with
        QString encoderProgram;                       // empty: there is none
        int encoderCount = 1;
        std::shared_ptr<RunOutputs> outputs;
        // A report line, as files finish.
        std::function<void(const std::string& line)> reportLine;
        // A file's turn has come and gone, in list order.
        std::function<void(size_t index, const FileOutcome& outcome)> fileFinished;
        // Every file has finished, or the run was stopped and its encoders have ended.
        std::function<void()> over;
    };
    explicit RunScheduler(Setup setup);
    ~RunScheduler();
    RunScheduler(const RunScheduler&) = delete;
    RunScheduler& operator=(const RunScheduler&) = delete;

    // Does what can be done now: hands the files whose turn has come to the worker, then starts
    // files while encoders are free; calls over once it is all done. Returns to the event loop
    // within a few milliseconds (a slow disk makes starting a file slow): what is left goes on
    // from there.
    void Advance();
    // No file starts or finishes from here on (but for those whose movie was already in place);
    // every running encoder is ended and reports back as stopped, the movie under way is given up
    // and its unfinished file removed. The caller advances once more afterwards, from the event loop.
    void Stop();
    // The problems, the notes and the count of files handled, in list order.
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
    struct FileEntry;
    struct Encoder;
    class MovieStep;
    bool Over() const;
    bool StartFiles(std::chrono::steady_clock::time_point until);
    Encoder* FreeEncoder();
    size_t BusyEncoders() const;
    bool StartLater(size_t index, EncoderRunner::Outcome outcome, const EncoderRunner& runner);
    void StartFile(size_t index, Encoder& encoder);
    void StartEncoder(size_t index, Encoder& encoder);
    void FileEncoded(FileEntry& entry, EncoderRunner::Outcome outcome, const EncoderRunner& runner);
    void HandReadyFiles();
    void FileFinished(size_t index, FileWork& work);
    static int32_t MeasuredMp3Length(FileWork& file, const SoundBlock& mp3, const std::string& input);
    static int32_t FramesFor(FileWork& file, int32_t soundMs, const PSoundProject& project);
    static size_t EncodersDescriptorsAllow();

    Setup setup_;
    const PSoundProject& project_;
    RunOutputs& outputs_;
    bool stopped_ = false;
    bool overTold_ = false;
    bool advanceLater_ = false;
    QObject context_; // ends the advances queued with the scheduler

    // Declared in this order so that the encoders end before their MP3s are removed, and those
    // before the private folder that may hold them; the worker is stopped first of all.
    PrivateFolder privateFolder_;
    std::vector<FileEntry> files_;
    std::vector<Encoder> encoders_;
    WorkerThread worker_;
    size_t nextToStart_ = 0;
    size_t nextToHand_ = 0;         // the next file whose movie goes to the worker
    size_t nextToFinish_ = 0;       // the next file whose answer comes back
    std::deque<size_t> startAgain_; // put back by StartLater, started before any new one
    size_t usableEncoders_ = SIZE_MAX;
    // Intermediate names given out in this run; nor does one take an input's name.
    std::set<std::string> namesGiven_;
    // What the files that finished leave for the result.
    std::vector<AutomationResult::FileProblem> problems_;
    std::vector<AutomationResult::FileNote> notes_;
    int filesHandled_ = 0;
};
