// An MP3 file opened once and its frames walked once, in bounded blocks.
#include "sound/SoundBlock.h"

#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "FDTSoundMP3.h"

SoundBlock::SoundBlock(SoundBlock&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), fileSize_(std::exchange(other.fileSize_, 0)),
      survey_(std::move(other.survey_)), problem_(std::move(other.problem_)),
      exact_(std::exchange(other.exact_, std::nullopt)) {}

SoundBlock& SoundBlock::operator=(SoundBlock&& other) noexcept {
    if (this != &other) {
        Close();
        fd_ = std::exchange(other.fd_, -1);
        fileSize_ = std::exchange(other.fileSize_, 0);
        survey_ = std::move(other.survey_);
        problem_ = std::move(other.problem_);
        exact_ = std::exchange(other.exact_, std::nullopt);
    }
    return *this;
}

SoundBlock::~SoundBlock() {
    Close();
}

void SoundBlock::Close() {
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
    fileSize_ = 0;
    survey_ = Mp3Survey{};
    exact_.reset();
}

bool SoundBlock::CutShort() const {
    struct stat info {};
    return fd_ >= 0 && ::fstat(fd_, &info) == 0 && S_ISREG(info.st_mode) &&
           static_cast<uint64_t>(info.st_size) < fileSize_;
}

bool SoundBlock::Read(const std::string& path, Mp3BlockSink* copy, const StopRequest* stop) {
    Close();
    problem_.clear();
    // Never waits: a FIFO or device is not read from, and counts as an empty file.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return false;
    fd_ = fd;
    struct stat info {};
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode))
        fileSize_ = static_cast<uint64_t>(info.st_size);
    if (fileSize_ > kLargestMP3File) {
        problem_ = "the MP3 file is too large for a movie (" + std::to_string(fileSize_) +
                   " bytes, a movie holds " + std::to_string(kLargestMP3File) + " at most)";
        return true;
    }
    Mp3Bytes bytes(fd, fileSize_);
    bytes.StopOn(stop);
    survey_ = SurveyMp3(bytes, copy);
    return true;
}

const Mp3ExactSound& SoundBlock::ExactSound() {
    if (!exact_) {
        Mp3Bytes bytes(fd_, fileSize_);
        exact_ = fd_ >= 0 ? FindExactSound(bytes, survey_) : Mp3ExactSound{};
    }
    return *exact_;
}
