// The automation run: the checks, the output folder and the encoder, the scheduler on the event
// loop, and the report.
#include "run/AutomationRun.h"

#include <algorithm>

#include <QTimer>

#include "run/EncoderRunner.h"
#include "run/RunOutputChecks.h"
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

AutomationRun::AutomationRun(QObject* parent) : QObject(parent), encoderCount_(DefaultEncoderCount()) {}

AutomationRun::AutomationRun(QString encoderProgram, QObject* parent)
    : QObject(parent), searchEncoder_(false), encoderProgram_(std::move(encoderProgram)),
      encoderCount_(DefaultEncoderCount()) {}

AutomationRun::~AutomationRun() = default;

void AutomationRun::SetEncoderCount(int count) {
    encoderCount_ = std::clamp(count, 1, int{kMaxEncoderCount});
}

std::optional<AutomationResult> AutomationRun::Start(const PSoundProject& project,
                                                     const std::vector<PMP3Converter>& outputModes,
                                                     const std::string& outputModeName) {
    AutomationResult refused;
    if (running_) {
        refused.outcome = AutomationResult::Outcome::AlreadyRunning;
        return refused;
    }
    // The run's own copy of the project, and what it writes, which refers to its list.
    std::shared_ptr<const PSoundProject> runProject;
    std::shared_ptr<RunOutputs> outputs;
    if (project.Files.empty()) {
        refused.message = tr(kNoInputFilesMessage);
    } else if (TrimBlanks(project.OutputFolder).empty()) {
        refused.message = tr(kNoOutputFolderMessage);
    } else {
        runProject = std::make_shared<const PSoundProject>(project);
        outputs = std::make_shared<RunOutputs>(runProject->Files, runProject->OutputFolder);
        // Found now rather than once every movie is made, and before anything is made.
        if (const std::string problem =
                ReportFileProblem(project, *outputs, ReportPathOf(project), project.ProjectName);
            !problem.empty()) {
            refused.outcome = AutomationResult::Outcome::ReportRefused;
            refused.message = TextFromBytes(problem);
        } else if (const std::string failed = MakeFolders(project.OutputFolder); !failed.empty()) {
            refused.outcome = AutomationResult::Outcome::Aborted;
            refused.message = tr(kOutputFolderFailedMessage);
            refused.detail = TextFromBytes(failed);
        }
    }
    if (!refused.message.isEmpty()) {
        emit message(refused.message, refused.detail);
        return refused;
    }

    running_ = true;
    result_ = AutomationResult();
    project_ = std::move(runProject);
    // The encoder is looked up once, and its absence said once: MP3 inputs still give movies.
    if (searchEncoder_)
        encoderProgram_ = FindEncoder();
    result_.encoderFound = !encoderProgram_.isEmpty();
    // The output folder gains its "/": whoever keeps the project may take it (result.outputFolder).
    result_.outputFolder = project.OutputFolder;
    if (result_.outputFolder.empty() || result_.outputFolder.back() != '/')
        result_.outputFolder += '/';
    result_.reportPath = ReportPathOf(project);
    report_ = std::make_unique<RunReportFile>(result_.reportPath);
    outputs_ = std::move(outputs);
    const int total = static_cast<int>(project.Files.size());
    RunScheduler::Setup setup;
    setup.project = project_;
    setup.outputModes = outputModes;
    setup.outputModeName = outputModeName;
    setup.encoderProgram = encoderProgram_;
    setup.encoderCount = encoderCount_;
    setup.outputs = outputs_;
    setup.reportLine = [this](const std::string& line) { report_->Add(line); };
    setup.fileFinished = [this, total](size_t index, const FileOutcome& outcome) {
        if (outcome.handled)
            emit progress(static_cast<int>(index) + 1, total);
        emit fileDone(static_cast<int>(index), outcome);
    };
    // Told from the event loop: the scheduler that tells it is still at work.
    setup.over = [this] { QTimer::singleShot(0, this, &AutomationRun::Finish); };
    scheduler_ = std::make_unique<RunScheduler>(std::move(setup));

    emit started(total);
    connect(&fileProgressTimer_, &QTimer::timeout, this, &AutomationRun::TellFileProgress,
            Qt::UniqueConnection);
    fileProgressTimer_.start(kFileProgressMs);
    if (!result_.encoderFound)
        emit message(tr(kEncoderMissingMessage));
    // The files start from the event loop, once whoever started the run has taken the answer.
    QTimer::singleShot(0, this, [this] {
        if (scheduler_)
            scheduler_->Advance();
    });
    return std::nullopt;
}

std::string AutomationRun::ReportPathOf(const PSoundProject& project) const {
    return reportPath_.empty() ? ReportPathFor(project.OutputFolder, project.ProjectName) : reportPath_;
}

void AutomationRun::TellFileProgress() {
    if (!scheduler_)
        return;
    if (const std::optional<RunScheduler::InWork> file = scheduler_->FileInWork())
        emit fileProgress(static_cast<int>(file->index), file->encoded);
}

void AutomationRun::Stop() {
    if (!scheduler_)
        return;
    scheduler_->Stop();
    // An idle scheduler (no encoder to report back) ends the run from here.
    QTimer::singleShot(0, this, [this] {
        if (scheduler_)
            scheduler_->Advance();
    });
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
        emit error(
            overInput
                ? tr("Cannot create file %1: it is an input of the run").arg(TextFromBytes(result.reportPath))
                : tr("Cannot create file %1").arg(TextFromBytes(result.reportPath)));
    }
    report_.reset();
    outputs_.reset();
    project_.reset();
    running_ = false;
    emit finished(result);
}
