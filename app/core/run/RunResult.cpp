// What a run did.
#include "run/RunResult.h"

#include "text/Translations.h"

namespace {

// words in the user's language: the file's name stands before them in a message ("a.wav: stopped").
std::string Words(const char* words) {
    return MessageBytes(QCoreApplication::translate("FileFailure", words));
}

// A cause's own words with what the reader or builder said behind them, when it said anything.
std::string WithDetail(const char* words, const std::string& detail) {
    return detail.empty() ? Words(words) : Words(words) + ": " + detail;
}

} // namespace

std::string FileFailure::Text() const {
    switch (cause) {
    case Cause::NotFound:
        return WithDetail(QT_TRANSLATE_NOOP("FileFailure", "file not found"), detail);
    case Cause::NotReadable:
        return Words(QT_TRANSLATE_NOOP("FileFailure", "the file could not be read"));
    case Cause::NotRegularFile:
        return Words(QT_TRANSLATE_NOOP("FileFailure", "not a regular file"));
    case Cause::LengthUnreadable:
        return detail.empty() ? Words(QT_TRANSLATE_NOOP("FileFailure", "the sound length could not be read"))
                              : detail;
    case Cause::FrameCountUnknown:
        return Words(QT_TRANSLATE_NOOP("FileFailure", "the frame count could not be worked out"));
    case Cause::NoOutputMode:
        return detail.empty() ? Words(QT_TRANSLATE_NOOP("FileFailure", "no output mode is defined"))
                              : MessageBytes(QCoreApplication::translate("FileFailure",
                                                                         "no output mode is named \"%1\""),
                                             {detail});
    case Cause::Encoder:
    case Cause::EncodedIncomplete:
        return detail;
    case Cause::UnexpectedFormat:
        return WithDetail(QT_TRANSLATE_NOOP("FileFailure", "unexpected file format"), detail);
    case Cause::TooLong:
        return WithDetail(QT_TRANSLATE_NOOP("FileFailure", "the sound is too long for one movie"), detail);
    case Cause::MovieNotWritten:
        return WithDetail(QT_TRANSLATE_NOOP("FileFailure", "the movie could not be written"), detail);
    case Cause::MovieOverInput:
        return MessageBytes(
            QCoreApplication::translate("FileFailure", "the movie %1 would replace an input file"), {detail});
    case Cause::Stopped:
        return Words(QT_TRANSLATE_NOOP("FileFailure", "stopped"));
    case Cause::Unexpected:
        break;
    }
    return Words(QT_TRANSLATE_NOOP("FileFailure", "an unexpected failure"));
}
