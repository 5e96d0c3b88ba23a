// A file size limit for the length of a scope: a longer write then fails half way, as on a full disk.
#pragma once

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

// While it lives, no file of this process grows past `bytes`: a write beyond that fails with
// EFBIG instead of raising SIGXFSZ, which would end the test.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) : previousHandler_(std::signal(SIGXFSZ, SIG_IGN)) {
        EXPECT_EQ(getrlimit(RLIMIT_FSIZE, &saved_), 0);
        struct rlimit limited = saved_;
        limited.rlim_cur = bytes;
        EXPECT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previousHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    struct rlimit saved_ {};
    void (*previousHandler_)(int);
};
