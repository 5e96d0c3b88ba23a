// What a run did.
#include "RunResult.h"

namespace {

// A cause's own words with what the reader or builder said behind them, when it said anything.
std::string WithDetail(const char* words, const std::string& detail) {
    return detail.empty() ? std::string(words) : words + (": " + detail);
}

} // namespace

std::string FileFailure::Text() const {
    switch (cause) {
    case Cause::NotFound:
        return WithDetail("file not found", detail);
    case Cause::NotReadable:
        return "the file could not be read";
    case Cause::NotRegularFile:
        return "not a regular file";
    case Cause::LengthUnreadable:
        return detail.empty() ? "the sound length could not be read" : detail;
    case Cause::FrameCountUnknown:
        return "the frame count could not be worked out";
    case Cause::NoOutputMode:
        return detail.empty() ? std::string("no output mode is defined")
                              : "no output mode is named \"" + detail + "\"";
    case Cause::Encoder:
    case Cause::EncodedIncomplete:
        return detail;
    case Cause::UnexpectedFormat:
        return WithDetail("unexpected file format", detail);
    case Cause::TooLong:
        return WithDetail("the sound is too long for one movie", detail);
    case Cause::MovieNotWritten:
        return WithDetail("the movie could not be written", detail);
    case Cause::MovieOverInput:
        return "the movie " + detail + " would replace an input file";
    case Cause::Stopped:
        return "stopped";
    case Cause::Unexpected:
        break;
    }
    return "an unexpected failure";
}
