// Preloaded into the program by tests (LD_PRELOAD) to stand for a slow disk: every pread of a
// file whose name ends in ".mp3" first waits TAVREL_TEST_READ_DELAY_MS milliseconds for each
// 64 KiB it asks for (at least one): 15 ms reads a 1 MiB block at about 4 MB/s.
#include <dlfcn.h>
#include <sys/types.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

namespace {

using PreadFunction = ssize_t (*)(int, void*, size_t, off_t);

void WaitForTheDisk(int fd, size_t count) {
    static const long delayMs = [] {
        const char* value = std::getenv("TAVREL_TEST_READ_DELAY_MS");
        return value ? std::atol(value) : 0L;
    }();
    char name[4096];
    const ssize_t length = ::readlink(("/proc/self/fd/" + std::to_string(fd)).c_str(), name, sizeof name - 1);
    if (delayMs <= 0 || length < 4 || std::memcmp(name + length - 4, ".mp3", 4) != 0)
        return;
    const long blocks = static_cast<long>(count / 65536 + 1);
    std::this_thread::sleep_for(std::chrono::milliseconds(delayMs * blocks));
}

} // namespace

extern "C" ssize_t pread(int fd, void* buffer, size_t count, off_t offset) {
    static const auto next = reinterpret_cast<PreadFunction>(::dlsym(RTLD_NEXT, "pread"));
    WaitForTheDisk(fd, count);
    return next(fd, buffer, count, offset);
}

extern "C" ssize_t pread64(int fd, void* buffer, size_t count, off_t offset) {
    static const auto next = reinterpret_cast<PreadFunction>(::dlsym(RTLD_NEXT, "pread64"));
    WaitForTheDisk(fd, count);
    return next(fd, buffer, count, offset);
}
