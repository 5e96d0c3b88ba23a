// What a piece of work writes to standard error, for tests of messages that go there.
#pragma once

#include <cstdio>
#include <functional>
#include <string>

#include <unistd.h>

inline std::string CapturingErrors(const std::function<void()>& work) {
    std::fflush(stderr);
    const int saved = dup(2);
    std::FILE* file = std::tmpfile();
    dup2(fileno(file), 2);
    work();
    std::fflush(stderr);
    dup2(saved, 2);
    close(saved);
    std::string errors;
    std::rewind(file);
    for (int c = std::fgetc(file); c != EOF; c = std::fgetc(file))
        errors += static_cast<char>(c);
    std::fclose(file);
    return errors;
}
