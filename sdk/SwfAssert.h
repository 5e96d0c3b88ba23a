// Assertion for programming errors inside the SWF writer: active in every build type.
#pragma once

#include <cstdio>
#include <cstdlib>

// Reports the failed expression, the source name and the line on standard error, then ends
// the process. The text is passed separately so a check can be computed safely while the
// report still shows the condition as it reads in the writer's rules.
[[noreturn]] inline void SwfAssertFailed(const char* expressionText, const char* sourceName, int line) {
    std::fprintf(stderr, "Assertion failed: %s, file %s, line %d\n", expressionText, sourceName, line);
    std::fflush(stderr);
    std::abort();
}

// SWF_ASSERT(condition, SourceName): SourceName is a bare word such as FSWFStream.
#define SWF_ASSERT(condition, sourceName)                                                                    \
    ((condition) ? static_cast<void>(0) : SwfAssertFailed(#condition, #sourceName, __LINE__))

// SWF_ASSERT_TEXT(condition, "text", SourceName): reports "text" instead of the condition's spelling.
#define SWF_ASSERT_TEXT(condition, expressionText, sourceName)                                               \
    ((condition) ? static_cast<void>(0) : SwfAssertFailed(expressionText, #sourceName, __LINE__))
