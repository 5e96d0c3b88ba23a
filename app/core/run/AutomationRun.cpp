// The automation run: the checks, the output folder and the encoder, the scheduler on the event
// loop, and the report.
#include "run/AutomationRun.h"

#include <QTimer>

#include "run/EncoderRunner.h"
#include "run/RunOutputs.h"
#include "run/RunPaths.h"
#include "run/RunReport.h"
#include "run/RunScheduler.h"
#include "text/NativeText.h"

const char* const kNoInputFilesMessage =
    QT_TRANSLATE_NOOP("AutomationRun", "Please select at least one Wave Data file to convert!");
const char* const kNoOutputFolderMessage =
    QT_TRANSLATE_NOOP("AutomationRun", "Please select an output folder!");
const char* const kOutputFolderFailedMessage =
    QT_TRANSLATE_NOOP("AutomationRun", "Unable to create the output directory.Operation Aborted");
const char* const kEncoderMissingMessage = QT_TRANSLATE_NOOP(
    "AutomationRun",
    "The MP3 encoder 'lame' was not found in the search path (PATH). Files that are not MP3 files "
    "cannot be encoded in this run and are reported as not found; MP3 files are converted as "
    "usual. Install the 'lame' package to convert the others.");

namespace {
// How often the progress of the file in work is told: a few times a second.
constexpr int kFileProgressMs = 250;
} // namespace

AutomationRun::AutomationRun(QObject* parent) : QObject(parent) {}

AutomationRun::AutomationRun(QString encoderProgram, QObject* parent)
    : QObject(parent), searchEncoder_(false), encoderProgram_(std::move(encoderProgram)) {}

AutomationRun::~AutomationRun() = default;

void AutomationRun::Start(const RunRequest& request) {
    if (running_) {
        AutomationResult busy;
        busy.outcome = AutomationResult::Outcome::AlreadyRunning;
        EndAtOnce(std::move(busy));
        return;
    }
    std::optional<AutomationResult> refused = request.refused;
    if (!refused) {
        // The first thing the run writes; the request found that it could be made.
        if (const std::string failed = MakeFolders(request.project.OutputFolder); !failed.empty()) {
            refused.emplace();
            refused->outcome = AutomationResult::Outcome::Aborted;
            refused->message = tr(kOutputFolderFailedMessage);
            refused->detail = TextFromBytes(failed);
        }
    }
    if (refused) {
        emit message(refused->message, refused->detail, RunMessageSeverity::Information);
        EndAtOnce(std::move(*refused));
        return;
    }
    Begin(request);
}

void AutomationRun::EndAtOnce(AutomationResult result) {
    QTimer::singleShot(0, this, [this, result = std::move(result)] { emit finished(result); });
}

void AutomationRun::Begin(const RunRequest& request) {
    running_ = true;
    result_ = AutomationResult();
    // The run's own copy of the project, and what it writes, which refers to its list.
    project_ = std::make_shared<const PSoundProject>(request.project);
    outputs_ = std::make_shared<RunOutputs>(project_->Files, request.outputFolder);
    // The encoder is looked up once, and its absence said once: MP3 inputs still give movies.
    if (searchEncoder_)
        encoderProgram_ = FindEncoder();
    result_.encoderFound = !encoderProgram_.isEmpty();
    // Whoever keeps the project may take the output folder with its "/" (result.outputFolder).
    result_.outputFolder = request.outputFolder;
    result_.reportPath = request.reportPath;
    report_ = std::make_unique<RunReportFile>(result_.reportPath);
    RunScheduler::Setup setup;
    setup.project = project_;
    setup.encoder = request.encoder;
    setup.encoderProgram = encoderProgram_;
    setup.encoderCount = request.encoderCount;
    setup.outputs = outputs_;
    setup.reportLine = [this](const std::string& line) { report_->Add(line); };
    setup.fileFinished = [this](size_t index, const FileOutcome& outcome) {
        emit fileDone(static_cast<int>(index), outcome);
    };
    // Told from the event loop: the scheduler that tells it is still at work.
    setup.over = [this] { QTimer::singleShot(0, this, &AutomationRun::Finish); };
    scheduler_ = std::make_unique<RunScheduler>(std::move(setup));

    emit started(static_cast<int>(project_->Files.size()));
    connect(&fileProgressTimer_, &QTimer::timeout, this, &AutomationRun::TellFileProgress,
            Qt::UniqueConnection);
    fileProgressTimer_.start(kFileProgressMs);
    if (!result_.encoderFound)
        emit message(tr(kEncoderMissingMessage), QString(), RunMessageSeverity::Information);
    // The files start from the event loop, once whoever started the run has taken the answer.
    AdvanceLater();
}

void AutomationRun::TellFileProgress() {
    if (!scheduler_)
        return;
    if (const std::optional<RunScheduler::InWork> file = scheduler_->FileInWork())
        emit fileProgress(static_cast<int>(file->index), file->encoded);
}

void AutomationRun::AdvanceLater() {
    QTimer::singleShot(0, this, [this] {
        if (scheduler_)
            scheduler_->Advance();
    });
}

void AutomationRun::Stop() {
    if (!scheduler_)
        return;
    scheduler_->Stop();
    // An idle scheduler (no encoder to report back) ends the run from here.
    AdvanceLater();
}

void AutomationRun::Finish() {
    if (!scheduler_)
        return;
    fileProgressTimer_.stop();
    AutomationResult result = std::move(result_);
    scheduler_->CollectInto(result);
    result.outcome =
        scheduler_->Stopped() ? AutomationResult::Outcome::Stopped : AutomationResult::Outcome::Completed;
    // The encoders have ended; their intermediate MP3s and the private folder go before the report.
    scheduler_.reset();

    const bool overInput = outputs_->IsInput(result.reportPath);
    if (overInput || !report_->Commit()) {
        if (result.outcome == AutomationResult::Outcome::Completed)
            result.outcome = AutomationResult::Outcome::ReportFailed;
        emit message(
            overInput
                ? tr("Cannot create file %1: it is an input of the run").arg(TextFromBytes(result.reportPath))
                : tr("Cannot create file %1").arg(TextFromBytes(result.reportPath)),
            QString(), RunMessageSeverity::Error);
    }
    report_.reset();
    outputs_.reset();
    project_.reset();
    running_ = false;
    emit finished(result);
}
