// The exit statuses of a command-line run.
#include "cli/ExitStatus.h"

#include "run/RunResult.h"

int ExitStatusFor(const AutomationResult& result) {
    switch (result.outcome) {
    case AutomationResult::Outcome::Completed:
        return result.problems.empty() ? kExitCompleted : kExitFilesFailed;
    case AutomationResult::Outcome::Refused:
    case AutomationResult::Outcome::Aborted:
        return kExitCheckMessage;
    case AutomationResult::Outcome::Stopped:
    case AutomationResult::Outcome::ReportFailed:
    case AutomationResult::Outcome::ReportRefused:
    case AutomationResult::Outcome::AlreadyRunning:
        break;
    }
    return kExitRunIncomplete;
}
