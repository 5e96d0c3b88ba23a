// An MP3 file taken into memory once: read when small, mapped when large, guarded against SIGBUS.
#include "SoundBlock.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdint>
#include <mutex>
#include <utility>

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Files at least this large are mapped rather than read.
constexpr size_t kMapAtLeast = size_t(4) << 20;

// The files mapped now, for the SIGBUS handler: lock-free atomics are safe to read in a handler.
struct GuardedRange {
    std::atomic<uintptr_t> start{0}; // first byte of the file's mapping; 0: slot free
    std::atomic<uintptr_t> end{0};   // end of the mapping, a page boundary
    std::atomic<bool> lost{false};
};
constexpr size_t kGuardedRanges = 16;
GuardedRange guardedRanges[kGuardedRanges];
uintptr_t pageSize = 4096;
struct sigaction previousBusAction {};

extern "C" void OnBusError(int signal, siginfo_t* info, void*) {
    const auto address = reinterpret_cast<uintptr_t>(info->si_addr);
    for (GuardedRange& range : guardedRanges) {
        const uintptr_t start = range.start.load();
        const uintptr_t end = range.end.load();
        if (start != 0 && address >= start && address < end) {
            // Zero pages where the file is gone; the access is made again and reads them.
            const uintptr_t page = address & ~(pageSize - 1);
            ::mmap(reinterpret_cast<void*>(page), end - page, PROT_READ,
                   MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED, -1, 0);
            range.lost.store(true);
            return;
        }
    }
    // Not ours: whatever handled it before does, or the default ends the process as it would have.
    ::sigaction(SIGBUS, &previousBusAction, nullptr);
    if (info->si_code <= 0) // sent, not a fault that comes again
        ::raise(signal);
}

void InstallBusHandler() {
    static std::once_flag installed;
    std::call_once(installed, [] {
        pageSize = static_cast<uintptr_t>(::sysconf(_SC_PAGESIZE));
        struct sigaction action {};
        action.sa_sigaction = OnBusError;
        action.sa_flags = SA_SIGINFO;
        sigemptyset(&action.sa_mask);
        ::sigaction(SIGBUS, &action, &previousBusAction);
    });
}

// Files are mapped and unmapped on the thread that builds movies; only the handler runs beside
// it, and it looks at a slot only once its start is set.
GuardedRange* Guard(uintptr_t start, uintptr_t end) {
    for (GuardedRange& range : guardedRanges) {
        if (range.start.load() != 0)
            continue;
        range.end.store(end);
        range.lost.store(false);
        range.start.store(start);
        return &range;
    }
    return nullptr;
}

GuardedRange* GuardOf(const U8* block) {
    if (block == nullptr)
        return nullptr;
    const auto start = reinterpret_cast<uintptr_t>(block + 2);
    for (GuardedRange& range : guardedRanges)
        if (range.start.load() == start)
            return &range;
    return nullptr;
}

size_t MappingSize(size_t fileBytes) {
    return (fileBytes + pageSize - 1) / pageSize * pageSize;
}

// The two zero bytes stand at the end of an anonymous page right before the file's mapping.
void UnmapSoundBlock(U8* block, size_t fileBytes) {
    if (GuardedRange* range = GuardOf(block))
        range->start.store(0);
    ::munmap(block + 2 - pageSize, pageSize + MappingSize(fileBytes));
}

// The file's pages behind one writable page; nullptr when it cannot be mapped or guarded.
U8* MapFile(int fd, size_t size) {
    InstallBusHandler();
    const size_t total = pageSize + MappingSize(size);
    void* area = ::mmap(nullptr, total, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (area == MAP_FAILED)
        return nullptr;
    auto* base = static_cast<U8*>(area);
    // Guarded before the file is there: a cut may come at once.
    if (!Guard(reinterpret_cast<uintptr_t>(base + pageSize), reinterpret_cast<uintptr_t>(base + total))) {
        ::munmap(area, total);
        return nullptr;
    }
    // All pages at once: the frame walk reads them all anyway.
    if (::mmap(base + pageSize, size, PROT_READ, MAP_PRIVATE | MAP_FIXED | MAP_POPULATE, fd, 0) ==
        MAP_FAILED) {
        UnmapSoundBlock(base + pageSize - 2, size);
        return nullptr;
    }
    U8* block = base + pageSize - 2;
    block[0] = 0;
    block[1] = 0;
    return block;
}

} // namespace

SoundBlock::SoundBlock(SoundBlock&& other) noexcept
    : block_(std::exchange(other.block_, nullptr)), fileSize_(std::exchange(other.fileSize_, 0)),
      mapped_(std::exchange(other.mapped_, false)), problem_(std::move(other.problem_)),
      tooLarge_(other.tooLarge_) {}

SoundBlock& SoundBlock::operator=(SoundBlock&& other) noexcept {
    if (this != &other) {
        Free();
        block_ = std::exchange(other.block_, nullptr);
        fileSize_ = std::exchange(other.fileSize_, 0);
        mapped_ = std::exchange(other.mapped_, false);
        problem_ = std::move(other.problem_);
        tooLarge_ = other.tooLarge_;
    }
    return *this;
}

SoundBlock::~SoundBlock() {
    Free();
}

void SoundBlock::Free() {
    if (block_ != nullptr)
        (mapped_ ? UnmapSoundBlock : FreeSoundBlock)(block_, fileSize_);
    block_ = nullptr;
    fileSize_ = 0;
    mapped_ = false;
}

SoundBlock::Lease SoundBlock::Release() {
    const Lease lease{block_, mapped_ ? UnmapSoundBlock : FreeSoundBlock};
    block_ = nullptr;
    fileSize_ = 0;
    mapped_ = false;
    return lease;
}

bool SoundBlock::Lost(const U8* block) {
    const GuardedRange* range = GuardOf(block);
    return range != nullptr && range->lost.load();
}

bool SoundBlock::Read(const std::string& path) {
    Free();
    problem_.clear();
    tooLarge_ = false;
    // Never waits: a FIFO or device is not read from, and counts as an empty file.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat info {};
    size_t size = 0;
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode))
        size = static_cast<size_t>(info.st_size);
    if (size > kLargestMP3File) {
        ::close(fd);
        tooLarge_ = true;
        problem_ = "the MP3 file is too large for a movie (" + std::to_string(size) +
                   " bytes, a movie holds " + std::to_string(kLargestMP3File) + " at most)";
        return true;
    }
    if (size >= kMapAtLeast) {
        block_ = MapFile(fd, size);
        mapped_ = block_ != nullptr;
        fileSize_ = mapped_ ? size : 0;
    }
    if (!mapped_) {
        U8* block = AllocateSoundBlock(size + 2);
        if (block == nullptr) {
            ::close(fd);
            problem_ = "there is not enough memory to read the MP3 file (" + std::to_string(size) + " bytes)";
            return true;
        }
        block[0] = 0;
        block[1] = 0;
        // One read for the whole file; a file that shrank meanwhile keeps the bytes that arrived.
        size_t got = 0;
        while (got < size) {
            const ssize_t n = ::read(fd, block + 2 + got, size - got);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                break;
            got += static_cast<size_t>(n);
        }
        block_ = block;
        fileSize_ = got;
    }
    ::close(fd);
    return true;
}
